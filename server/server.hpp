// The replacement database: its schema and demo company as SQLite scripts, and creating a file.
#pragma once

#include <string>
#include <string_view>

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
// no error. For `orvrun init --force`.
bool remove_database(const std::string& path, std::string& error);

}  // namespace orv::server
