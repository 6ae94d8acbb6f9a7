// Runs a translated plan on one SQLite connection: statements, procedure calls, IF, variables.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/server_objects.hpp"
#include "platform/sql/sqlite/call_arguments.hpp"

namespace orv::sql::sqlite {

// Batch variables by name without their sigil ("@x", "&RetCode", ":RetCode" -> "x", "retcode").
using Variables = std::map<std::string, SqlValue>;
std::string variable_key(std::string_view name);

// Prepared statements of one connection, reused by their SQL text. A statement is taken out
// while in use, so nested users (a server function querying mid-statement) never share one.
class StatementCache {
 public:
  explicit StatementCache(std::size_t capacity = 32) : capacity_(capacity) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;
  sqlite3_stmt* take(std::string_view sql);
  // Resets the statement and keeps it (finalizing the least recently used beyond capacity).
  void give(std::string sql, sqlite3_stmt* st);

 private:
  using Entry = std::pair<std::string, sqlite3_stmt*>;
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recent first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
};

// A prepared statement that goes back to its cache (or is finalized) when dropped.
class Statement {
 public:
  Statement() = default;
  Statement(sqlite3_stmt* st, StatementCache* cache, std::string key)
      : st_(st), cache_(cache), key_(std::move(key)) {}
  Statement(Statement&& o) noexcept;
  Statement& operator=(Statement&& o) noexcept;
  ~Statement();
  sqlite3_stmt* get() const { return st_; }

 private:
  void release();
  sqlite3_stmt* st_ = nullptr;
  StatementCache* cache_ = nullptr;
  std::string key_;
};

// The rows a send returns.
class ResultSet {
 public:
  virtual ~ResultSet() = default;
  virtual std::size_t columns() const = 0;
  virtual std::string name(std::size_t k) const = 0;
  // Declared decimal places of column k (NUMERIC(p,s)), -1 when the column declares none.
  virtual int scale(std::size_t k) const = 0;
  // The next row; false at the end, or on an error that error() then holds (UTF-8).
  virtual bool next() = 0;
  virtual SqlValue value(std::size_t k) const = 0;
  virtual const std::string& error() const = 0;
};

// All rows of a ResultSet from its current position (for server code that wants Rows).
Rows drain_rows(ResultSet& result);

class Executor {
 public:
  // `catalog`: the declared types dynamic SQL (EXEC of a text) is translated with.
  Executor(sqlite3* db, Session& session, StatementCache* statements,
           const dialect::Catalog* catalog = nullptr)
      : db_(db), session_(session), statements_(statements), catalog_(catalog) {}

  // Runs the plan. The rows of the first statement or procedure that returns a result set go
  // to `result`; with `live`, a last statement's rows are stepped as they are read instead of
  // being kept in memory. With `more`, every later result set is kept there, in order. False
  // with error() set (UTF-8) when a step fails; the batch stops.
  bool run(const dialect::Plan& plan, Variables& vars, std::unique_ptr<ResultSet>& result,
           bool live, std::vector<std::unique_ptr<ResultSet>>* more = nullptr);
  const std::string& error() const { return error_; }

 private:
  bool run_actions(const std::vector<dialect::Action>& actions, bool top_level);
  bool run_action(const dialect::Action& a, bool last);
  bool run_sql(const std::string& sql, bool last);
  bool run_statement(Statement st, bool last);
  bool run_call(const dialect::Action& a);
  bool run_if(const dialect::Action& a);
  bool run_set(const dialect::Action& a);
  bool run_exec(const dialect::Action& a);
  bool exec_parameters(const dialect::Action& a, const std::string& statement, Variables& own);
  bool call_arguments(const dialect::Action& a, std::vector<CallArgument>& out);
  bool run_select_into(const dialect::Action& a);
  bool keep_result(std::unique_ptr<ResultSet> rows);
  bool prepare(const std::string& sql, const char*& p, Statement& out);
  bool bind(sqlite3_stmt* st);
  bool evaluate(const std::string& select_list, std::vector<SqlValue>& out);
  bool fail(std::string message);
  bool fail_sqlite();

  sqlite3* db_;
  Session& session_;
  StatementCache* statements_;
  const dialect::Catalog* catalog_;
  Variables* vars_ = nullptr;
  std::unique_ptr<ResultSet>* result_ = nullptr;
  std::vector<std::unique_ptr<ResultSet>>* more_ = nullptr;
  bool live_ = false;
  int nesting_ = 0;  // EXEC ('...') inside EXEC
  std::string error_;
};

}  // namespace orv::sql::sqlite
