// Bound inserts: the values of file imports reach SQLite as parameters, never as SQL text.
#include <memory>

#include "platform/sql/driver.hpp"
#include "platform/sql/sqlite/blob_io.hpp"
#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

std::string insert_sql(const BoundRows& r) {
  std::string sql = "INSERT INTO \"" + r.table + "\" (";
  std::string marks;
  for (std::size_t i = 0; i < r.columns.size(); ++i) {
    sql += (i ? ", \"" : "\"") + r.columns[i] + "\"";
    marks += i ? ", ?" : "?";
  }
  return sql + ") VALUES (" + marks + ")";
}

// Texts are converted into `utf8` (kept until the row is stepped) and bound without a copy.
bool bind_row(sqlite3_stmt* s, const std::vector<BoundValue>& row, std::vector<std::string>& utf8) {
  utf8.resize(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    int at = static_cast<int>(i + 1);
    const BoundValue& v = row[i];
    int rc = SQLITE_OK;
    if (v.number) {
      rc = sqlite3_bind_double(s, at, v.n);
    } else if (v.text.empty()) {
      rc = sqlite3_bind_text(s, at, "", 0, SQLITE_STATIC);
    } else {
      utf8[i] = text::to_utf8(v.text);
      rc =
          sqlite3_bind_text(s, at, utf8[i].data(), static_cast<int>(utf8[i].size()), SQLITE_STATIC);
    }
    if (rc != SQLITE_OK) return false;
  }
  return true;
}

int step_rows(sqlite3* db, const BoundRows& rows, std::string& error) {
  sqlite3_stmt* raw = nullptr;
  std::string sql = insert_sql(rows);
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return kRejected;
  }
  std::unique_ptr<sqlite3_stmt, StmtCloser> s(raw);
  std::vector<std::string> utf8;
  for (const auto& row : rows.rows) {
    if (!bind_row(s.get(), row, utf8) || sqlite3_step(s.get()) != SQLITE_DONE) {
      error = sqlite3_errmsg(db);
      return kRejected;
    }
    sqlite3_reset(s.get());
  }
  return kOk;
}

}  // namespace

int insert_rows(sqlite3* db, const BoundRows& rows, std::string& error) {
  if (sqlite3_exec(db, "SAVEPOINT orv_rows", nullptr, nullptr, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return kRejected;
  }
  int rc = step_rows(db, rows, error);
  if (rc != kOk) sqlite3_exec(db, "ROLLBACK TO orv_rows", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "RELEASE orv_rows", nullptr, nullptr, nullptr);
  return rc;
}

}  // namespace orv::sql::sqlite
