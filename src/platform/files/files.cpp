// File access through the C library and POSIX.
#include "platform/files/files.hpp"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

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
  std::string tmp = path + ".tmp" + std::to_string(::getpid());
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
