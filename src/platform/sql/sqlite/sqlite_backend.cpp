// Opening SQLite databases for the library: the driver, connection setup and native scripts.
#include "platform/sql/sqlite/sqlite_backend.hpp"

#include <sqlite3.h>

#include <algorithm>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/sqlite/connection.hpp"

namespace orv::sql::sqlite {
namespace {

bool exec(sqlite3* db, const std::string& sql, std::string& error) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
  error = message ? message : sqlite3_errmsg(db);
  sqlite3_free(message);
  return false;
}

bool configure(sqlite3* db, const SqliteOptions& options, std::string& error) {
  sqlite3_busy_timeout(db, options.busy_timeout_ms);
  // A misspelt "column" must fail, not turn into a string literal.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  std::string pragmas = options.foreign_keys ? "PRAGMA foreign_keys=ON" : "PRAGMA foreign_keys=OFF";
  // A read-only file keeps the journal mode it has: changing it would be a write.
  if (!options.read_only) {
    pragmas += "; PRAGMA journal_mode=WAL; PRAGMA synchronous=";
    pragmas += options.synchronous_full ? "FULL" : "NORMAL";
  }
  return exec(db, pragmas, error);
}

// The first line or so of a failing statement, enough to find it in a long script.
std::string excerpt(const char* p, const char* end) {
  while (p < end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
  std::string s(p, static_cast<std::size_t>(std::min<std::ptrdiff_t>(end - p, 120)));
  auto nl = s.find('\n');
  return nl == std::string::npos ? s : s.substr(0, nl);
}

bool run_script(sqlite3* db, std::string_view sql, std::string& error) {
  if (auto nul = sql.find('\0'); nul != std::string_view::npos) {
    error = "The script contains a NUL character at byte " + std::to_string(nul) + ".";
    return false;
  }
  const char* p = sql.data();
  const char* end = p + sql.size();
  while (p < end) {
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    const char* start = p;
    int rc = sqlite3_prepare_v2(db, p, static_cast<int>(end - p), &st, &tail);
    p = tail && tail > p ? tail : end;
    if (rc == SQLITE_OK && st) {
      while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
      }
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) {
      error = std::string(sqlite3_errmsg(db)) + " in: " + excerpt(start, end);
      sqlite3_finalize(st);
      return false;
    }
    sqlite3_finalize(st);
  }
  return true;
}

}  // namespace

std::string file_uri(const std::string& path, const SqliteOptions& options) {
  static const char kHex[] = "0123456789ABCDEF";
  // "file://" + an absolute path leaves the authority empty, so "//x" cannot name a host.
  std::string uri = !path.empty() && path[0] == '/' ? "file://" : "file:";
  for (unsigned char c : path) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7f) {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    } else {
      uri += static_cast<char>(c);
    }
  }
  if (options.read_only) uri += options.immutable ? "?mode=ro&immutable=1" : "?mode=ro";
  return uri;
}

sqlite3* open_database(const std::string& path, const SqliteOptions& options,
                       std::shared_ptr<dialect::TranslationCache> translations,
                       std::string& error) {
  sqlite3* db = nullptr;
  int flags =
      SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX |
      (options.read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (sqlite3_open_v2(file_uri(path, options).c_str(), &db, flags, nullptr) != SQLITE_OK) {
    error = db ? sqlite3_errmsg(db) : "out of memory";
    error += ": " + path;
    sqlite3_close_v2(db);
    return nullptr;
  }
  register_extension(db);
  if (!configure(db, options, error)) {
    sqlite3_close_v2(db);
    return nullptr;
  }
  if (options.datefirst != 1) {
    exec(db, "select tsql_datefirst(" + std::to_string(options.datefirst) + ")", error);
  }
  register_server_objects(db, std::move(translations));
  return db;
}

SqliteDriver::SqliteDriver(std::string path, SqliteOptions options)
    : path_(std::move(path)),
      options_(options),
      translations_(std::make_shared<dialect::TranslationCache>()) {}

SqliteDriver::~SqliteDriver() = default;

std::unique_ptr<Connection> SqliteDriver::connect(std::string& error) {
  sqlite3* db = open_database(path_, options_, translations_, error);
  if (!db) return nullptr;
  install_guard(db);
  return std::make_unique<SqliteConnection>(db, translations_);
}

std::string SqliteDriver::describe() const {
  return "sqlite:" + path_;
}

bool execute_script(const std::string& path, std::string_view sqlite_sql, std::string& error) {
  sqlite3* db = open_database(path, SqliteOptions{}, nullptr, error);
  if (!db) return false;
  bool ok = run_script(db, sqlite_sql, error);
  sqlite3_close_v2(db);
  return ok;
}

}  // namespace orv::sql::sqlite
