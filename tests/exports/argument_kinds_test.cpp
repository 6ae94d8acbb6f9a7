// The argument kinds beyond texts and numbers, through ORVRUN_CALL as every host reaches them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/boundary.hpp"
#include "exports/orvrun.h"
#include "exports/orvrun_host.h"
#include "exports/table.hpp"
#include "support/case_names.hpp"

namespace {

// Echoes what it was given into what it may write: the record's first value gains "!", the
// texts are numbered, the band gets one line.
int16_t KINDS_PROBE(int16_t number, bool flag, ORVRUN_GROUP* record, ORVRUN_TEXT10* texts,
                    ORVRUN_BAND* band) noexcept {
  return orv::exports::guard(__func__, int16_t{0}, [&] {
    if (record && record->group.size()) record->group.at(0).values[0] += "!";
    for (int i = 0; texts && i < 10; ++i) {
      std::string v = std::to_string(i + 1) + texts->text[i].data;
      orv::exports::put_text(&texts->text[i], v);
    }
    if (band) band->band.texts.push_back({5001, 100, 50, flag ? "tak" : "nie"});
    return number;
  });
}
ORV_EXPORT(KINDS_PROBE, "test probe", "number", "flag", "record", "texts[4]", "band");

struct KindCase {
  const char* name;
  std::vector<const char*> args;  // nullptr = left out
  bool called;
  const char* expected;  // the result and the outs, or a part of the error
};

const KindCase kCases[] = {
    // 1. SHORT and BOOL read strictly; each structured kind comes back as JSON, texts cut to
    // their capacity (4 bytes).
    {"All",
     {"-32768", "true", R"([{"name": "L:A", "type": "STRING", "size": 5, "value": "ab"}])",
      R"(["x", "y", "", "", "", "", "", "", "", "abc"])", "@band"},
     true,
     R"(-32768|[{"name": "L:A", "type": "STRING", "size": 5, "value": "ab!"}]|["1x", "2y", "3", )"
     R"("4", "5", "6", "7", "8", "9", "10a"]|[{"number": 5001, "x": 100, "y": 50, "text": "tak"}])"},
    // 2. A SHORT out of range is refused before the procedure runs.
    {"ShortRange", {"32768", "1", nullptr, nullptr, nullptr}, false, "must be SHORT"},
    // 3. A BOOL is 1, 0, true or false.
    {"BoolWord", {"1", "yes", nullptr, nullptr, nullptr}, false, "must be BOOL"},
    // 4. A record field whose value does not fit its kind names the field.
    {"GroupValue",
     {"1", "0", R"([{"name": "L:N", "type": "BYTE", "value": 300}])", nullptr, nullptr},
     false,
     "field L:N: \"300\" is not a BYTE"},
    // 5. A text longer than its field is refused, not cut.
    {"GroupSize",
     {"1", "0", R"([{"name": "L:T", "type": "STRING", "size": 2, "value": "abc"}])", nullptr,
      nullptr},
     false,
     "longer than its 2 characters"},
    // 6. More than ten texts are refused; 7. JSON that is not JSON says where.
    {"TooManyTexts",
     {"1", "0", nullptr, R"(["1","2","3","4","5","6","7","8","9","10","11"])", nullptr},
     false,
     "at most 10 texts"},
    {"NotJson", {"1", "0", "[{", nullptr, nullptr}, false, "JSON: a member name expected at"},
};

class ArgumentKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(ArgumentKinds, CrossTheDynamicCall) {
  const int32_t proc = ORVRUN_PROC_FIND("KINDS_PROBE");
  ASSERT_GE(proc, 0);
  std::vector<ORVRUN_VALUE> values(5);
  for (std::size_t i = 0; i < 5; ++i) {
    values[i].given = GetParam().args[i] != nullptr;
    values[i].text = GetParam().args[i];
  }
  ORVRUN_VALUE result{};
  char* error = nullptr;
  const bool called = ORVRUN_CALL(proc, values.data(), 5, &result, &error) != 0;
  ASSERT_EQ(called, GetParam().called) << (error ? error : "");
  if (!called) {
    EXPECT_NE(std::string(error).find(GetParam().expected), std::string::npos) << error;
    ORVRUN_FREE(error);
    return;
  }
  std::string seen = std::to_string(static_cast<int>(result.number));
  for (std::size_t i = 2; i < 5; ++i) {
    seen += std::string("|") + (values[i].out ? values[i].out : "");
    ORVRUN_FREE(values[i].out);
  }
  EXPECT_EQ(seen, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArgumentKinds, ::testing::ValuesIn(kCases), orv::test::named_case);

// 9. Through the C ABI a record of every field kind, arrays included, goes to XML and back whole.
TEST(SavedFilterRecord, EveryKindRoundTripsThroughXml) {
  const std::string record =
      R"([{"name": "LOC:Tekst", "type": "STRING", "size": 12, "value": "O'Neil <&>\r\n"}, )"
      R"({"name": "LOC:Dlugi", "type": "LONG", "value": -2147483648}, )"
      R"({"name": "LOC:Krotki", "type": "SHORT", "value": -32768}, )"
      R"({"name": "LOC:Bajt", "type": "BYTE", "dim": 3, "value": [0, 255, 7]}, )"
      R"({"name": "LOC:Real", "type": "REAL", "value": 0.1}, )"
      R"({"name": "LOC:Kwota", "type": "DECIMAL", "size": 2, "value": -1250.05}, )"
      R"({"name": "LOC:Data", "type": "DATE", "dim": 2, "value": [82198, 0]}, )"
      R"({"name": "LOC:Czas", "type": "TIME", "value": 3600001}])";
  ORVRUN_GROUP* g = ORVRUN_GROUP_FROM_JSON(record.c_str(), nullptr);
  ASSERT_NE(g, nullptr);
  const uint8_t declared = 1;
  for (const uint8_t* order : {static_cast<const uint8_t*>(nullptr), &declared}) {
    char* xml = GRUPADOXML(g, order);
    char* before = ORVRUN_GROUP_TO_JSON(g);
    // The same record: XMLDOGRUPY clears it first, so only what the XML carries comes back.
    ORVRUN_GROUP* back = ORVRUN_GROUP_FROM_JSON(before, nullptr);
    XMLDOGRUPY(xml, back, order);  // declared order read back by position
    char* after = ORVRUN_GROUP_TO_JSON(back);
    EXPECT_STREQ(after, before) << xml;
    for (char* t : {xml, before, after}) ORVRUN_FREE(t);
    ORVRUN_GROUP_FREE(back);
  }
  ORVRUN_GROUP_FREE(g);
}

// 8. A host's own record through the handle functions, and back through JSON.
TEST(GroupHandle, BuildsChecksAndWritesJson) {
  ORVRUN_GROUP* g = ORVRUN_GROUP_NEW();
  EXPECT_EQ(ORVRUN_GROUP_ADD(g, "LOC:Ile", ORVRUN_FIELD_DECIMAL, 2, 0), 1);
  EXPECT_EQ(ORVRUN_GROUP_ADD(g, "LOC:Tab", ORVRUN_FIELD_STRING, 3, 2), 2);
  EXPECT_EQ(ORVRUN_GROUP_ADD(g, "LOC:X", 99, 0, 0), 0);
  EXPECT_EQ(ORVRUN_GROUP_SET(g, 1, 1, "2.5"), 1);
  EXPECT_EQ(ORVRUN_GROUP_SET(g, 1, 1, "dwa"), 0);
  EXPECT_EQ(ORVRUN_GROUP_SET(g, 2, 2, "abcd"), 0);
  EXPECT_EQ(ORVRUN_GROUP_SET(g, 2, 3, "a"), 0);
  EXPECT_EQ(ORVRUN_GROUP_SET(g, 2, 2, "O\"K"), 1);
  char* json = ORVRUN_GROUP_TO_JSON(g);
  EXPECT_STREQ(
      json,
      R"([{"name": "LOC:Ile", "type": "DECIMAL", "size": 2, "value": 2.50}, )"
      R"({"name": "LOC:Tab", "type": "STRING", "size": 3, "dim": 2, "value": ["", "O\"K"]}])");
  ORVRUN_GROUP* back = ORVRUN_GROUP_FROM_JSON(json, nullptr);
  char* again = ORVRUN_GROUP_TO_JSON(back);
  EXPECT_STREQ(again, json);
  ORVRUN_FREE(json);
  ORVRUN_FREE(again);
  ORVRUN_GROUP_FREE(back);
  ORVRUN_GROUP_FREE(g);
}

}  // namespace
