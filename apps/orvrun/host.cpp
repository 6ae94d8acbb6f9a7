// Host options and opening the database before a command runs.
#include "host.hpp"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/odbc/odbc_driver.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"

namespace orv::cli {
namespace {

std::optional<double> parse_id(const std::string& s) {
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (*end != '\0' || !std::isfinite(v) || v < 0 || v != std::floor(v)) return std::nullopt;
  return v;
}

bool file_exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void apply_context(const HostOptions& o) {
  dict::Context& g = dict::glo();
  if (o.user) g.ID_UZYTKOWNIKA = *o.user;
  if (o.company) g.ID_FIRMY = *o.company;
  if (o.warehouse) g.ID_MAGAZYNU = *o.warehouse;
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

std::string database_path() {
  if (host_options().db) return *host_options().db;
  const char* env = std::getenv("ORVRUN_DB");
  return env && *env ? env : "./orvrun.db";
}

bool HostSession::open(bool required, std::string& error) {
  const HostOptions& o = host_options();
  apply_context(o);
  if (o.odbc) {
    driver_ = std::make_unique<sql::odbc::OdbcDriver>(*o.odbc);
  } else {
    std::string path = database_path();
    if (file_exists(path)) {
      driver_ = std::make_unique<sql::sqlite::SqliteDriver>(path);
    } else if (required || o.db) {
      // An empty file made by accident would only turn every statement into "no such table".
      error = "no database at " + path + "; create one with: orvrun init --demo --db " + path;
      return false;
    }
  }
  if (driver_) {
    frame::reset_channels();
    previous_ = sql::set_current_driver(driver_.get());
  }
  return true;
}

HostSession::~HostSession() {
  if (!driver_) return;
  frame::reset_channels();
  sql::set_current_driver(previous_);
}

}  // namespace orv::cli
