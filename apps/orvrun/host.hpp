// The CLI as the library's host: database options, the session, texts across the C interface.
#pragma once

#include <optional>
#include <string>

#include "commands.hpp"

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

// A word that may be an option: "--" and a name. A statement that begins with a "--" comment
// holds a blank or a line break, so it is never taken for one.
bool is_option(const std::string& word);

// The SQLite database the options name: --db, else $ORVRUN_DB, else ./orvrun.db.
std::string database_path();

// Opens the database the options name: ODBC with --odbc; otherwise SQLite on database_path()
// when --db names it or the file exists. With `required`, having none is an error. False with
// `error` (UTF-8) when there is none to open or it cannot be opened. `opened` tells whether one
// is open now.
bool open_database(bool required, bool& opened, std::string& error);

// A text the library gave (Windows-1250, freed here) as UTF-8, and as it is.
std::string utf8_of(char* cp1250);
std::string taken(char* text);
// An argument (UTF-8) as Windows-1250; nullopt, with `error` naming `what` and the character,
// when it is not valid UTF-8 or holds a character Windows-1250 lacks.
std::optional<std::string> cp1250_of(const std::string& utf8, const std::string& what,
                                     std::string& error);

}  // namespace orv::cli
