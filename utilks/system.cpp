// The regional list separator and the file-writing test.
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "answer.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "torix_util.h"

namespace orv::torix {
namespace {

// The user's numeric settings as the environment gives them (LC_ALL, LC_NUMERIC, LANG), read
// without touching the process's own locale.
std::string decimal_point() {
  locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (!user) return ".";
  std::string point = nl_langinfo_l(RADIXCHAR, user);
  freelocale(user);
  return point;
}

// Written under a temporary name and renamed, so a failure never leaves half a file behind.
std::string write_file(const std::string& path, std::string_view data) {
  namespace fs = std::filesystem;
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out.flush()) return std::strerror(errno);
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (!ec) return {};
  fs::remove(temp, ec);
  return std::strerror(EIO);
}

struct SeparatorSlot {};
struct FileSlot {};

}  // namespace

std::string list_separator() {
  return decimal_point() == "," ? ";" : ",";
}

// What the file-writing test answers, in Windows-1250.
std::string written(const char* path, const char* data) {
  std::string name = text::to_utf8(text::clip(path ? path : ""));
  if (name.empty()) return "Nie podano nazwy pliku.";
  std::string error = write_file(name, data ? data : "");
  std::string shown = text::from_utf8(name);
  if (error.empty()) return "Zapisano plik " + shown + ".";
  return "Błąd zapisu pliku "_w1250 + shown + ": " + text::from_utf8(error);
}

}  // namespace orv::torix

const char* SystemListSeparator() {
  return orv::torix::answer<orv::torix::SeparatorSlot>(orv::torix::list_separator());
}

const char* ZapiszDaneDoPliku(const char* path, const char* data) {
  return orv::torix::answer<orv::torix::FileSlot>(orv::torix::written(path, data));
}
