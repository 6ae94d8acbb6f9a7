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

namespace {

using orv::operator""_w1250;

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

const char* SystemListSeparator() {
  return torix::answer<SeparatorSlot>(decimal_point() == "," ? ";" : ",");
}

const char* ZapiszDaneDoPliku(const char* path, const char* data) {
  std::string name = orv::text::to_utf8(orv::text::clip(path ? path : ""));
  if (name.empty()) return torix::answer<FileSlot>("Nie podano nazwy pliku.");
  std::string error = write_file(name, data ? data : "");
  std::string shown = orv::text::from_utf8(name);
  if (error.empty()) return torix::answer<FileSlot>("Zapisano plik " + shown + ".");
  return torix::answer<FileSlot>(std::string("Błąd zapisu pliku "_w1250) + shown + ": " +
                                 orv::text::from_utf8(error));
}
