// A small JSON reader for what hosts hand the library (lists described in a file), UTF-8 in.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::json {

struct Value {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<Value> items;
  std::vector<std::pair<std::string, Value>> members;  // in document order

  // The member of that name, nullptr when absent or not an object.
  const Value* find(std::string_view name) const;
};

// Parses a whole document; nullopt with `error` (naming the offset) when it is not JSON.
// Nesting deeper than 64 levels is refused rather than followed.
std::optional<Value> parse(std::string_view text, std::string& error);

}  // namespace orv::json
