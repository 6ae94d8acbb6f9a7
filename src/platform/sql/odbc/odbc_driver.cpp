// The unixODBC connection: execute, fetch as text, diagnostics, output parameters.
#include "platform/sql/odbc/odbc_driver.hpp"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/text/text.hpp"

namespace orv::sql::odbc {
namespace {

bool starts_with_word(std::string_view s, std::string_view word) {
  if (s.size() <= word.size() || !text::equal_ci(s.substr(0, word.size()), word)) return false;
  return std::isspace(static_cast<unsigned char>(s[word.size()])) != 0;
}

std::string_view skip_blanks(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  return s;
}

bool is_name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// "&Name = call rest": the variable's name and "rest", or false.
bool split_assigned_call(std::string_view s, std::string& name, std::string_view& rest) {
  if (s.empty() || s.front() != '&') return false;
  std::size_t n = 1;
  while (n < s.size() && is_name_char(s[n])) ++n;
  if (n == 1) return false;
  std::string_view after = skip_blanks(s.substr(n));
  if (after.empty() || after.front() != '=') return false;
  after = skip_blanks(after.substr(1));
  if (!starts_with_word(after, "call")) return false;
  name = std::string(s.substr(1, n - 1));
  rest = skip_blanks(after.substr(4));
  return true;
}

// Every diagnostic record of a handle, joined; converted to Windows-1250.
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string out;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLCHAR state[8] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[2048] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRec(type, handle, i, state, &native, text, sizeof text, &length);
    if (!SQL_SUCCEEDED(rc)) break;
    if (!out.empty()) out += "; ";
    out += text::from_utf8(reinterpret_cast<const char*>(text));
  }
  return out;
}

class OdbcConnection : public Connection {
 public:
  OdbcConnection(SQLHDBC dbc, SQLHSTMT stmt) : dbc_(dbc), stmt_(stmt) {}
  ~OdbcConnection() override {
    SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
  }

  int send(std::string_view statement) override;
  std::string message() const override { return message_; }
  bool next() override;
  bool next_result() override;
  std::size_t columns() const override { return row_.size(); }
  std::string column(std::size_t k) const override {
    return k < row_.size() ? row_[k] : std::string();
  }
  bool null(std::size_t k) const override { return k < nulls_.size() && nulls_[k]; }
  void clear() override;
  int read_blob(const BlobCell& cell, Blob& out) override;
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override;
  int insert_rows(const BoundRows& rows) override;
  std::optional<std::string> variable(std::string_view name) const override {
    if (!output_known_ || !text::equal_ci(name, output_name_)) return std::nullopt;
    return output_null_ ? std::string() : std::to_string(output_);
  }

 private:
  int fail(SQLRETURN rc);
  bool find_result();
  void finish_results();
  bool fetch_column(SQLUSMALLINT k, std::string& out, bool& null);
  int begin_blob(const BlobCell& cell);
  int execute(const std::string& utf8);
  int put_parts(std::span<const unsigned char> bytes);
  int fetch_parts(Blob& out);
  int execute_rows(const BoundRows& rows);

  SQLHDBC dbc_;
  SQLHSTMT stmt_;
  std::string message_;
  std::vector<std::string> row_;
  std::vector<bool> nulls_;
  SQLSMALLINT result_columns_ = 0;
  bool pending_ = false;
  std::string output_name_;
  SQLINTEGER output_ = 0;
  SQLLEN output_indicator_ = 0;
  bool output_known_ = false;
  bool output_null_ = false;
  int failed_code_ = kOk;
};

void OdbcConnection::clear() {
  SQLFreeStmt(stmt_, SQL_CLOSE);
  SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
  row_.clear();
  result_columns_ = 0;
  pending_ = false;
}

int OdbcConnection::fail(SQLRETURN rc) {
  message_ = diagnostics(SQL_HANDLE_STMT, stmt_);
  if (message_.empty()) message_ = "ODBC call failed (return code " + std::to_string(rc) + ")";
  clear();
  return rc == SQL_ERROR ? kRejected : kOther;
}

int OdbcConnection::send(std::string_view statement) {
  clear();
  message_.clear();
  output_name_.clear();
  output_known_ = output_null_ = false;
  OdbcStatement odbc = to_odbc(statement);
  std::string utf8 = text::to_utf8(odbc.text);
  if (!odbc.output_variable.empty()) {
    output_ = 0;
    output_indicator_ = 0;
    SQLRETURN rc = SQLBindParameter(stmt_, 1, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                    &output_, 0, &output_indicator_);
    if (!SQL_SUCCEEDED(rc)) return fail(rc);
    output_name_ = odbc.output_variable;
  }
  SQLRETURN rc = SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(utf8.data()),
                               static_cast<SQLINTEGER>(utf8.size()));
  // A searched update or delete that touched no row answers "no data": still a success.
  if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO && rc != SQL_NO_DATA) return fail(rc);
  pending_ = find_result();
  if (!pending_) finish_results();
  return kOk;
}

// Moves to the first result that has columns; false when the statement returned none.
bool OdbcConnection::find_result() {
  for (;;) {
    result_columns_ = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(stmt_, &result_columns_))) return false;
    if (result_columns_ > 0) return true;
    if (!SQL_SUCCEEDED(SQLMoreResults(stmt_))) return false;
  }
}

// Output parameters arrive once every result is consumed.
void OdbcConnection::finish_results() {
  if (output_name_.empty() || output_known_) return;
  while (SQL_SUCCEEDED(SQLMoreResults(stmt_))) {
  }
  output_known_ = true;
  output_null_ = output_indicator_ == SQL_NULL_DATA;
}

bool OdbcConnection::fetch_column(SQLUSMALLINT k, std::string& out, bool& null) {
  out.clear();
  null = false;
  char buffer[4096];
  for (;;) {
    SQLLEN length = 0;
    SQLRETURN rc = SQLGetData(stmt_, k, SQL_C_CHAR, buffer, sizeof buffer, &length);
    if (rc == SQL_NO_DATA) return true;
    if (!SQL_SUCCEEDED(rc)) return false;
    if (length == SQL_NULL_DATA) {
      null = true;
      return true;
    }
    // A part that filled the buffer leaves its terminating NUL in the last byte.
    bool partial = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof buffer);
    out.append(buffer, partial ? sizeof buffer - 1 : static_cast<std::size_t>(length));
    if (rc == SQL_SUCCESS) return true;
  }
}

bool OdbcConnection::next_result() {
  row_.clear();
  nulls_.clear();
  pending_ = SQL_SUCCEEDED(SQLMoreResults(stmt_)) && find_result();
  if (!pending_) finish_results();
  return pending_;
}

bool OdbcConnection::next() {
  row_.clear();
  nulls_.clear();
  if (!pending_) return false;
  SQLRETURN rc = SQLFetch(stmt_);
  if (!SQL_SUCCEEDED(rc)) {
    pending_ = false;
    finish_results();
    return false;
  }
  row_.resize(static_cast<std::size_t>(result_columns_));
  nulls_.assign(row_.size(), false);
  for (SQLSMALLINT k = 1; k <= result_columns_; ++k) {
    std::string value;
    bool null = false;
    if (!fetch_column(static_cast<SQLUSMALLINT>(k), value, null)) value.clear();
    row_[static_cast<std::size_t>(k - 1)] = text::from_utf8(value);
    nulls_[static_cast<std::size_t>(k - 1)] = null;
  }
  return true;
}

// Names that are not plain never reach SQL text, whatever the backend.
int OdbcConnection::begin_blob(const BlobCell& cell) {
  clear();
  message_.clear();
  output_name_.clear();
  if (cell.valid()) return kOk;
  message_ = "not a plain name in " + cell.describe();
  return kRejected;
}

// SQL_NEED_DATA, a success, or the failure already recorded (-1 after fail()).
int OdbcConnection::execute(const std::string& utf8) {
  std::string copy = utf8;
  SQLRETURN rc = SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(copy.data()),
                               static_cast<SQLINTEGER>(copy.size()));
  if (rc == SQL_NEED_DATA || SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return rc;
  failed_code_ = fail(rc);
  return -1;
}

// The value goes as data at execution, part by part with SQLPutData.
int OdbcConnection::put_parts(std::span<const unsigned char> bytes) {
  SQLPOINTER token = nullptr;
  SQLRETURN rc = SQLParamData(stmt_, &token);
  if (rc == SQL_NEED_DATA) {
    for (std::size_t at = 0; at < bytes.size(); at += kBlobPart) {
      auto n = static_cast<SQLLEN>(std::min(kBlobPart, bytes.size() - at));
      auto* part = const_cast<unsigned char*>(bytes.data() + at);
      rc = SQLPutData(stmt_, part, n);
      if (!SQL_SUCCEEDED(rc)) return fail(rc);
    }
    rc = SQLParamData(stmt_, &token);
  }
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) return fail(rc);
  return kOk;
}

int OdbcConnection::write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) {
  if (int rc = begin_blob(cell); rc != kOk) return rc;
  // No row, no update: a value stored nowhere must not look stored.
  static unsigned char none = 0;
  SQLLEN size = static_cast<SQLLEN>(bytes.size());
  SQLLEN length = bytes.empty() ? 0 : SQL_LEN_DATA_AT_EXEC(size);
  SQLBIGINT key = cell.key;
  SQLRETURN rc =
      SQLBindParameter(stmt_, 1, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_LONGVARBINARY,
                       static_cast<SQLULEN>(std::max<SQLLEN>(size, 1)), 0, &none, 0, &length);
  if (SQL_SUCCEEDED(rc)) {
    rc = SQLBindParameter(stmt_, 2, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &key, 0,
                          nullptr);
  }
  if (!SQL_SUCCEEDED(rc)) return fail(rc);
  std::string sql = text::to_utf8("UPDATE " + cell.table + " SET " + cell.column + " = ? WHERE " +
                                  cell.key_column + " = ?");
  int done = execute(sql);
  if (done == -1) return failed_code_;
  if (done == SQL_NEED_DATA) {
    if (int put = put_parts(bytes); put != kOk) return put;
  }
  SQLLEN rows = 0;
  SQLRowCount(stmt_, &rows);
  clear();
  if (rows > 0) return kOk;
  message_ = "no row of " + cell.describe();
  return kRejected;
}

// SQLGetData in parts: each call returns the next part until SQL_SUCCESS or SQL_NO_DATA.
int OdbcConnection::fetch_parts(Blob& out) {
  std::vector<unsigned char> part(kBlobPart);
  for (;;) {
    SQLLEN length = 0;
    SQLRETURN rc =
        SQLGetData(stmt_, 1, SQL_C_BINARY, part.data(), static_cast<SQLLEN>(part.size()), &length);
    if (rc == SQL_NO_DATA) return kOk;
    if (!SQL_SUCCEEDED(rc)) return fail(rc);
    if (length == SQL_NULL_DATA) {
      out.null = true;
      return kOk;
    }
    bool whole = rc == SQL_SUCCESS && length != SQL_NO_TOTAL;
    std::size_t n = whole ? static_cast<std::size_t>(length) : part.size();
    out.bytes.insert(out.bytes.end(), part.begin(), part.begin() + static_cast<long>(n));
    if (whole) return kOk;
  }
}

int OdbcConnection::read_blob(const BlobCell& cell, Blob& out) {
  out = {};
  if (int rc = begin_blob(cell); rc != kOk) return rc;
  SQLBIGINT key = cell.key;
  SQLRETURN rc = SQLBindParameter(stmt_, 1, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &key,
                                  0, nullptr);
  if (!SQL_SUCCEEDED(rc)) return fail(rc);
  std::string sql = text::to_utf8("SELECT " + cell.column + " FROM " + cell.table + " WHERE " +
                                  cell.key_column + " = ?");
  if (execute(sql) == -1) return failed_code_;
  rc = SQLFetch(stmt_);
  if (!SQL_SUCCEEDED(rc)) {
    if (rc != SQL_NO_DATA) return fail(rc);
    clear();
    message_ = "no row of " + cell.describe();
    return kRejected;
  }
  int got = fetch_parts(out);
  if (got != kOk) out = {};
  clear();
  return got;
}

// Each row's values bound afresh (texts as UTF-8) and the prepared INSERT executed.
int OdbcConnection::execute_rows(const BoundRows& rows) {
  std::string sql = "INSERT INTO " + rows.table + " (";
  std::string marks;
  for (std::size_t i = 0; i < rows.columns.size(); ++i) {
    sql += (i ? ", " : "") + rows.columns[i];
    marks += i ? ", ?" : "?";
  }
  sql += ") VALUES (" + marks + ")";
  SQLRETURN rc = SQLPrepare(stmt_, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS);
  if (!SQL_SUCCEEDED(rc)) return fail(rc);
  std::vector<std::string> texts(rows.columns.size());
  std::vector<double> numbers(rows.columns.size());
  std::vector<SQLLEN> lengths(rows.columns.size());
  for (const auto& row : rows.rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      auto at = static_cast<SQLUSMALLINT>(i + 1);
      if (row[i].number) {
        numbers[i] = row[i].n;
        lengths[i] = 0;
        rc = SQLBindParameter(stmt_, at, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0,
                              &numbers[i], 0, &lengths[i]);
      } else {
        texts[i] = text::to_utf8(row[i].text);
        lengths[i] = static_cast<SQLLEN>(texts[i].size());
        rc = SQLBindParameter(stmt_, at, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                              std::max<SQLULEN>(texts[i].size(), 1), 0, texts[i].data(), lengths[i],
                              &lengths[i]);
      }
      if (!SQL_SUCCEEDED(rc)) return fail(rc);
    }
    rc = SQLExecute(stmt_);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) return fail(rc);
    SQLFreeStmt(stmt_, SQL_CLOSE);
  }
  return kOk;
}

// All rows in one transaction: autocommit is off only for their time.
int OdbcConnection::insert_rows(const BoundRows& rows) {
  clear();
  message_.clear();
  output_name_.clear();
  if (!rows.valid()) {
    message_ = "not a plain name, or a row of another width, in " + rows.table;
    return kRejected;
  }
  SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
  int rc = execute_rows(rows);
  SQLEndTran(SQL_HANDLE_DBC, dbc_, rc == kOk ? SQL_COMMIT : SQL_ROLLBACK);
  SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  clear();
  return rc;
}

}  // namespace

OdbcStatement to_odbc(std::string_view statement) {
  std::string_view s = skip_blanks(statement);
  std::string name;
  std::string_view rest;
  if (split_assigned_call(s, name, rest)) return {"{? = call " + std::string(rest) + "}", name};
  if (starts_with_word(s, "call")) {
    return {"{call " + std::string(skip_blanks(s.substr(4))) + "}", {}};
  }
  return {std::string(statement), {}};
}

OdbcDriver::OdbcDriver(std::string connection_string)
    : connection_string_(std::move(connection_string)) {
  SQLHENV env = SQL_NULL_HENV;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  env_ = env;
}

OdbcDriver::~OdbcDriver() {
  if (env_) SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(env_));
}

std::unique_ptr<Connection> OdbcDriver::connect(std::string& error) {
  if (!env_) {
    error = "the ODBC driver manager could not be initialised";
    return nullptr;
  }
  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, static_cast<SQLHENV>(env_), &dbc))) {
    error = diagnostics(SQL_HANDLE_ENV, static_cast<SQLHENV>(env_));
    return nullptr;
  }
  std::string utf8 = text::to_utf8(connection_string_);
  SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(utf8.data()),
                                  static_cast<SQLSMALLINT>(utf8.size()), nullptr, 0, nullptr,
                                  SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    error = diagnostics(SQL_HANDLE_DBC, dbc);
    if (error.empty()) error = "cannot connect through ODBC";
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    return nullptr;
  }
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt))) {
    error = diagnostics(SQL_HANDLE_DBC, dbc);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    return nullptr;
  }
  return std::make_unique<OdbcConnection>(dbc, stmt);
}

std::string OdbcDriver::describe() const {
  std::string out;
  std::string_view rest = connection_string_;
  while (!rest.empty()) {
    std::size_t end = rest.find(';');
    std::string_view part = rest.substr(0, end);
    std::size_t eq = part.find('=');
    bool secret = eq != std::string_view::npos &&
                  (text::equal_ci(text::trim(part.substr(0, eq)), "PWD") ||
                   text::equal_ci(text::trim(part.substr(0, eq)), "Password"));
    if (!out.empty()) out += ';';
    out += secret ? std::string(part.substr(0, eq + 1)) + "***" : std::string(part);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return "odbc:" + out;
}

}  // namespace orv::sql::odbc
