// Argument checks, savepoints and small value helpers of the server objects.
#include "server/server_object.hpp"

#include <cmath>
#include <utility>

#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::server {

Args::Args(std::string_view object, const std::vector<SqlValue>& values,
           std::initializer_list<const char*> names, std::size_t required)
    : object_(object), values_(values), names_(names.begin(), names.end()) {
  check_count(required);
}

Args::Args(const Signature& procedure, const std::vector<SqlValue>& values)
    : object_(procedure.name), values_(values), names_(procedure.parameters) {
  check_count(procedure.required);
}

void Args::check_count(std::size_t required) const {
  if (values_.size() > names_.size()) {
    throw ServerError{"Procedure or function " + object_ + " has too many arguments specified."};
  }
  if (values_.size() < required) {
    throw ServerError{"Procedure or function '" + object_ + "' expects parameter '@" +
                      names_[values_.size()] + "', which was not supplied."};
  }
}

bool Args::given(std::size_t i) const {
  return i < values_.size() && !values_[i].is_null();
}

const SqlValue& Args::required(std::size_t i) const {
  if (i >= values_.size()) {
    throw ServerError{"Procedure or function '" + object_ + "' expects parameter '@" + names_[i] +
                      "', which was not supplied."};
  }
  if (values_[i].is_null()) {
    throw ServerError{"Procedure or function '" + object_ + "': parameter '@" + names_[i] +
                      "' must not be NULL."};
  }
  return values_[i];
}

double Args::real(std::size_t i) const {
  const SqlValue& v = required(i);
  if (v.type == SqlValue::Type::Integer) return static_cast<double>(v.integer);
  if (v.type == SqlValue::Type::Real) return v.real;
  auto out = text::read_real(v.text);
  if (!out) {
    throw ServerError{"Error converting data type varchar to numeric (parameter '@" + names_[i] +
                      "' of " + object_ + ")."};
  }
  return *out;
}

int64_t Args::integer(std::size_t i) const {
  const SqlValue& v = required(i);
  if (v.type == SqlValue::Type::Integer) return v.integer;
  return static_cast<int64_t>(std::trunc(real(i)));
}

int64_t Args::integer_or(std::size_t i, int64_t fallback) const {
  return given(i) ? integer(i) : fallback;
}

double Args::real_or(std::size_t i, double fallback) const {
  return given(i) ? real(i) : fallback;
}

std::string Args::text(std::size_t i) const {
  return std::string(text::clip(required(i).as_text()));
}

std::string Args::text_or(std::size_t i, std::string fallback) const {
  return given(i) ? text(i) : std::move(fallback);
}

Savepoint::Savepoint(Session& session) : session_(session) {
  session_.exec("SAVEPOINT orv_server");
}

Savepoint::~Savepoint() {
  if (!open_) return;
  try {
    session_.exec("ROLLBACK TO orv_server");
    session_.exec("RELEASE orv_server");
  } catch (const ServerError&) {
    // The statement is failing already; its own error is the one to report.
  }
}

void Savepoint::release() {
  session_.exec("RELEASE orv_server");
  open_ = false;
}

double first_real(const Rows& rows, double fallback) {
  if (rows.rows.empty() || rows.rows[0].empty() || rows.rows[0][0].is_null()) return fallback;
  return rows.rows[0][0].as_real();
}

int64_t first_integer(const Rows& rows, int64_t fallback) {
  if (rows.rows.empty() || rows.rows[0].empty() || rows.rows[0][0].is_null()) return fallback;
  return rows.rows[0][0].as_integer();
}

double money(double v) {
  return round_to(v, 0.01);
}

std::string cut_utf8(std::string_view s, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
    if (chars == n) return std::string(s.substr(0, i));
    ++chars;
  }
  return std::string(s);
}

Rows one_row(std::vector<std::string> columns, std::vector<SqlValue> values) {
  Rows r;
  r.columns = std::move(columns);
  r.rows.push_back(std::move(values));
  return r;
}

}  // namespace orv::server
