// The embedded SQLite backend: driver, connection setup, T-SQL extension and native scripts.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/sql/driver.hpp"
#include "platform/sql/sqlite/guard.hpp"

struct sqlite3;

namespace orv::sql::dialect {
class TranslationCache;
}

namespace orv::sql::sqlite {

struct SqliteOptions {
  // How long a statement waits for another connection's lock before failing and saying so.
  int busy_timeout_ms = busy_timeout_from_environment();
  // The server's first day of the week (SET DATEFIRST): 1 = Monday, as a Polish login has it.
  int datefirst = 1;
  bool foreign_keys = false;
  // NORMAL never corrupts a WAL database and loses nothing when the program crashes; FULL also
  // survives a power cut after each commit, at the price of a sync per commit.
  bool synchronous_full = false;
  // Opens the file read-only and never creates it. With `immutable` nothing beside the file is
  // created either (no -wal/-shm left owned by a user who may only read).
  bool read_only = false;
  bool immutable = false;
};

// Connections to one database file: every connection opens its own handle (WAL lets readers and
// one writer on other channels, threads and processes proceed side by side).
class SqliteDriver : public Driver {
 public:
  explicit SqliteDriver(std::string path, SqliteOptions options = {});
  ~SqliteDriver() override;
  std::unique_ptr<Connection> connect(std::string& error) override;
  std::string describe() const override;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  SqliteOptions options_;
  std::shared_ptr<dialect::TranslationCache> translations_;
};

// The T-SQL functions and collation: PL_CI_AS, upper/lower/like/char overrides, len, tsql_add,
// convert, datepart, datename, dateadd, datediff, getdate, tsql_datefirst, isnull, charindex,
// year/month/day, replicate, space.
void register_extension(sqlite3* db);

// Every server scalar function (as an SQL function) and table-valued function (as an eponymous
// virtual table) of server_objects(). `translations` serves their query_tsql; null = a cache of
// the connection's own.
void register_server_objects(sqlite3* db,
                             std::shared_ptr<dialect::TranslationCache> translations = nullptr);

// `path` as an SQLite URI (characters SQLite would read as URI syntax escaped), with mode=ro and
// immutable=1 as the options ask.
std::string file_uri(const std::string& path, const SqliteOptions& options);

// Opens (creating if missing) a database with everything registered: WAL, busy timeout, DQS off,
// the extension, the server objects. nullptr with `error` set on failure.
sqlite3* open_database(const std::string& path, const SqliteOptions& options,
                       std::shared_ptr<dialect::TranslationCache> translations, std::string& error);

// Runs a native SQLite script (UTF-8; schema, demo data) on a connection with everything
// registered, creating the file if missing. On failure `error` names the statement that failed.
bool execute_script(const std::string& path, std::string_view sqlite_sql, std::string& error);

}  // namespace orv::sql::sqlite
