// JSON as hosts hand records, arrays and bands across the ABI: read strictly, written plainly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::text {

struct JsonMember;

struct Json {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  std::string text;  // a string's value, a number as written, "true"/"false"
  std::vector<Json> items;
  std::vector<JsonMember> members;  // in the order written

  const Json* member(std::string_view name) const;
  bool is(Type t) const { return type == t; }
};

struct JsonMember {
  std::string name;
  Json value;
};

// One JSON value and nothing after it but blanks. Texts are Windows-1250: bytes pass through
// unchanged, "\uXXXX" escapes become the Windows-1250 character. nullopt with `error` (the
// offset and what was expected) when the text is not JSON or a \u character has no
// Windows-1250 form.
std::optional<Json> parse_json(std::string_view text, std::string& error);

// A string in JSON quotes: the escapes JSON needs, every other byte as it is.
std::string json_quote(std::string_view s);

}  // namespace orv::text
