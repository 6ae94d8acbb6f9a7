// The registry of server objects and SqlValue conversions.
#include "platform/sql/server_objects.hpp"

#include <cstdlib>

#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::sql {

double SqlValue::as_real() const {
  switch (type) {
    case Type::Integer:
      return static_cast<double>(integer);
    case Type::Real:
      return real;
    case Type::Text:
      return text::real_of(text);
    default:
      return 0;
  }
}

int64_t SqlValue::as_integer() const {
  switch (type) {
    case Type::Integer:
      return integer;
    case Type::Real:
      return static_cast<int64_t>(real);
    case Type::Text:
      return std::strtoll(text.c_str(), nullptr, 10);
    default:
      return 0;
  }
}

std::string SqlValue::as_text() const {
  switch (type) {
    case Type::Integer:
      return std::to_string(integer);
    case Type::Real:
      return plain_number(real);
    case Type::Text:
    case Type::Blob:
      return text;
    default:
      return {};
  }
}

void ServerObjects::add_procedure(std::string name, ServerProcedure fn) {
  std::lock_guard lock(mutex_);
  procedures_.push_back({std::move(name), std::move(fn), std::nullopt});
}

void ServerObjects::add_procedure(Signature signature, ServerProcedure fn) {
  std::lock_guard lock(mutex_);
  std::string name = signature.name;
  procedures_.push_back({std::move(name), std::move(fn), std::move(signature)});
}

void ServerObjects::add_scalar(std::string name, int args, ScalarFunction fn) {
  std::lock_guard lock(mutex_);
  scalars_.push_back({std::move(name), args, std::move(fn)});
}

void ServerObjects::add_table(std::string name, std::vector<std::string> columns, int args,
                              TableFunction fn) {
  std::lock_guard lock(mutex_);
  tables_.push_back({std::move(name), std::move(columns), args, std::move(fn)});
}

const ServerProcedure* ServerObjects::procedure(std::string_view name) const {
  std::lock_guard lock(mutex_);
  for (const auto& p : procedures_) {
    if (text::equal_ci(p.name, name)) return &p.fn;
  }
  return nullptr;
}

const Signature* ServerObjects::signature(std::string_view name) const {
  std::lock_guard lock(mutex_);
  for (const auto& p : procedures_) {
    if (text::equal_ci(p.name, name)) return p.signature ? &*p.signature : nullptr;
  }
  return nullptr;
}

std::vector<ScalarEntry> ServerObjects::scalars() const {
  std::lock_guard lock(mutex_);
  return scalars_;
}

std::vector<TableEntry> ServerObjects::tables() const {
  std::lock_guard lock(mutex_);
  return tables_;
}

std::vector<std::string> ServerObjects::procedure_names() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const auto& p : procedures_) names.push_back(p.name);
  return names;
}

ServerObjects& server_objects() {
  static ServerObjects registry;
  return registry;
}

}  // namespace orv::sql
