// What every server procedure and function shares: argument checks with the server's wording,
// typed reads of argument values, registration at load time and savepoints.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/server_objects.hpp"

namespace orv::server {

using sql::ProcedureResult;
using sql::Rows;
using sql::ServerError;
using sql::Session;
using sql::Signature;
using sql::SqlValue;

// The arguments of one call, checked against the object's parameter names: too many or too few
// fail the statement as the server would say it.
class Args {
 public:
  Args(std::string_view object, const std::vector<SqlValue>& values,
       std::initializer_list<const char*> names, std::size_t required);
  // A procedure's arguments, checked against its declared parameters.
  Args(const Signature& procedure, const std::vector<SqlValue>& values);

  std::size_t size() const { return values_.size(); }
  // Present and not NULL.
  bool given(std::size_t i) const;
  // A whole number; NULL or a text that is not a number fails the statement.
  int64_t integer(std::size_t i) const;
  int64_t integer_or(std::size_t i, int64_t fallback) const;
  double real(std::size_t i) const;
  double real_or(std::size_t i, double fallback) const;
  // A text with trailing blanks removed (numbers in their plain form); NULL fails the statement.
  std::string text(std::size_t i) const;
  std::string text_or(std::size_t i, std::string fallback) const;

 private:
  void check_count(std::size_t required) const;
  const SqlValue& required(std::size_t i) const;
  std::string object_;
  const std::vector<SqlValue>& values_;
  std::vector<std::string> names_;
};

// Registers server objects when the library loads: one static instance per source file.
struct Registrar {
  explicit Registrar(void (*add)(sql::ServerObjects&)) { add(sql::server_objects()); }
};

// A savepoint: all of a procedure's changes or none, also inside a caller's transaction.
class Savepoint {
 public:
  explicit Savepoint(Session& session);
  ~Savepoint();
  Savepoint(const Savepoint&) = delete;
  Savepoint& operator=(const Savepoint&) = delete;
  void release();

 private:
  Session& session_;
  bool open_ = true;
};

// First column of the first row as a number, `fallback` when there is no row or it is NULL.
double first_real(const Rows& rows, double fallback = 0);
int64_t first_integer(const Rows& rows, int64_t fallback = 0);

// An amount as the server keeps money: rounded to grosze, halves away from zero.
double money(double v);

// A UTF-8 text cut to at most `n` characters (never inside a character).
std::string cut_utf8(std::string_view s, std::size_t n);

// A result of one row.
Rows one_row(std::vector<std::string> columns, std::vector<SqlValue> values);

}  // namespace orv::server
