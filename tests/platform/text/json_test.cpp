// The JSON reader hosts' records and arrays come through: what it takes and what it refuses.
#include "platform/text/json.hpp"
#include "support/case_names.hpp"

#include <gtest/gtest.h>

namespace orv::text {
namespace {

// A value written back compactly, to compare what was read.
std::string shown(const Json& j) {
  switch (j.type) {
    case Json::Type::Null:
      return "null";
    case Json::Type::Array: {
      std::string out = "[";
      for (const Json& i : j.items) out += (out.size() > 1 ? "," : "") + shown(i);
      return out + "]";
    }
    case Json::Type::Object: {
      std::string out = "{";
      for (const auto& m : j.members)
        out += (out.size() > 1 ? "," : "") + m.name + ":" + shown(m.value);
      return out + "}";
    }
    case Json::Type::String:
      return json_quote(j.text);
    default:
      return j.text;
  }
}

struct JsonCase {
  const char* name;
  std::string text;
  const char* read;  // the value as shown(), or the start of the error
};

const JsonCase kCases[] = {
    // 1. Every kind of value, blanks anywhere between.
    {"Kinds", " [1, -2.5e3, true, false, null, \"a\", {\"k\": []}] ",
     "[1,-2.5e3,true,false,null,\"a\",{k:[]}]"},
    // 2. Escapes, and \u of a Polish letter in its Windows-1250 byte; other bytes pass as they are.
    {"Escapes",
     R"(["\"\\\/\n\t", "\u0142\u00F3d\u017A", ")"
     "\xB3"
     R"("])",
     "[\"\\\"\\\\/\\n\\t\",\"\xB3\xF3"
     "d\x9F\",\"\xB3\"]"},
    // 3. What is not JSON says where.
    {"Trailing", "[1] x", "JSON: the end of the text expected at character 5"},
    {"LeadingZero", "[01]", "JSON: a number without leading zeros expected"},
    {"OpenString", "[\"abc", "JSON: the closing quote expected"},
    {"RawControl", "[\"a\nb\"]", "JSON: an escaped control character expected"},
    {"NoWindows1250", R"(["\u4E2D"])", "JSON: a character Windows-1250 has expected"},
    {"Surrogate", R"(["\uD800"])", "JSON: a character Windows-1250 has expected"},
    {"Deep", std::string(100, '[') + std::string(100, ']'), "JSON: a shallower nesting expected"},
    {"Empty", "", "JSON: a value expected at character 1"},
};

class JsonRead : public testing::TestWithParam<JsonCase> {};

TEST_P(JsonRead, TakesJsonAndRefusesTheRest) {
  std::string error;
  const auto j = parse_json(GetParam().text, error);
  const std::string got = j ? shown(*j) : error;
  EXPECT_EQ(got.rfind(GetParam().read, 0), 0u) << got << "\n" << GetParam().read;
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonRead, testing::ValuesIn(kCases), orv::test::named_case);

}  // namespace
}  // namespace orv::text
