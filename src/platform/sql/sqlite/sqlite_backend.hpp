// PLACEHOLDER for the embedded SQLite backend, replaced by the real one when branches merge.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/sql/driver.hpp"

namespace orv::sql::sqlite {

// PLACEHOLDER: plain SQLite over one file, with no T-SQL translation and no server objects;
// only so that the CLI host and the channel tests have a real database before the merge.
// Connections use WAL and a busy timeout; texts are converted Windows-1250 <-> UTF-8; the rows
// of the first statement that returns rows are kept; a failure gives code 90 and SQLite's
// message.
class SqliteDriver : public Driver {
 public:
  explicit SqliteDriver(std::string path);
  std::unique_ptr<Connection> connect(std::string& error) override;
  std::string describe() const override { return "sqlite:" + path_; }

 private:
  std::string path_;
};

// Runs a native SQLite script (schema, demo data) on a connection with everything registered,
// creating the file when it is missing. False with `error` set when a statement fails; the
// statements before it stay applied unless the script wraps itself in a transaction.
bool execute_script(const std::string& path, std::string_view sqlite_sql, std::string& error);

}  // namespace orv::sql::sqlite
