// Placing named and positional arguments as the server does before a procedure runs.
#include "platform/sql/sqlite/call_arguments.hpp"

#include <algorithm>

#include "platform/text/text.hpp"

namespace orv::sql::sqlite {
namespace {

std::string bare(std::string_view name) {
  return std::string(name.starts_with('@') ? name.substr(1) : name);
}

std::size_t position_of(std::string_view object, const Signature& s, const std::string& name) {
  std::string wanted = bare(name);
  auto it = std::find_if(s.parameters.begin(), s.parameters.end(),
                         [&](const std::string& p) { return text::equal_ci(bare(p), wanted); });
  if (it == s.parameters.end())
    throw ServerError{"@" + wanted + " is not a parameter for procedure " + std::string(object) +
                      "."};
  return static_cast<std::size_t>(it - s.parameters.begin());
}

[[noreturn]] void too_many(std::string_view object) {
  throw ServerError{"Procedure or function " + std::string(object) +
                    " has too many arguments specified."};
}

}  // namespace

std::vector<std::optional<SqlValue>> arrange_arguments(std::string_view object,
                                                       const Signature* signature,
                                                       const std::vector<CallArgument>& given) {
  std::vector<std::optional<SqlValue>> out;
  std::vector<bool> supplied;
  if (signature) {
    out.resize(signature->parameters.size());
    supplied.resize(out.size());
  }
  for (std::size_t k = 0; k < given.size(); ++k) {
    const CallArgument& a = given[k];
    if (!a.name.empty() && !signature)
      throw ServerError{"@" + bare(a.name) + " is not a parameter for procedure " +
                        std::string(object) + "."};
    if (!signature) {
      out.push_back(a.value);
      continue;
    }
    std::size_t at = a.name.empty() ? k : position_of(object, *signature, a.name);
    if (at >= out.size()) too_many(object);
    if (supplied[at])
      throw ServerError{"Parameter '@" + bare(signature->parameters[at]) +
                        "' was supplied multiple times."};
    supplied[at] = true;
    out[at] = a.value;
  }
  return out;
}

std::vector<SqlValue> procedure_values(std::string_view object, const Signature* signature,
                                       const std::vector<CallArgument>& given) {
  auto placed = arrange_arguments(object, signature, given);
  std::size_t used = placed.size();
  while (used > 0 && !placed[used - 1]) --used;
  std::size_t required = signature ? signature->required : 0;
  std::vector<SqlValue> out;
  for (std::size_t k = 0; k < std::max(used, required); ++k) {
    if (k < required && (k >= placed.size() || !placed[k])) {
      throw ServerError{"Procedure or function '" + std::string(object) + "' expects parameter '@" +
                        bare(signature->parameters[k]) + "', which was not supplied."};
    }
    out.push_back(placed[k].value_or(SqlValue::null()));
  }
  return out;
}

}  // namespace orv::sql::sqlite
