// Hostile and broken input: a clear error or a pass-through, never a crash or a runaway.
#include <gtest/gtest.h>

#include <string>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/dialect/syntax.hpp"
#include "support/case_names.hpp"
#include "tests/platform/sql/dialect/dump.hpp"

namespace orv::sql::dialect {
namespace {

const std::string kTooDeep =
    "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into "
    "smaller queries.";

std::string repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct BadCase {
  const char* name;
  std::string sql;
  std::string expected;  // the plan dump, or "ERROR ..."
};

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, ClearOutcome) {
  EXPECT_EQ(test::dump(GetParam().sql), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    ::testing::Values(
        // 1 the apostrophe of a value closes the literal early: SQL Server's message
        BadCase{"ValueWithApostrophe", "update kontrahent set nazwa='O'Brien' where id=1",
                "ERROR Unclosed quotation mark after the character string ' where id=1'.\n"},
        // 2 a NUL byte in the middle
        BadCase{"NulByte", std::string("select 1\0 delete from t", 23),
                "ERROR Incorrect syntax: the statement contains a NUL character.\n"},
        // 2b many BEGIN; without END: each is SQLite's BEGIN, found in linear time, not 2^n
        BadCase{"UnclosedBegins", repeat("BEGIN; select 1; ", 40), repeat("BEGIN\nselect 1\n", 40)},
        // 3 0xFF bytes are identifier characters: passed to SQLite, which reports them
        BadCase{"FfBytes", "select \xFF\xFF from t\xFF", "select \xFF\xFF from t\xFF\n"},
        // 4 500 nested parentheses: refused before any recursion runs deep
        BadCase{"FiveHundredParentheses", "select " + repeat("(", 500) + "1" + repeat(")", 500),
                "ERROR " + kTooDeep + "\n"},
        // 5 500 nested subqueries
        BadCase{"NestedSubqueries", repeat("select (", 500) + "1" + repeat(")", 500),
                "ERROR " + kTooDeep + "\n"},
        // 6 a chain of unary minus signs in an expression the '+' typing parses
        BadCase{"UnaryChain", "select " + repeat("- ", 1000) + "1+a", "ERROR " + kTooDeep + "\n"},
        // 7 nested CASE without parentheses
        BadCase{"NestedCase",
                "select " + repeat("case when 1=1 then ", 300) + "1+a" + repeat(" end", 300),
                "ERROR " + kTooDeep + "\n"},
        // 8 nested IF statements
        BadCase{"NestedIf", repeat("if 1=1 ", 1000) + "select 1", "ERROR " + kTooDeep + "\n"},
        // 9 nested BEGIN blocks
        BadCase{"NestedBegin", repeat("begin ", 1000) + "select 1" + repeat(" end", 1000),
                "ERROR " + kTooDeep + "\n"},
        // 10 unbalanced parentheses are SQLite's to report
        BadCase{"Unbalanced", "select (1 from t", "select (1 from t\n"},
        BadCase{"ExtraClose", "select 1) from t", "select 1) from t\n"},
        // 11 constructs with no SQLite form pass unchanged so that SQLite names them
        BadCase{"UnknownConstruct", "merge into t using u on t.id=u.id when matched then delete",
                "merge into t using u on t.id=u.id when matched then delete\n"},
        BadCase{"WhileLoop", "while 1=0 select 1", "while 1=0\nselect 1\n"},
        BadCase{"TempTable", "select * into #tmp from t", "INTO \"#tmp\" select * from t\n"},
        // 12 a lone keyword
        BadCase{"LoneEnd", "end", "ERROR Incorrect syntax near the keyword 'end'.\n"},
        BadCase{"LoneIf", "if", "ERROR Incorrect syntax near the keyword 'if'.\n"},
        // 13 a FROM list ending in ',' or JOIN (found by fuzzing: read past the end, and a
        // dropped dangling comma would have turned an invalid UPDATE into a valid one)
        BadCase{"DanglingCommaInUpdate", "update t set a=b+'x' from t,",
                "update t set a=(b)||('x') from t,\n"},
        BadCase{"DanglingJoinInUpdate", "update t set a=1 from t x inner join",
                "update t set a=1 from t x inner join\n"},
        BadCase{"DanglingCommaInDelete", "delete t from t,", "delete t from t,\n"},
        BadCase{"DanglingCommaInSelect", "select a+b from t,", "select tsql_add(a,b) from t,\n"},
        // 14 only blanks and comments: nothing to run
        BadCase{"Empty", "  -- nothing\n /* at all */ ;;", ""}),
    orv::test::named_case);

TEST(BadInput, NestingJustBelowTheLimitStillTranslates) {
  std::string sql = "select " + repeat("(", 40) + "a+'x'" + repeat(")", 40) + " from t";
  Translation tr = translate(sql, nullptr);
  ASSERT_TRUE(tr.ok) << tr.error;
  EXPECT_NE(tr.plan.actions[0].sql.find("(a)||('x')"), std::string::npos);
}

TEST(BadInput, OneMegabyteStatementTranslates) {
  std::string sql = "insert into t (a) values ";
  while (sql.size() < (1u << 20)) sql += "('x'+b, dbo.f(1)),";
  sql += "(1)";
  Translation tr = translate(sql, nullptr);
  ASSERT_TRUE(tr.ok) << tr.error;
  ASSERT_EQ(tr.plan.actions.size(), 1u);
  const std::string& out = tr.plan.actions[0].sql;
  EXPECT_EQ(out.find("dbo."), std::string::npos);
  EXPECT_NE(out.find("(('x')||(b), f(1)),"), std::string::npos);
}

TEST(BadInput, OneMegabyteLiteralIsDataAndAnUnclosedOneIsReportedShort) {
  std::string body(1u << 20, 'w');
  Translation ok = translate("select '" + body + "'", nullptr);
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(ok.plan.actions[0].sql.size(), body.size() + 9);
  Translation bad = translate("select '" + body, nullptr);
  ASSERT_FALSE(bad.ok);
  EXPECT_LT(bad.error.size(), 300u);
}

TEST(BadInput, HundredThousandTermSumStaysFlat) {
  std::string sql = "select 'a'";
  for (int i = 0; i < 100000; ++i) sql += "+b";
  Translation tr = translate(sql, nullptr);
  ASSERT_TRUE(tr.ok) << tr.error;
  EXPECT_EQ(tr.plan.actions[0].sql.substr(0, 18), "select ('a')||(b)|");
}

TEST(BadInput, ManyStatementsInOneBatch) {
  std::string sql = repeat("delete t where a=1 if 1=1 select 2 ", 20000);
  Translation tr = translate(sql, nullptr);
  ASSERT_TRUE(tr.ok) << tr.error;
  EXPECT_EQ(tr.plan.actions.size(), 40000u);
  EXPECT_EQ(tr.plan.actions[0].sql, "delete FROM t where a=1");
}

}  // namespace
}  // namespace orv::sql::dialect
