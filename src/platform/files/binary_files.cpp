// Binary file parts over POSIX descriptors, with the system's errors mapped to the runtime's.
#include "platform/files/binary_files.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "platform/files/files.hpp"

namespace orv::files {
namespace {

std::atomic<int> g_countdown{0};
std::atomic<int> g_fail_code{0};

// A failure a test asked for: the countdown reaching 1 is the failing part.
bool injected(int& code) {
  int left = g_countdown.load();
  while (left > 0 && !g_countdown.compare_exchange_weak(left, left - 1)) {
  }
  if (left != 1) return false;
  code = g_fail_code.load();
  return true;
}

int code_of(int err) {
  switch (err) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpen;
    case ENAMETOOLONG:
      return kInvalidName;
    default:
      return kAccessDenied;
  }
}

struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

int read_at(int fd, unsigned char* to, std::size_t n, uint64_t at) {
  int code = 0;
  if (injected(code)) return code;
  std::size_t done = 0;
  while (done < n) {
    ssize_t got = ::pread(fd, to + done, n - done, static_cast<off_t>(at + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return kReadFault;  // the file shrank under us, or the device failed
    done += static_cast<std::size_t>(got);
  }
  return kFileOk;
}

int write_at(int fd, const unsigned char* from, std::size_t n, uint64_t at) {
  int code = 0;
  if (injected(code)) return code;
  std::size_t done = 0;
  while (done < n) {
    ssize_t put = ::pwrite(fd, from + done, n - done, static_cast<off_t>(at + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return kWriteFault;
    done += static_cast<std::size_t>(put);
  }
  return kFileOk;
}

}  // namespace

int file_size(const std::string& path, uint64_t& size) {
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (f.fd < 0) return code_of(errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) return code_of(errno);
  if (S_ISDIR(st.st_mode)) return kAccessDenied;
  size = static_cast<uint64_t>(st.st_size);
  return kFileOk;
}

int read_parts(const std::string& path, std::size_t part, std::vector<unsigned char>& out) {
  out.clear();
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (f.fd < 0) return code_of(errno);
  struct stat st;
  if (::fstat(f.fd, &st) != 0) return code_of(errno);
  if (S_ISDIR(st.st_mode)) return kAccessDenied;
  out.resize(static_cast<std::size_t>(st.st_size));
  for (std::size_t at = 0; at < out.size(); at += part) {
    int code = read_at(f.fd, out.data() + at, std::min(part, out.size() - at), at);
    if (code != kFileOk) {
      out.clear();
      return code;
    }
  }
  return kFileOk;
}

int write_parts(const std::string& path, std::span<const unsigned char> bytes, std::size_t part) {
  std::string tmp = temporary_name(path);
  Fd f{::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
  if (f.fd < 0) return code_of(errno);
  int code = kFileOk;
  for (std::size_t at = 0; at < bytes.size() && code == kFileOk; at += part) {
    code = write_at(f.fd, bytes.data() + at, std::min(part, bytes.size() - at), at);
  }
  if (code == kFileOk && ::close(f.fd) != 0)
    code = kWriteFault;
  else if (code != kFileOk)
    ::close(f.fd);
  f.fd = -1;
  if (code == kFileOk && ::rename(tmp.c_str(), path.c_str()) != 0) code = code_of(errno);
  if (code != kFileOk) ::unlink(tmp.c_str());
  return code;
}

int make_folders(const std::string& path) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '/') continue;
    std::string step = path.substr(0, at);
    if (::mkdir(step.c_str(), 0755) != 0 && errno != EEXIST) return code_of(errno);
  }
  return is_folder(path) ? kFileOk : kPathNotFound;
}

bool is_folder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> files_in(const std::string& folder) {
  std::vector<std::string> out;
  DIR* d = ::opendir(folder.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    std::string path = folder;
    path += '/';
    path += name;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) out.push_back(name);
  }
  ::closedir(d);
  std::sort(out.begin(), out.end());
  return out;
}

void fail_part(int nth, int code) {
  g_fail_code = code;
  g_countdown = nth;
}

}  // namespace orv::files
