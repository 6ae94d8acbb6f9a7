// The replacement database: its schema and demo company as SQLite scripts, and creating a file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/sql/sqlite/database_check.hpp"

namespace orv::server {

// Native SQLite DDL of every table, view and trigger the library uses (UTF-8).
std::string_view schema_sql();
// The deterministic demo company (UTF-8), to run after the schema.
std::string_view demo_sql();

// Creates a new database file at `path` with the schema and, when `demo`, the demo company.
// Refuses to touch an existing non-empty file. The file appears only when everything ran: a
// failing script leaves nothing behind. False with `error` set otherwise.
bool create_database(const std::string& path, bool demo, std::string& error);

// Deletes a database file with its write-ahead log and shared-memory files; a missing file is
// no error. For `orvrun init --force`: refuses (false, `error` naming the kind) anything that is
// not an SQLite database or an empty file: a directory, a link, another program's file.
bool remove_database(const std::string& path, std::string& error);

// The schema version and tables of schema_sql(): what a database must have to be ours.
sql::sqlite::SchemaExpectation schema_expectation();

struct OpenedDatabase {
  // What the file is; check.error names the real cause when it is refused, and check.mode says
  // whether the driver opens it read-only (the user may not write it or its directory).
  sql::sqlite::DatabaseCheck check;
  // The channels' driver, null when the database was refused. Nothing was created or changed.
  std::unique_ptr<sql::sqlite::SqliteDriver> driver;
};

// Checks `path` and opens it for the channels when it is the library's database.
OpenedDatabase open_library_database(const std::string& path,
                                     sql::sqlite::SqliteOptions options = {});

}  // namespace orv::server
