// Plan execution: statements over their tails, registry calls, IF, variables bound as parameters.
#include "platform/sql/sqlite/executor.hpp"

#include <exception>
#include <optional>
#include <utility>

#include "platform/sql/sqlite/guard.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"
#include "platform/sql/sqlite/tsql_values.hpp"

namespace orv::sql::sqlite {
namespace {

using dialect::Action;

// The server's limit on EXEC inside EXEC.
constexpr int kMaxExecNesting = 32;

std::string quoted_identifier(std::string_view name) {
  std::string out = "\"";
  for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

bool only_blanks(const char* p, const char* end) {
  for (; p < end; ++p) {
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') return false;
  }
  return true;
}

struct ColumnInfo {
  std::vector<std::string> names;
  std::vector<int> scales;
};

// Places of a column: its declared type's, else (`on_row`) those its first value carries.
ColumnInfo describe(sqlite3_stmt* st, bool on_row) {
  ColumnInfo info;
  int n = sqlite3_column_count(st);
  for (int k = 0; k < n; ++k) {
    const char* name = sqlite3_column_name(st, k);
    info.names.emplace_back(name ? name : "");
    int scale = declared_scale(sqlite3_column_decltype(st, k));
    if (scale < 0 && on_row) scale = carried_scale(sqlite3_column_value(st, k)).value_or(-1);
    info.scales.push_back(scale);
  }
  return info;
}

// Rows kept in memory: a statement followed by more work, or a procedure's result.
class MemoryResult : public ResultSet {
 public:
  MemoryResult(ColumnInfo info, std::vector<std::vector<SqlValue>> rows)
      : info_(std::move(info)), rows_(std::move(rows)) {}
  std::size_t columns() const override { return info_.names.size(); }
  std::string name(std::size_t k) const override { return info_.names.at(k); }
  int scale(std::size_t k) const override { return info_.scales.at(k); }
  bool next() override { return ++row_ < rows_.size(); }
  SqlValue value(std::size_t k) const override {
    if (row_ >= rows_.size() || k >= rows_[row_].size()) return SqlValue::null();
    return rows_[row_][k];
  }
  const std::string& error() const override { return error_; }

 private:
  ColumnInfo info_;
  std::vector<std::vector<SqlValue>> rows_;
  std::size_t row_ = static_cast<std::size_t>(-1);
  std::string error_;
};

// The last statement of a batch, stepped as the caller reads; its first row is already there.
class LiveResult : public ResultSet {
 public:
  LiveResult(sqlite3* db, Statement st)
      : db_(db), st_(std::move(st)), info_(describe(st_.get(), /*on_row=*/true)) {}
  std::size_t columns() const override { return info_.names.size(); }
  std::string name(std::size_t k) const override { return info_.names.at(k); }
  int scale(std::size_t k) const override { return info_.scales.at(k); }
  bool next() override {
    if (pending_) return pending_ = false, true;
    if (done_) return false;
    int rc = sqlite3_step(st_.get());
    if (rc == SQLITE_ROW) return true;
    done_ = true;
    if (rc != SQLITE_DONE) error_ = failure_message(db_);
    return false;
  }
  SqlValue value(std::size_t k) const override {
    if (done_ || k >= info_.names.size()) return SqlValue::null();
    return column_value(st_.get(), static_cast<int>(k));
  }
  const std::string& error() const override { return error_; }

 private:
  sqlite3* db_;
  Statement st_;
  ColumnInfo info_;
  bool pending_ = true;
  bool done_ = false;
  std::string error_;
};

std::vector<SqlValue> row_of(sqlite3_stmt* st) {
  std::vector<SqlValue> row;
  int n = sqlite3_column_count(st);
  row.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) row.push_back(column_value(st, k));
  return row;
}

}  // namespace

std::string variable_key(std::string_view name) {
  while (!name.empty() && (name[0] == '@' || name[0] == '&' || name[0] == ':' || name[0] == '$')) {
    name.remove_prefix(1);
  }
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return key;
}

StatementCache::~StatementCache() {
  for (auto& e : entries_) sqlite3_finalize(e.second);
}

sqlite3_stmt* StatementCache::take(std::string_view sql) {
  auto it = index_.find(sql);
  if (it == index_.end()) return nullptr;
  sqlite3_stmt* st = it->second->second;
  auto entry = it->second;
  index_.erase(it);
  entries_.erase(entry);
  return st;
}

void StatementCache::give(std::string sql, sqlite3_stmt* st) {
  sqlite3_reset(st);
  sqlite3_clear_bindings(st);
  if (capacity_ == 0 || index_.count(sql)) {
    sqlite3_finalize(st);
    return;
  }
  entries_.emplace_front(std::move(sql), st);
  index_.emplace(entries_.front().first, entries_.begin());
  if (entries_.size() > capacity_) {
    index_.erase(entries_.back().first);
    sqlite3_finalize(entries_.back().second);
    entries_.pop_back();
  }
}

Statement::Statement(Statement&& o) noexcept
    : st_(o.st_), cache_(o.cache_), key_(std::move(o.key_)) {
  o.st_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept {
  if (this != &o) {
    release();
    st_ = o.st_, cache_ = o.cache_, key_ = std::move(o.key_);
    o.st_ = nullptr;
  }
  return *this;
}

Statement::~Statement() {
  release();
}

void Statement::release() {
  if (!st_) return;
  if (cache_)
    cache_->give(std::move(key_), st_);
  else
    sqlite3_finalize(st_);
  st_ = nullptr;
}

Rows drain_rows(ResultSet& result) {
  Rows rows;
  for (std::size_t k = 0; k < result.columns(); ++k) rows.columns.push_back(result.name(k));
  while (result.next()) {
    std::vector<SqlValue> row;
    for (std::size_t k = 0; k < result.columns(); ++k) row.push_back(result.value(k));
    rows.rows.push_back(std::move(row));
  }
  if (!result.error().empty()) throw ServerError{result.error()};
  return rows;
}

bool Executor::run(const dialect::Plan& plan, Variables& vars, std::unique_ptr<ResultSet>& result,
                   bool live, std::vector<std::unique_ptr<ResultSet>>* more) {
  vars_ = &vars;
  result_ = &result;
  more_ = more;
  live_ = live;
  error_.clear();
  return run_actions(plan.actions, true);
}

bool Executor::fail(std::string message) {
  error_ = std::move(message);
  return false;
}

bool Executor::fail_sqlite() {
  return fail(failure_message(db_));
}

bool Executor::run_actions(const std::vector<Action>& actions, bool top_level) {
  for (std::size_t i = 0; i < actions.size(); ++i) {
    if (!run_action(actions[i], top_level && i + 1 == actions.size())) return false;
  }
  return true;
}

bool Executor::run_action(const Action& a, bool last) {
  switch (a.kind) {
    case Action::Kind::Sql:
      return run_sql(a.sql, last);
    case Action::Kind::Call:
      return run_call(a);
    case Action::Kind::If:
      return run_if(a);
    case Action::Kind::Set:
      return run_set(a);
    case Action::Kind::Exec:
      return run_exec(a);
    case Action::Kind::SelectInto:
      return run_select_into(a);
    case Action::Kind::Declare: {
      std::vector<SqlValue> init;
      if (!a.sql.empty() && !evaluate(a.sql, init)) return false;
      (*vars_)[variable_key(a.name)] = init.empty() ? SqlValue::null() : init[0];
      return true;
    }
  }
  return fail("unknown action");
}

// Prepares the statement at p (advancing p past it); a text that is one whole statement comes
// from, and goes back to, the statement cache. An empty `out` means only blanks or comments.
bool Executor::prepare(const std::string& sql, const char*& p, Statement& out) {
  const char* end = sql.data() + sql.size();
  bool whole = p == sql.data();
  if (whole && statements_) {
    if (sqlite3_stmt* st = statements_->take(sql)) {
      out = Statement(st, statements_, sql);
      p = end;
      return true;
    }
  }
  sqlite3_stmt* st = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db_, p, static_cast<int>(end - p), &st, &tail) != SQLITE_OK) {
    sqlite3_finalize(st);
    return fail_sqlite();
  }
  p = tail && tail > p ? tail : end;
  bool cacheable = whole && statements_ && only_blanks(p, end);
  out = Statement(st, cacheable ? statements_ : nullptr, cacheable ? sql : std::string());
  return true;
}

// Parameters named after batch variables take their values; a variable the batch never set
// reads as NULL, as the translator expects of the executor.
bool Executor::bind(sqlite3_stmt* st) {
  int n = sqlite3_bind_parameter_count(st);
  for (int i = 1; i <= n; ++i) {
    const char* name = sqlite3_bind_parameter_name(st, i);
    auto it = name ? vars_->find(variable_key(name)) : vars_->end();
    int rc = it == vars_->end() ? sqlite3_bind_null(st, i) : bind_value(st, i, it->second);
    if (rc != SQLITE_OK) return fail_sqlite();
  }
  return true;
}

bool Executor::run_sql(const std::string& sql, bool last) {
  // SQLite would stop reading at the NUL and silently drop the rest of the batch.
  if (sql.find('\0') != std::string::npos) return fail("The statement contains a NUL character.");
  const char* p = sql.data();
  const char* end = p + sql.size();
  while (p < end) {
    Statement st;
    if (!prepare(sql, p, st)) return false;
    if (!st.get()) continue;
    if (!run_statement(std::move(st), last && only_blanks(p, end))) return false;
  }
  return true;
}

bool Executor::run_statement(Statement statement, bool last) {
  sqlite3_stmt* st = statement.get();
  if (!bind(st)) return false;
  int rc = sqlite3_step(st);
  bool first_result = !*result_ && sqlite3_column_count(st) > 0;
  if (rc == SQLITE_ROW && first_result && live_ && last) {
    *result_ = std::make_unique<LiveResult>(db_, std::move(statement));
    return true;
  }
  bool kept = first_result || (more_ && sqlite3_column_count(st) > 0);
  std::vector<std::vector<SqlValue>> rows;
  std::optional<ColumnInfo> info;
  for (; rc == SQLITE_ROW; rc = sqlite3_step(st)) {
    if (!kept) continue;
    if (!info) info = describe(st, /*on_row=*/true);
    rows.push_back(row_of(st));
  }
  if (rc != SQLITE_DONE) return fail_sqlite();
  if (!kept) return true;
  if (!info) info = describe(st, /*on_row=*/false);
  return keep_result(std::make_unique<MemoryResult>(std::move(*info), std::move(rows)));
  return true;
}

// The first result set is the channel's; later ones are kept only for a caller that asked.
bool Executor::keep_result(std::unique_ptr<ResultSet> rows) {
  if (!*result_)
    *result_ = std::move(rows);
  else if (more_)
    more_->push_back(std::move(rows));
  return true;
}

bool Executor::evaluate(const std::string& select_list, std::vector<SqlValue>& out) {
  std::string sql = "select " + select_list;
  const char* p = sql.data();
  Statement st;
  if (!prepare(sql, p, st)) return false;
  if (!st.get() || !only_blanks(p, sql.data() + sql.size())) {
    return fail("Incorrect syntax near '" + select_list + "'.");
  }
  if (!bind(st.get())) return false;
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_ROW)
    out = row_of(st.get());
  else if (rc != SQLITE_DONE)
    return fail_sqlite();
  return true;
}

// Argument values in the call's order; DEFAULT ones are not evaluated and come back empty.
bool Executor::call_arguments(const Action& a, std::vector<CallArgument>& out) {
  std::string list;
  for (std::size_t k = 0; k < a.args.size(); ++k)
    if (!a.args[k].empty()) list += (list.empty() ? "" : ", ") + a.args[k];
  std::vector<SqlValue> values;
  if (!list.empty() && !evaluate(list, values)) return false;
  std::size_t next = 0;
  for (std::size_t k = 0; k < a.args.size(); ++k) {
    CallArgument arg;
    if (k < a.arg_names.size()) arg.name = a.arg_names[k];
    if (!a.args[k].empty() && next < values.size()) arg.value = values[next++];
    out.push_back(std::move(arg));
  }
  return true;
}

bool Executor::run_call(const Action& a) {
  const ServerProcedure* found = server_objects().procedure(a.name);
  if (!found) return fail("Could not find stored procedure '" + a.name + "'.");
  ServerProcedure procedure = *found;
  const Signature* signature = server_objects().signature(a.name);
  std::vector<CallArgument> given;
  if (!call_arguments(a, given)) return false;
  ProcedureResult r;
  try {
    r = procedure(session_,
                  procedure_values(signature ? signature->name : a.name, signature, given));
  } catch (const ServerError& e) {
    return fail(e.message);
  } catch (const std::exception& e) {
    return fail(a.name + ": " + e.what());
  }
  if (!a.return_var.empty())
    (*vars_)[variable_key(a.return_var)] = SqlValue::of(int64_t{r.return_code});
  if (r.rows.columns.empty()) return true;
  ColumnInfo info{r.rows.columns, std::vector<int>(r.rows.columns.size(), -1)};
  return keep_result(std::make_unique<MemoryResult>(std::move(info), std::move(r.rows.rows)));
}

bool Executor::run_if(const Action& a) {
  std::vector<SqlValue> v;
  if (!evaluate("case when (" + a.sql + ") then 1 else 0 end", v)) return false;
  bool yes = !v.empty() && v[0].as_integer() == 1;
  return run_actions(yes ? a.then_actions : a.else_actions, false);
}

bool Executor::run_set(const Action& a) {
  std::vector<SqlValue> v;
  if (!evaluate(a.sql, v)) return false;
  (*vars_)[variable_key(a.name)] = v.empty() ? SqlValue::null() : v[0];
  return true;
}

// EXEC ('...'): the text is translated now and runs with variables of its own, as dynamic SQL
// does on the server; its result sets are the batch's. sp_executesql's parameters are that
// scope's variables, bound into the text, never pasted into it.
bool Executor::run_exec(const Action& a) {
  if (nesting_ >= kMaxExecNesting) {
    return fail(
        "Maximum stored procedure, function, trigger, or view nesting level exceeded "
        "(limit 32).");
  }
  std::vector<SqlValue> v;
  if (!evaluate(a.sql, v)) return false;
  if (v.empty() || v[0].is_null()) return true;
  Variables own;
  if (!a.args.empty() && !exec_parameters(a, v[0].as_text(), own)) return false;
  dialect::Translation tr = dialect::translate(v[0].as_text(), catalog_);
  if (!tr.ok) return fail(tr.error);
  Variables* outer = std::exchange(vars_, &own);
  ++nesting_;
  bool ok = run_actions(tr.plan.actions, false);
  --nesting_;
  vars_ = outer;
  return ok;
}

// The declared parameters of sp_executesql, each given its value in its declared type.
bool Executor::exec_parameters(const Action& a, const std::string& statement, Variables& own) {
  std::vector<CallArgument> given;
  if (!call_arguments(a, given)) return false;
  std::string declared = given[0].value ? given[0].value->as_text() : std::string();
  auto parameters = dialect::parse_parameters(declared);
  if (!parameters) return fail("Incorrect syntax near '" + declared + "'.");
  Signature signature{"sp_executesql", {}, 0};
  for (const auto& p : *parameters) signature.parameters.push_back(p.name);
  given.erase(given.begin());
  try {
    auto placed = arrange_arguments("sp_executesql", &signature, given);
    for (std::size_t k = 0; k < placed.size(); ++k) {
      const dialect::Parameter& p = (*parameters)[k];
      if (!placed[k]) {
        std::string message = "The parameterized query '(";
        message.append(declared).append(")").append(statement);
        return fail(message.append("' expects the parameter '")
                        .append(p.name)
                        .append("', which was not supplied."));
      }
      own[variable_key(p.name)] = tsql_known_type(p.type) && !placed[k]->is_null()
                                      ? tsql_convert(p.type, *placed[k], std::nullopt)
                                      : *placed[k];
    }
  } catch (const ServerError& e) {
    return fail(e.message);
  } catch (const TsqlError& e) {
    return fail(e.message);
  }
  return true;
}

// SELECT ... INTO t: t gets the SELECT's column names and declared types, and the database's
// text collation on every column, as a table the server makes keeps the source's collation.
bool Executor::run_select_into(const Action& a) {
  const char* p = a.sql.data();
  Statement select;
  if (!prepare(a.sql, p, select)) return false;
  if (!select.get() || sqlite3_column_count(select.get()) == 0)
    return fail("Incorrect syntax near the keyword 'INTO'.");
  bool temporary = a.name.starts_with("\"#");
  std::string create = temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  create += a.name + " (";
  for (int k = 0, n = sqlite3_column_count(select.get()); k < n; ++k) {
    const char* name = sqlite3_column_name(select.get(), k);
    const char* decl = sqlite3_column_decltype(select.get(), k);
    create += (k ? ", " : "") + quoted_identifier(name ? name : "");
    if (decl && *decl) create += std::string(" ") + decl;
    create += " COLLATE PL_CI_AS";
  }
  select = Statement();
  if (!run_sql(create + ")", false)) return false;
  return run_sql("INSERT INTO " + a.name + " " + a.sql, false);
}

}  // namespace orv::sql::sqlite
