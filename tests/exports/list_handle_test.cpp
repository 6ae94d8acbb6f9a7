// Lists at the C ABI: built by functions or read from JSON, and refused with a reason when bad.
#include "exports/list_handle.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun_host.h"
#include "exports/orvrun_list.h"
#include "platform/text/cp1250.hpp"

namespace orv::exports {
namespace {

using lists::Cell;

// The same list built by the functions and read from its JSON form.
TEST(ListHandle, FunctionsAndJsonBuildTheSameList) {
  ORVRUN_LIST* built = ORVRUN_LIST_NEW("Artykuły"_w1250);
  EXPECT_EQ(ORVRUN_LIST_COLUMN(built, "Cena", 40, "@n-14_`2", 2, 1), 1);
  EXPECT_EQ(ORVRUN_LIST_ROW(built), 1);
  EXPECT_EQ(ORVRUN_LIST_ROW(built), 2);
  EXPECT_EQ(ORVRUN_LIST_TEXT(built, 1, 1, "Łódź"_w1250), 1);
  EXPECT_EQ(ORVRUN_LIST_NUMBER(built, 1, 2, 12.5), 1);
  EXPECT_EQ(ORVRUN_LIST_NUMBER(built, 1, 4, 0x00FFFF), 1);
  EXPECT_EQ(ORVRUN_LIST_DATE(built, 2, 2, 78286), 1);
  EXPECT_EQ(ORVRUN_LIST_TEXT(built, 3, 1, "x"), 0);  // no row 3
  int32_t order[] = {2, 1};
  EXPECT_EQ(ORVRUN_LIST_VIEW(built, order, 2), 1);
  int32_t bad[] = {3};
  EXPECT_EQ(ORVRUN_LIST_VIEW(built, bad, 1), 0);

  std::string error;
  auto read = list_from_json(R"({"caption": "Artykuły", "columns": [{"title": "Cena",
      "width": 40, "picture": "@n-14_`2", "field": 2, "colours": true}], "rows": [
      ["Łódź", 12.5, null, {"colour": "#FFFF00"}], [null, {"date": "2015-05-01"}]],
      "view": [2, 1]})"_w1250,
                             error);
  ASSERT_TRUE(read) << error;
  const auto& a = built->list;
  const auto& b = read->list;
  EXPECT_EQ(a.caption, b.caption);
  EXPECT_EQ(a.columns[0].picture, b.columns[0].picture);
  EXPECT_EQ(a.columns[0].colours, b.columns[0].colours);
  EXPECT_EQ(b.rows[0][0].text, "Łódź"_w1250);
  EXPECT_EQ(a.rows[0][0].text, b.rows[0][0].text);
  EXPECT_EQ(a.rows[0][3].number, b.rows[0][3].number);  // yellow as the runtime holds it
  EXPECT_EQ(b.rows[1][1].kind, Cell::Kind::Date);
  EXPECT_EQ(a.rows[1][1].number, b.rows[1][1].number);
  EXPECT_EQ(a.view, b.view);
  ORVRUN_LIST_FREE(built);
}

struct BadCase {
  int n;
  const char* json;
  const char* why;
};

TEST(ListHandle, BadListsAreRefusedWithTheReason) {
  static const std::string kDeep(100, '[');
  const BadCase cases[] = {
      {1, "[1,", "JSON: a value expected at character 4"},
      {2, "{\"rows\": [[\"a\\q\"]]}", "JSON: an escape expected at character 15"},
      {3, "[]", "a list must be a JSON object"},
      {4, "{\"columns\": [{\"width\": 1.5}]}", "a column's width must be a whole number"},
      {5, "{\"rows\": [[{\"date\": \"2015-02-30\"}]]}",
       "a date must be YYYY-MM-DD or a day number, not \"2015-02-30\""},
      {6, "{\"rows\": [[{\"colour\": \"red\"}]]}", "a colour must be \"#RRGGBB\", not \"red\""},
      {7, "{\"rows\": [[\"\\u20ac\\u4e2d\"]]}", "JSON: a character Windows-1250 has expected"},
      {8, "{\"rows\": [[1]], \"view\": [2]}", "the view names row 2, which the list does not have"},
      {9, kDeep.c_str(), "JSON: a shallower nesting expected at character 66"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(list_from_json(c.json, error)) << c.n;
    EXPECT_EQ(error.substr(0, std::string(c.why).size()), c.why) << c.n << ": " << error;
  }
}

// By name, the list argument is its JSON text; a bad one stops the call before it runs.
TEST(ListHandle, CallByNameTakesTheJson) {
  int32_t proc = ORVRUN_PROC_FIND("EXPORTBROWSERTOEXCEL");
  ASSERT_GE(proc, 0);
  ORVRUN_PARAM_INFO info{};
  ASSERT_EQ(ORVRUN_PARAM_INFO_GET(proc, 0, &info), 1);
  EXPECT_EQ(info.type, ORVRUN_TYPE_LIST);
  ORVRUN_VALUE args[3] = {{1, 0, "{\"rows\": 5}", nullptr}, {1, 1, nullptr, nullptr}, {}};
  char* error = nullptr;
  EXPECT_EQ(ORVRUN_CALL(proc, args, 3, nullptr, &error), 0);
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(error, "argument list must be LIST: \"rows\" must be an array");
  ORVRUN_FREE(error);
}

}  // namespace
}  // namespace orv::exports
