// The channel connections' authorizer, lock wait and failure wording.
#include "platform/sql/sqlite/guard.hpp"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace orv::sql::sqlite {
namespace {

// What the authorizer refused last on this thread; a connection prepares on one thread only.
thread_local std::string refused;

// PRAGMAs that only read even when they take an argument (a table, an index, a row limit).
bool reading_pragma(std::string_view name) {
  static constexpr std::string_view kReading[] = {
      "table_info", "table_xinfo",      "index_list",        "index_info",      "index_xinfo",
      "table_list", "foreign_key_list", "foreign_key_check", "integrity_check", "quick_check"};
  for (std::string_view r : kReading) {
    if (sqlite3_stricmp(std::string(name).c_str(), std::string(r).c_str()) == 0) return true;
  }
  return false;
}

int refuse(std::string what) {
  refused = std::move(what);
  return SQLITE_DENY;
}

int authorize(void*, int action, const char* a1, const char* a2, const char*, const char*) {
  switch (action) {
    case SQLITE_ATTACH:
      return refuse("ATTACH and VACUUM INTO");
    case SQLITE_DETACH:
      return refuse("DETACH");
    case SQLITE_PRAGMA:
      if (!a2 || reading_pragma(a1 ? a1 : "")) return SQLITE_OK;
      return refuse(std::string("PRAGMA ") + (a1 ? a1 : "") + " with a value");
    case SQLITE_FUNCTION:
      if (a2 && sqlite3_stricmp(a2, "load_extension") == 0) return refuse("load_extension()");
      return SQLITE_OK;
    default:
      return SQLITE_OK;
  }
}

}  // namespace

int busy_timeout_from_environment() {
  const char* env = std::getenv("ORVRUN_BUSY_TIMEOUT");
  if (!env || !*env) return kDefaultBusyTimeoutMs;
  char* end = nullptr;
  long v = std::strtol(env, &end, 10);
  if (*end != '\0' || v < 0 || v > 600'000) return kDefaultBusyTimeoutMs;
  return static_cast<int>(v);
}

void install_guard(sqlite3* db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_set_authorizer(db, authorize, nullptr);
}

std::string failure_message(sqlite3* db) {
  std::string sqlite_text = sqlite3_errmsg(db);
  switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_AUTH:
      if (refused.empty()) return sqlite_text;
      return refused + " is not allowed on the library's database connections (" + sqlite_text +
             ")";
    case SQLITE_BUSY:
      return sqlite_text +
             ": gave up waiting for another connection's lock; nothing was written (the wait is "
             "set by ORVRUN_BUSY_TIMEOUT, in milliseconds)";
    case SQLITE_READONLY: {
      const char* file = sqlite3_db_filename(db, "main");
      return sqlite_text + ": the database was opened read-only" +
             (file && *file ? std::string(", this user may not write ") + file : std::string());
    }
    default:
      return sqlite_text;
  }
}

}  // namespace orv::sql::sqlite
