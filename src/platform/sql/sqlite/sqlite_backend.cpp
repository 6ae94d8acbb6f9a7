// PLACEHOLDER connection over raw sqlite3, replaced by the real backend when branches merge.
#include "platform/sql/sqlite/sqlite_backend.hpp"

#include <sqlite3.h>

#include <vector>

#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

std::string column_text(sqlite3_stmt* stmt, int k) {
  switch (sqlite3_column_type(stmt, k)) {
    case SQLITE_NULL:
      return {};
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_column_int64(stmt, k));
    case SQLITE_FLOAT:
      return plain_number(sqlite3_column_double(stmt, k));
    default: {
      const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, k));
      return text::from_utf8(std::string_view(p ? p : "", sqlite3_column_bytes(stmt, k)));
    }
  }
}

class PlaceholderConnection : public Connection {
 public:
  explicit PlaceholderConnection(sqlite3* db) : db_(db) {}
  ~PlaceholderConnection() override { sqlite3_close_v2(db_); }

  int send(std::string_view statement) override {
    clear();
    message_.clear();
    std::string utf8 = text::to_utf8(statement);
    const char* at = utf8.c_str();
    const char* end = at + utf8.size();
    bool kept = false;
    while (at < end) {
      sqlite3_stmt* stmt = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v2(db_, at, static_cast<int>(end - at), &stmt, &tail) != SQLITE_OK) {
        return fail();
      }
      at = tail;
      if (!stmt) continue;  // blanks or a comment
      int rc = run(stmt, !kept);
      kept = kept || !rows_.empty() || sqlite3_column_count(stmt) > 0;
      sqlite3_finalize(stmt);
      if (rc != SQLITE_DONE) return fail();
    }
    return kOk;
  }
  std::string message() const override { return message_; }
  bool next() override {
    std::size_t n = row_ == npos ? 0 : row_ + 1;
    if (n >= rows_.size()) {
      row_ = rows_.size();
      return false;
    }
    row_ = n;
    return true;
  }
  std::size_t columns() const override { return row_ < rows_.size() ? rows_[row_].size() : 0; }
  std::string column(std::size_t k) const override {
    return row_ < rows_.size() && k < rows_[row_].size() ? rows_[row_][k] : std::string();
  }
  void clear() override {
    rows_.clear();
    row_ = npos;
  }

 private:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  int run(sqlite3_stmt* stmt, bool keep) {
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      if (!keep) continue;
      std::vector<std::string> row;
      for (int k = 0; k < sqlite3_column_count(stmt); ++k) row.push_back(column_text(stmt, k));
      rows_.push_back(std::move(row));
    }
    return rc;
  }
  int fail() {
    message_ = text::from_utf8(sqlite3_errmsg(db_));
    clear();
    return kRejected;
  }

  sqlite3* db_;
  std::string message_;
  std::vector<std::vector<std::string>> rows_;
  std::size_t row_ = npos;
};

}  // namespace

SqliteDriver::SqliteDriver(std::string path) : path_(std::move(path)) {}

std::unique_ptr<Connection> SqliteDriver::connect(std::string& error) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    error = text::from_utf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close_v2(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 5000);
  sqlite3_exec(db, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
  return std::make_unique<PlaceholderConnection>(db);
}

}  // namespace orv::sql::sqlite
