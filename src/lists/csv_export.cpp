// CSV lines built field by field, each field between double quotes.
#include "lists/csv_export.hpp"

#include "platform/files/files.hpp"

namespace orv::lists {
namespace {

// A double quote inside a value would end the field: it becomes a grave accent.
void add_field(std::string& line, std::string_view value, char separator, bool first) {
  if (!first) line += separator;
  line += '"';
  std::size_t at = line.size();
  line += value;
  for (std::size_t i = at; i < line.size(); ++i) {
    if (line[i] == '"') line[i] = '`';
  }
  line += '"';
}

// The line as the line-text file driver writes it: cut to the buffer, trailing blanks dropped.
bool put_line(files::OutputFile& out, std::string& line) {
  if (line.size() > kCsvLineLimit) line.resize(kCsvLineLimit);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  line += "\r\n";
  return out.write(line);
}

}  // namespace

bool write_csv(const ListObject& list, const std::vector<ExportColumn>& columns, char separator,
               const std::string& path, std::string& error) {
  files::OutputFile out;
  std::string line;
  bool ok = out.open(path);
  for (std::size_t k = 0; ok && k < columns.size(); ++k) {
    add_field(line, columns[k].source->title, separator, k == 0);
  }
  ok = ok && put_line(out, line);
  Cell scratch;
  for (std::size_t n = 0; ok && n < list.row_count(); ++n) {
    const Row* row = list.shown_row(n);
    if (!row) continue;
    line.clear();
    for (std::size_t k = 0; k < columns.size(); ++k) {
      add_field(line, csv_text(columns[k], value_of(columns[k], *row, n + 1, scratch)), separator,
                k == 0);
    }
    ok = put_line(out, line);
  }
  if (ok && out.commit()) return true;
  error = out.error();
  return false;
}

}  // namespace orv::lists
