// Whether a file is a database the library may use, decided without creating or changing anything.
#pragma once

#include <string>
#include <vector>

#include "platform/sql/sqlite/sqlite_backend.hpp"

namespace orv::sql::sqlite {

// What the library's own database has: the schema version and the tables it reads and writes.
struct SchemaExpectation {
  int user_version = 0;
  std::vector<std::string> tables;
};

enum class DatabaseState {
  Ours,        // an SQLite database with the expected schema
  Missing,     // no file at the path
  NotAFile,    // a directory, device, socket...
  Unreadable,  // the user may not read it
  Empty,       // a file of 0 bytes
  NotSqlite,   // some other kind of file
  Damaged,     // SQLite's header, but SQLite cannot read it whole
  NotOurs,     // a sound SQLite database without the library's schema
};

// How the channels would open the file: writable, read-only, or read-only without any file
// beside it (the directory or the file may not be written, and no write-ahead log stands).
enum class AccessMode { ReadWrite, ReadOnly, ReadOnlyImmutable };

struct DatabaseCheck {
  DatabaseState state = DatabaseState::Missing;
  AccessMode mode = AccessMode::ReadWrite;
  std::string error;  // the real cause in words, naming the path; empty when Ours
  bool ok() const { return state == DatabaseState::Ours; }
};

// The decision behind AccessMode, apart from asking the file system: a file that cannot be
// written, or whose directory cannot take the -wal/-shm files, opens read-only; without a
// write-ahead log standing it opens immutable, so that reading creates nothing.
AccessMode access_mode(bool file_writable, bool directory_writable, bool log_present);

// Inspects `path`: file kind, size, SQLite's header, a readable schema, the page check on files
// up to 64 MiB, the schema version and the expected tables. Never creates or writes anything.
DatabaseCheck check_database(const std::string& path, const SchemaExpectation& expected);

// The options that open `path` as check_database() decided (read_only and immutable set).
SqliteOptions options_for(AccessMode mode, SqliteOptions base = {});

}  // namespace orv::sql::sqlite
