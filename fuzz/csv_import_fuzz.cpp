// Fuzzes the article import file reader, aborting when a record breaks what the reader promises:
// every line is a record or a rejection with its line number, never both, never a half record.
#include <cstdint>
#include <string>
#include <string_view>

#include "attachments/csv_reader.hpp"

#include "fuzz_input.hpp"

namespace {

using orv::fuzz::require;

void check(const orv::attachments::ImportFile& f, std::string_view input) {
  const std::size_t fields = orv::attachments::import_fields().size();
  if (!f.error.empty()) {
    require(f.records.empty());
    return;
  }
  std::size_t rejected = 0;
  int last_line = 1;
  for (const auto& r : f.records) {
    require(r.line > last_line);  // lines in order, after the header
    last_line = r.line;
    if (!r.error.empty()) {
      ++rejected;
      require(r.values.empty());
      require(r.error.starts_with("Wiersz " + std::to_string(r.line) + ": "));
      continue;
    }
    require(r.values.size() == fields);
    for (std::size_t i = 0; i < fields; ++i) {
      bool text = orv::attachments::import_fields()[i].kind == orv::attachments::FieldKind::Text;
      require(r.values[i].number != text);
      require(r.values[i].text.size() <= input.size());
    }
  }
  require(rejected == f.rejected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  check(orv::attachments::read_import_file(input), input);
  // The same body under a header naming every field, so data lines are reached at once.
  std::string framed = "NAZWA;PLU;OPIS;CENA_ZAKUPU_NETTO;PROMOCJA_OD;POLE10\n" + std::string(input);
  check(orv::attachments::read_import_file(framed), framed);
  return 0;
}
