// Checking a database file before the channels use it: kind, header, schema, access.
#include "platform/sql/sqlite/database_check.hpp"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

namespace orv::sql::sqlite {
namespace {

constexpr off_t kPageCheckLimit = off_t{64} * 1024 * 1024;

DatabaseCheck failed(DatabaseState state, std::string error) {
  DatabaseCheck c;
  c.state = state;
  c.error = std::move(error);
  return c;
}

std::string directory_of(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The first 16 bytes of every SQLite 3 database.
bool has_sqlite_header(const std::string& path, bool& readable) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  readable = fd >= 0;
  if (fd < 0) return false;
  char head[16] = {};
  ssize_t n = ::read(fd, head, sizeof head);
  ::close(fd);
  return n == static_cast<ssize_t>(sizeof head) && std::memcmp(head, "SQLite format 3", 16) == 0;
}

// A read-only handle with the collation its indexes need for the page check. Immutable unless a
// write-ahead log stands, so that checking creates no file beside the database, even when the check
// then refuses it.
class ReadOnlyHandle {
 public:
  ReadOnlyHandle(const std::string& path, bool log_present, std::string& error) {
    SqliteOptions o =
        options_for(log_present ? AccessMode::ReadOnly : AccessMode::ReadOnlyImmutable);
    int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    if (sqlite3_open_v2(file_uri(path, o).c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      error = db_ ? sqlite3_errmsg(db_) : "out of memory";
      return;
    }
    register_extension(db_);
    // Another process writing now is no damage: wait for it as the channels would.
    sqlite3_busy_timeout(db_, o.busy_timeout_ms);
  }
  ~ReadOnlyHandle() { sqlite3_close_v2(db_); }
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// Steps `sql`, handing each row's first column to `row`; false with `error` on SQLite's failure.
template <class Row>
bool each_row(sqlite3* db, const char* sql, std::string& error, Row row) {
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
  while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
    const unsigned char* t = sqlite3_column_text(st, 0);
    row(t ? reinterpret_cast<const char*>(t) : "");
    rc = SQLITE_OK;
  }
  if (rc != SQLITE_DONE) error = sqlite3_errmsg(db);
  sqlite3_finalize(st);
  return rc == SQLITE_DONE;
}

DatabaseCheck read_schema(const std::string& path, AccessMode mode,
                          const SchemaExpectation& expected, off_t size) {
  std::string error;
  ReadOnlyHandle h(path, exists(path + "-wal"), error);
  std::set<std::string> tables;
  auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  bool read = error.empty() &&
              each_row(h.get(), "select name from sqlite_schema where type in ('table','view')",
                       error, [&](const char* name) { tables.insert(lower(name)); });
  std::string verdict = "ok";
  if (read && size <= kPageCheckLimit) {
    read = each_row(h.get(), "PRAGMA quick_check(1)", error, [&](const char* v) { verdict = v; });
  }
  int code = h.get() ? sqlite3_errcode(h.get()) : SQLITE_OK;
  if (!read && (code == SQLITE_BUSY || code == SQLITE_LOCKED)) {
    return failed(DatabaseState::Unreadable,
                  "the database " + path + " stayed locked by another process: " + error);
  }
  if (!read || verdict != "ok") {
    return failed(DatabaseState::Damaged,
                  "the database " + path + " is damaged: " + (read ? verdict : error));
  }
  std::string version;
  each_row(h.get(), "PRAGMA user_version", error, [&](const char* v) { version = v; });
  if (version != std::to_string(expected.user_version)) {
    return failed(DatabaseState::NotOurs,
                  path + " is an SQLite database without this library's schema (schema version " +
                      version + ", expected " + std::to_string(expected.user_version) +
                      "); create one with: orvrun init --db " + path);
  }
  std::string missing;
  for (const std::string& t : expected.tables) {
    if (!tables.count(lower(t))) missing += (missing.empty() ? "" : ", ") + t;
  }
  if (!missing.empty()) {
    return failed(DatabaseState::NotOurs, path + " lacks tables this library needs: " + missing);
  }
  DatabaseCheck ok;
  ok.state = DatabaseState::Ours;
  ok.mode = mode;
  return ok;
}

}  // namespace

AccessMode access_mode(bool file_writable, bool directory_writable, bool log_present) {
  if (file_writable && directory_writable) return AccessMode::ReadWrite;
  return log_present ? AccessMode::ReadOnly : AccessMode::ReadOnlyImmutable;
}

SqliteOptions options_for(AccessMode mode, SqliteOptions base) {
  base.read_only = mode != AccessMode::ReadWrite;
  base.immutable = mode == AccessMode::ReadOnlyImmutable;
  return base;
}

DatabaseCheck check_database(const std::string& path, const SchemaExpectation& expected) {
  struct stat st {};
  if (path.empty()) return failed(DatabaseState::Missing, "no database path given");
  if (::stat(path.c_str(), &st) != 0)
    return failed(DatabaseState::Missing, "no database at " + path);
  if (!S_ISREG(st.st_mode)) {
    return failed(DatabaseState::NotAFile,
                  path + (S_ISDIR(st.st_mode) ? " is a directory" : " is not a regular file") +
                      ", not a database");
  }
  bool readable = false;
  bool header = has_sqlite_header(path, readable);
  if (!readable) {
    return failed(DatabaseState::Unreadable, "cannot read " + path + ": " + std::strerror(errno));
  }
  if (st.st_size == 0)
    return failed(DatabaseState::Empty, path + " is an empty file, not a database");
  if (!header) {
    return failed(DatabaseState::NotSqlite, path + " is not an SQLite database");
  }
  AccessMode mode =
      access_mode(::access(path.c_str(), W_OK) == 0,
                  ::access(directory_of(path).c_str(), W_OK) == 0, exists(path + "-wal"));
  return read_schema(path, mode, expected, st.st_size);
}

}  // namespace orv::sql::sqlite
