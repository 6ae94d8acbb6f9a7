// Server objects' queries: native SQL with ?-parameters, or T-SQL through the translator.
#include "platform/sql/sqlite/session.hpp"

#include <cctype>

#include "platform/sql/sqlite/guard.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"

namespace orv::sql::sqlite {
namespace {

// Only INSERT, UPDATE and DELETE count as changed rows; DDL leaves the previous count behind.
bool changes_rows(sqlite3_stmt* st) {
  if (sqlite3_stmt_readonly(st)) return false;
  std::string_view sql = sqlite3_sql(st);
  auto start = sql.find_first_not_of(" \t\r\n(");
  if (start == std::string_view::npos) return false;
  std::string word;
  for (auto i = start; i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])); ++i) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(sql[i])));
  }
  return word == "insert" || word == "update" || word == "delete" || word == "replace" ||
         word == "with";
}

}  // namespace

DbSession::DbSession(sqlite3* db, std::shared_ptr<dialect::TranslationCache> translations,
                     StatementCache* statements)
    : db_(db),
      translations_(translations ? std::move(translations)
                                 : std::make_shared<dialect::TranslationCache>()),
      catalog_(db),
      statements_(statements) {}

int64_t DbSession::run(std::string_view sql, const std::vector<SqlValue>& params, Rows* rows) {
  if (sql.find('\0') != std::string_view::npos) {
    throw ServerError{"The statement contains a NUL character."};
  }
  const char* p = sql.data();
  const char* end = p + sql.size();
  std::size_t next_param = 0;
  int64_t changed = 0;
  bool have_result = false;
  while (p < end) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, p, static_cast<int>(end - p), &raw, &tail) != SQLITE_OK) {
      sqlite3_finalize(raw);
      throw ServerError{failure_message(db_)};
    }
    p = tail && tail > p ? tail : end;
    if (!raw) continue;
    Statement st(raw, nullptr, {});
    for (int i = 1, n = sqlite3_bind_parameter_count(raw); i <= n; ++i) {
      if (next_param < params.size()) bind_value(raw, i, params[next_param++]);
    }
    bool collect = rows && !have_result && sqlite3_column_count(raw) > 0;
    if (collect) {
      have_result = true;
      for (int k = 0; k < sqlite3_column_count(raw); ++k) {
        rows->columns.emplace_back(sqlite3_column_name(raw, k));
      }
    }
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
      if (!collect) continue;
      std::vector<SqlValue> row;
      row.reserve(static_cast<std::size_t>(sqlite3_column_count(raw)));
      for (int k = 0; k < sqlite3_column_count(raw); ++k) row.push_back(column_value(raw, k));
      rows->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) throw ServerError{failure_message(db_)};
    if (changes_rows(raw)) changed += sqlite3_changes64(db_);
  }
  return changed;
}

Rows DbSession::query(std::string_view sql, const std::vector<SqlValue>& params) {
  Rows rows;
  run(sql, params, &rows);
  return rows;
}

int64_t DbSession::exec(std::string_view sql, const std::vector<SqlValue>& params) {
  return run(sql, params, nullptr);
}

Rows DbSession::query_tsql(std::string_view tsql) {
  auto translation = translations_->get(tsql, &catalog_);
  if (!translation->ok) throw ServerError{translation->error};
  Variables vars;
  std::unique_ptr<ResultSet> result;
  Executor executor(db_, *this, statements_, &catalog_);
  if (!executor.run(translation->plan, vars, result, /*live=*/false)) {
    throw ServerError{executor.error()};
  }
  return result ? drain_rows(*result) : Rows{};
}

int64_t DbSession::last_insert_id() {
  return sqlite3_last_insert_rowid(db_);
}

}  // namespace orv::sql::sqlite
