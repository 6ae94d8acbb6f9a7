// PLACEHOLDER until the SQLite backend lands: execute_script with only a PL_CI_AS collation.
// The backend's own execute_script (every function, collation and server object registered)
// replaces this file when the branches are merged; delete it then.
#include "platform/sql/sqlite/sqlite_backend.hpp"

#include <sqlite3.h>

#include <algorithm>

#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

// Case-insensitive, trailing-blank-insensitive: enough for the schema's keys and the demo data.
int compare_ci(void*, int la, const void* a, int lb, const void* b) {
  std::string sa = text::upper(text::from_utf8(
      text::clip(std::string_view(static_cast<const char*>(a), static_cast<size_t>(la)))));
  std::string sb = text::upper(text::from_utf8(
      text::clip(std::string_view(static_cast<const char*>(b), static_cast<size_t>(lb)))));
  int c = sa.compare(sb);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

bool execute_script(const std::string& path, std::string_view sqlite_sql, std::string& error) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_create_collation_v2(db, "PL_CI_AS", SQLITE_UTF8, nullptr, compare_ci, nullptr);
    std::string script(sqlite_sql);
    char* message = nullptr;
    rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
  } else {
    error = db ? sqlite3_errmsg(db) : "out of memory";
  }
  sqlite3_close_v2(db);
  return rc == SQLITE_OK;
}

}  // namespace orv::sql::sqlite
