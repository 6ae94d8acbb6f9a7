// The unixODBC connection: execute, fetch as text, diagnostics, output parameters.
#include "platform/sql/odbc/odbc_driver.hpp"

#include <sql.h>
#include <sqlext.h>

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
  std::optional<std::string> variable(std::string_view name) const override {
    if (!output_known_ || !text::equal_ci(name, output_name_)) return std::nullopt;
    return output_null_ ? std::string() : std::to_string(output_);
  }

 private:
  int fail(SQLRETURN rc);
  bool find_result();
  void finish_results();
  bool fetch_column(SQLUSMALLINT k, std::string& out, bool& null);

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
