// Whole-file reads and writes; the only place the library opens files by path.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace orv::files {

std::optional<std::string> read_all(const std::string& path);
// Writes through a temporary file and a rename, so a failed write never leaves half a file.
bool write_all(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
// The system's folder for temporary files (TMPDIR, else /tmp), without a trailing '/'.
std::string temp_folder();

}  // namespace orv::files

namespace orv::files {

// A file written piece by piece under a temporary name beside its final one; the final name
// appears only when commit() succeeds, so a failed or abandoned write never leaves half a file.
// Every write is checked; after the first failure the file refuses further writes and error()
// says why. Paths are file-system names (UTF-8).
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool open(const std::string& path);
  bool write(std::string_view bytes);
  // Overwrites bytes already written (a header completed at the end); the end stays the end.
  bool write_at(std::uint64_t offset, std::string_view bytes);
  std::uint64_t size() const { return size_; }
  bool good() const { return file_ != nullptr && error_.empty(); }
  // Flushes, closes and renames to the final name.
  bool commit();
  // Closes and removes the temporary file (also done when the object goes uncommitted).
  void discard();
  const std::string& error() const { return error_; }
  const std::string& temporary_path() const { return temp_; }

 private:
  bool fail(const std::string& what, int err);

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string temp_;
  std::string error_;
  std::uint64_t size_ = 0;
};

// A name beside `path` for writing it before the final rename; unique within the process.
std::string temporary_name(const std::string& path);
bool rename_file(const std::string& from, const std::string& to);
void remove_file(const std::string& path);

// The seam tests use to fill the disk: after `bytes` more bytes, OutputFile writes fail as with
// ENOSPC; nullopt writes normally.
void set_space_left(std::optional<std::uint64_t> bytes);

}  // namespace orv::files
