// Binary files read and written in parts, failures given as the runtime's file error codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orv::files {

// The runtime's file error codes this layer gives.
enum FileError : int {
  kFileOk = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kTooManyOpen = 4,
  kAccessDenied = 5,
  kInvalidName = 36,  // also the documented answer for a blank name and an empty file
  kReadFault = 30,
  kWriteFault = 29,
};

// The file's size in bytes (opened read-only and shared): 0, or the error code.
int file_size(const std::string& path, uint64_t& size);

// Reads the whole file in parts of `part` bytes, each at its own offset: 0, or the error code
// of the first part that failed (`out` then holds nothing).
int read_parts(const std::string& path, std::size_t part, std::vector<unsigned char>& out);

// Writes `bytes` in parts of `part` bytes under a temporary name and renames it into place when
// complete, replacing an old file: 0, or the first error code (no file is then left behind).
int write_parts(const std::string& path, std::span<const unsigned char> bytes, std::size_t part);

// Creates a folder and the folders above it that are missing: 0, or the error code.
int make_folders(const std::string& path);

// The names (not paths) of the plain files in a folder, sorted; empty when it cannot be read.
std::vector<std::string> files_in(const std::string& folder);
bool is_folder(const std::string& path);

// Tests make the `nth` part read or written from now (1 = the next) fail with `code`, once;
// 0 heals.
void fail_part(int nth, int code);

}  // namespace orv::files
