// One SQLite connection behind the driver seam: Windows-1250 in, plan run, formatted rows out.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/driver.hpp"
#include "platform/sql/sqlite/executor.hpp"
#include "platform/sql/sqlite/session.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"

namespace orv::sql::sqlite {

// A column value as channel text: decimals with `scale` places (when >= 0), whole numbers
// plainly, other reals in the runtime's number form, texts in Windows-1250, NULL as "".
std::string format_column(const SqlValue& v, int scale);

class SqliteConnection : public Connection {
 public:
  // Takes ownership of `db`, which open_database() prepared.
  SqliteConnection(sqlite3* db, std::shared_ptr<dialect::TranslationCache> translations);
  ~SqliteConnection() override;

  int send(std::string_view statement) override;
  std::string message() const override { return message_; }
  bool next() override;
  std::size_t columns() const override;
  std::string column(std::size_t k) const override;
  bool null(std::size_t k) const override;
  bool next_result() override;
  void clear() override;
  std::optional<std::string> variable(std::string_view name) const override;
  int read_blob(const BlobCell& cell, Blob& out) override;
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override;
  int insert_rows(const BoundRows& rows) override;

  sqlite3* handle() const { return db_.get(); }

 private:
  int run(std::string_view statement);
  int fail(std::string_view utf8_message);

  // Declared in destruction order: the result may hold a cached statement, every statement
  // goes before the handle.
  std::unique_ptr<sqlite3, DbCloser> db_;
  std::shared_ptr<dialect::TranslationCache> translations_;
  StatementCache statements_;
  DbSession session_;
  std::unique_ptr<ResultSet> result_;
  std::vector<std::unique_ptr<ResultSet>> more_;  // the batch's later result sets
  std::size_t next_more_ = 0;
  bool on_row_ = false;
  Variables bound_;
  std::string message_;
};

}  // namespace orv::sql::sqlite
