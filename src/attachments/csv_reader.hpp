// The article import file: its fields, and a reader that turns the file into buffer records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/blob.hpp"

namespace orv::attachments {

enum class FieldKind { Text, Number, Day };

// One field of the file, in the order the sample file writes them; `column` is its column in
// artykul_imp (JEDNOSTKA_SKROT fills JEDNOSTKA).
struct ImportField {
  const char* name;
  const char* column;
  FieldKind kind;
};
const std::vector<ImportField>& import_fields();

// A file's size limit: larger files are refused whole rather than half read.
inline constexpr std::size_t kMaxImportBytes = 64u << 20;
inline constexpr std::size_t kMaxLineChars = 3000;

// One data line: its number in the file (from 1) and a value per import field, or the reason it
// cannot be buffered (then `values` is empty).
struct ImportRecord {
  int line = 0;
  std::vector<sql::BoundValue> values;
  std::string error;  // Windows-1250
};

// The records of a file, or `error` (Windows-1250) when the file as a whole cannot be read: it
// is empty, too large, not in Windows-1250, or has no known field in its header.
struct ImportFile {
  std::string error;
  std::vector<ImportRecord> records;
  std::size_t rejected = 0;
};

// Reads a file's bytes (Windows-1250, or UTF-8 opening with its byte-order mark). Fields are
// split at every ";" as SPLITSTRING splits them; a field whose trimmed text starts and ends
// with a double quote loses both, its doubled quotes made single. Numbers take a decimal comma
// or point; a value that is no number, a line with fewer fields than the header or a line over
// 3000 characters makes its record rejected with the line's number, never the whole file.
ImportFile read_import_file(std::string_view bytes);

// Why a file of `size` bytes is not imported at all.
std::string too_large_message(uint64_t size);

}  // namespace orv::attachments
