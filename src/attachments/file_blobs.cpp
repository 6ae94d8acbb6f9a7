// Copies between files and binary values in the runtime's parts, with the configured size limit.
#include "attachments/file_blobs.hpp"

#include <cmath>
#include <string>

#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/files/binary_files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::attachments {
namespace {

std::string whole(double v) {
  return std::to_string(static_cast<long long>(std::llround(v)));
}

// The configured limit in kB; nullopt when the company has none set (a blank value is no limit,
// not a limit of 0 kB that would refuse every photo).
std::optional<double> limit_kb() {
  std::string value(text::clip(config::POBIERZPARAMKONF("s", "MaxRozZdjecArt")));
  if (value.empty()) return std::nullopt;
  return text::real_of(value);
}

int32_t load(std::string_view file, sql::Blob& target, bool limited, uint64_t& size) {
  std::string path(text::clip(file));
  if (path.empty()) return files::kInvalidName;
  if (int code = files::file_size(path, size); code != files::kFileOk) return code;
  if (limited) {
    auto m = limit_kb();
    if (m && *m * 1000 < static_cast<double>(size)) {
      frame::MSG_OSTRZEZENIE(size_warning(size, *m));
      return 1;
    }
  }
  if (size == 0) return files::kInvalidName;
  sql::Blob loaded;
  if (int code = files::read_parts(path, kFilePart, loaded.bytes); code != files::kFileOk) {
    return code;
  }
  size = loaded.size();
  target = std::move(loaded);
  return 0;
}

}  // namespace

std::string size_warning(uint64_t size, double limit_kb) {
  return "Wybrane zdjęcie posiada rozmiar "_w1250 + whole(static_cast<double>(size) / 1000) +
         " kB.|" + "Maksymalny dopuszczalny rozmiar wynosi " + plain_number(limit_kb) + " kB.|" +
         "Jeżeli chcesz zmienić maksymalny rozmiar wejdź w Konfiguracja firmy->Artykuły."_w1250;
}

int32_t PLIKTOBLOB(std::string_view file, sql::Blob& target, std::optional<uint8_t> no_limit) {
  uint64_t size = 0;
  return load(file, target, no_limit.value_or(0) != 1, size);
}

int32_t RPTTOBLOB(std::string_view file, sql::Blob& target, int32_t& size) {
  uint64_t bytes = 0;
  int32_t code = load(file, target, /*limited=*/false, bytes);
  // The size is stored whenever the file could be measured, as the runtime stores it on open.
  if (code == 0 || code == files::kInvalidName) size = static_cast<int32_t>(bytes);
  return code;
}

int32_t BLOBTOPLIK(std::span<const unsigned char> source, std::string_view file) {
  std::string path(text::clip(file));
  if (path.empty()) return files::kInvalidName;
  if (source.empty()) return 0;
  return files::write_parts(path, source, kFilePart);
}

}  // namespace orv::attachments
