// Arguments of EXEC and sp_executesql put in their parameters' order: positional, named, DEFAULT.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/server_objects.hpp"

namespace orv::sql::sqlite {

// One argument as the call wrote it: `name` empty when positional, `value` empty for DEFAULT.
struct CallArgument {
  std::string name;
  std::optional<SqlValue> value;
};

// The value of each declared parameter in order, nullopt where the call supplied none (or
// DEFAULT). Without a signature only positional arguments can be placed: they come back as
// given. Throws ServerError in the server's words for an unknown name, a name given twice and
// too many arguments. `object` names the procedure in messages.
std::vector<std::optional<SqlValue>> arrange_arguments(std::string_view object,
                                                       const Signature* signature,
                                                       const std::vector<CallArgument>& given);

// A procedure's values: what arrange_arguments placed, a parameter without a default that got
// nothing failing the call, an omitted one with a default as NULL (its default then applies),
// those after the last one supplied left out.
std::vector<SqlValue> procedure_values(std::string_view object, const Signature* signature,
                                       const std::vector<CallArgument>& given);

}  // namespace orv::sql::sqlite
