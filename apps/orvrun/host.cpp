// Host options, opening the database, and texts across the library's C interface.
#include "host.hpp"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

#include "orvrun_host.h"

namespace orv::cli {
namespace {

// A database identifier: a whole number, not negative.
std::optional<double> parse_id(const std::string& s) {
  double v = 0;
  if (!ORVRUN_READ_NUMBER(s.c_str(), ORVRUN_TYPE_REAL, &v) || v < 0 || v != std::floor(v)) {
    return std::nullopt;
  }
  return v;
}

bool file_exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

HostOptions& host_options() {
  static HostOptions options;
  return options;
}

bool take_host_option(const Words& words, std::size_t& i, std::string& error) {
  static const char* const kNames[] = {"--db", "--odbc", "--user", "--company", "--warehouse"};
  const std::string& word = words[i];
  bool known = false;
  for (const char* name : kNames) known = known || word == name;
  if (!known) return false;
  if (i + 1 >= words.size()) {
    error = word + " needs a value";
    return false;
  }
  const std::string& value = words[i + 1];
  HostOptions& o = host_options();
  if (word == "--db") {
    o.db = value;
  } else if (word == "--odbc") {
    o.odbc = value;
  } else {
    auto id = parse_id(value);
    if (!id) {
      error = word + " needs a whole number, not \"" + value + "\"";
      return false;
    }
    (word == "--user" ? o.user : word == "--company" ? o.company : o.warehouse) = id;
  }
  i += 2;
  return true;
}

bool is_option(const std::string& word) {
  return word.starts_with("--") && word.find_first_of(" \t\r\n") == std::string::npos;
}

std::string database_path() {
  if (host_options().db) return *host_options().db;
  const char* env = std::getenv("ORVRUN_DB");
  return env && *env ? env : "./orvrun.db";
}

bool open_database(bool required, bool& opened, std::string& error) {
  const HostOptions& o = host_options();
  opened = false;
  std::string target;
  if (o.odbc) {
    target = *o.odbc;
  } else {
    target = database_path();
    if (!file_exists(target) && !required && !o.db) return true;
    if (!file_exists(target)) {
      error = "no database at " + target + "; create one with: orvrun init --demo --db " + target;
      return false;
    }
  }
  char* why = nullptr;
  uint32_t flags = o.odbc ? ORVRUN_OPEN_ODBC : 0;
  if (!ORVRUN_OPEN(target.c_str(), flags, &why)) {
    error = "cannot open the database: " + utf8_of(why);
    return false;
  }
  opened = true;
  return true;
}

std::string taken(char* text) {
  std::string out = text ? text : "";
  ORVRUN_FREE(text);
  return out;
}

std::string utf8_of(char* cp1250) {
  std::string cp = taken(cp1250);
  return taken(ORVRUN_TO_UTF8(cp.c_str()));
}

std::optional<std::string> cp1250_of(const std::string& utf8, const std::string& what,
                                     std::string& error) {
  char* why = nullptr;
  char* cp = ORVRUN_FROM_UTF8(utf8.c_str(), &why);
  if (!cp) {
    error = what + ": " + taken(why);
    return std::nullopt;
  }
  return taken(cp);
}

}  // namespace orv::cli
