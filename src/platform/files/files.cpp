// File access through the C library and POSIX.
#include "platform/files/files.hpp"

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orv::files {

std::optional<std::string> read_all(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string out;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return std::nullopt;
  return out;
}

bool write_all(const std::string& path, const std::string& bytes) {
  std::string tmp = temporary_name(path);
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (ok && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
  std::remove(tmp.c_str());
  return false;
}

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string temp_folder() {
  const char* dir = std::getenv("TMPDIR");
  std::string out = dir && *dir ? dir : "/tmp";
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

}  // namespace orv::files

namespace orv::files {
namespace {

std::atomic<int64_t> g_space_left{-1};  // -1: no fault

// How many of `n` bytes the fault seam lets through.
std::size_t allowed(std::size_t n) {
  int64_t left = g_space_left.load();
  if (left < 0) return n;
  std::size_t ok = std::min<std::size_t>(n, static_cast<std::size_t>(left));
  g_space_left.store(left - static_cast<int64_t>(ok));
  return ok;
}

}  // namespace

void set_space_left(std::optional<std::uint64_t> bytes) {
  g_space_left.store(bytes ? static_cast<int64_t>(*bytes) : -1);
}

std::string temporary_name(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

bool rename_file(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void remove_file(const std::string& path) {
  std::remove(path.c_str());
}

OutputFile::~OutputFile() {
  discard();
}

bool OutputFile::fail(const std::string& what, int err) {
  if (error_.empty()) error_ = what + ": " + std::strerror(err);
  return false;
}

bool OutputFile::open(const std::string& path) {
  discard();
  error_.clear();
  size_ = 0;
  path_ = path;
  temp_ = temporary_name(path);
  file_ = std::fopen(temp_.c_str(), "w+b");
  if (!file_) return fail("cannot create " + path, errno);
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

bool OutputFile::write(std::string_view bytes) {
  if (!good()) return false;
  std::size_t ok = allowed(bytes.size());
  std::size_t written = std::fwrite(bytes.data(), 1, ok, file_);
  size_ += written;
  if (written < ok) return fail("cannot write " + path_, errno);
  if (ok < bytes.size()) return fail("cannot write " + path_, ENOSPC);
  return true;
}

bool OutputFile::write_at(std::uint64_t offset, std::string_view bytes) {
  if (!good()) return false;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return fail("seek", errno);
  std::uint64_t end = size_;
  bool ok = write(bytes);
  size_ = std::max(end, offset + bytes.size());
  if (std::fseek(file_, 0, SEEK_END) != 0) return fail("seek", errno);
  return ok;
}

bool OutputFile::commit() {
  if (!good()) {
    discard();
    return false;
  }
  bool flushed = std::fflush(file_) == 0;
  int err = errno;
  bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) {
    fail("cannot write " + path_, flushed ? errno : err);
    discard();
    return false;
  }
  if (!rename_file(temp_, path_)) {
    fail("cannot rename to " + path_, errno);
    discard();
    return false;
  }
  temp_.clear();
  return true;
}

void OutputFile::discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) remove_file(temp_);
  temp_.clear();
}

}  // namespace orv::files
