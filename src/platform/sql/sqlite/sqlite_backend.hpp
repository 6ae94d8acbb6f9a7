// The embedded SQLite backend's entry points used outside the driver.
#pragma once

#include <string>
#include <string_view>

namespace orv::sql::sqlite {

// Runs a native SQLite script (schema, demo data) on a connection with everything registered,
// creating the file when it is missing. False with `error` set when a statement fails; the
// statements before it stay applied unless the script wraps itself in a transaction.
bool execute_script(const std::string& path, std::string_view sqlite_sql, std::string& error);

}  // namespace orv::sql::sqlite
