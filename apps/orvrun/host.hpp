// The CLI as the library's host: database options, the shared context, the current driver.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "commands.hpp"
#include "platform/sql/driver.hpp"

namespace orv::cli {

// Options that may stand before the command or before a command's own arguments.
struct HostOptions {
  std::optional<std::string> db;    // --db PATH
  std::optional<std::string> odbc;  // --odbc CONNSTR
  std::optional<double> user;       // --user ID
  std::optional<double> company;    // --company ID
  std::optional<double> warehouse;  // --warehouse ID
};

HostOptions& host_options();

// When words[i] is a host option, stores it, moves i past it (and its value) and returns true.
// A missing value or a malformed identifier sets `error` and returns false; any other word
// returns false and leaves `error` empty.
bool take_host_option(const Words& words, std::size_t& i, std::string& error);

// The SQLite database the options name: --db, else $ORVRUN_DB, else ./orvrun.db.
std::string database_path();

// The database and shared context for one command. `open` sets the context from the options,
// then makes the current driver: ODBC with --odbc; otherwise SQLite on database_path() when
// --db names it or the file exists. With `required`, having no database is an error. The
// destructor closes every channel and unsets the driver.
class HostSession {
 public:
  HostSession() = default;
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  bool open(bool required, std::string& error);
  bool has_database() const { return driver_ != nullptr; }

 private:
  std::unique_ptr<sql::Driver> driver_;
  sql::Driver* previous_ = nullptr;
};

}  // namespace orv::cli
