// The database server's own procedures and functions, as C++ registered by name.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sql {

// A value inside the database: texts here are UTF-8, as the database keeps them.
struct SqlValue {
  enum class Type { Null, Integer, Real, Text, Blob };
  Type type = Type::Null;
  int64_t integer = 0;
  double real = 0;
  std::string text;  // Text (UTF-8) or Blob bytes

  static SqlValue null() { return {}; }
  static SqlValue of(int64_t v) { return {Type::Integer, v, 0, {}}; }
  static SqlValue of(double v) { return {Type::Real, 0, v, {}}; }
  static SqlValue of(std::string v) { return {Type::Text, 0, 0, std::move(v)}; }
  bool is_null() const { return type == Type::Null; }
  double as_real() const;
  int64_t as_integer() const;
  std::string as_text() const;  // numbers in plain form, NULL as ""
};

struct Rows {
  std::vector<std::string> columns;
  std::vector<std::vector<SqlValue>> rows;
};

// Raised by a server object to fail the statement that called it; the message reaches the
// channel as the driver's message (code 90).
struct ServerError {
  std::string message;
};

// A server object's handle on the database it runs in, on the calling connection.
class Session {
 public:
  virtual ~Session() = default;
  // SQLite SQL with ?-parameters; throws ServerError on failure.
  virtual Rows query(std::string_view sql, const std::vector<SqlValue>& params = {}) = 0;
  // Returns the number of rows changed.
  virtual int64_t exec(std::string_view sql, const std::vector<SqlValue>& params = {}) = 0;
  // T-SQL as the library would send it (dynamic SQL built by a procedure): goes through the
  // dialect layer first. Returns the rows of its first result set.
  virtual Rows query_tsql(std::string_view tsql) = 0;
  virtual int64_t last_insert_id() = 0;
};

struct ProcedureResult {
  Rows rows;            // the result set the procedure returns, if any
  int return_code = 0;  // the value `&RetCode = call X(...)` receives
};

using ServerProcedure = std::function<ProcedureResult(Session&, const std::vector<SqlValue>&)>;

// A procedure's parameters as the server declares them: names in order (without '@'), the first
// `required` of them without a default. Callers may name them (EXEC X @name = value).
struct Signature {
  std::string name;
  std::vector<std::string> parameters;
  std::size_t required = 0;
};
using ScalarFunction = std::function<SqlValue(Session&, const std::vector<SqlValue>&)>;
using TableFunction = std::function<Rows(Session&, const std::vector<SqlValue>&)>;

struct ScalarEntry {
  std::string name;
  int args = -1;  // -1: any number
  ScalarFunction fn;
};
struct TableEntry {
  std::string name;
  std::vector<std::string> columns;
  int args = 0;
  TableFunction fn;
};

// Every server object, names compared case-insensitively ("dbo." prefixes are the caller's
// business). Filled at load time by the server's registrars; read by every connection.
class ServerObjects {
 public:
  void add_procedure(std::string name, ServerProcedure fn);
  // A procedure whose arguments may also be passed by name.
  void add_procedure(Signature signature, ServerProcedure fn);
  void add_scalar(std::string name, int args, ScalarFunction fn);
  void add_table(std::string name, std::vector<std::string> columns, int args, TableFunction fn);

  const ServerProcedure* procedure(std::string_view name) const;
  // The declared parameters, nullptr for an unknown procedure or one registered without them.
  const Signature* signature(std::string_view name) const;
  std::vector<ScalarEntry> scalars() const;
  std::vector<TableEntry> tables() const;
  std::vector<std::string> procedure_names() const;

 private:
  struct ProcEntry {
    std::string name;
    ServerProcedure fn;
    std::optional<Signature> signature;
  };
  mutable std::mutex mutex_;
  std::vector<ProcEntry> procedures_;
  std::vector<ScalarEntry> scalars_;
  std::vector<TableEntry> tables_;
};

ServerObjects& server_objects();

}  // namespace orv::sql
