// Whole-file reads and writes; the only place the library opens files by path.
#pragma once

#include <optional>
#include <string>

namespace orv::files {

std::optional<std::string> read_all(const std::string& path);
// Writes through a temporary file and a rename, so a failed write never leaves half a file.
bool write_all(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
// The system's folder for temporary files (TMPDIR, else /tmp), without a trailing '/'.
std::string temp_folder();

}  // namespace orv::files
