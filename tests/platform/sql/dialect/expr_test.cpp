// The Pratt parser: T-SQL precedence, where an expression ends, and the nesting limit.
#include "platform/sql/dialect/expr.hpp"

#include <gtest/gtest.h>

#include "platform/sql/dialect/syntax.hpp"
#include "support/case_names.hpp"

namespace orv::sql::dialect {
namespace {

// Every node bracketed: "{a + {b * c}}"; a run of one level is one node.
std::string shape(const Tokens& t, const Expr& x, int k) {
  const Node& n = x.nodes[static_cast<std::size_t>(k)];
  auto kid = [&](std::size_t i) { return shape(t, x, n.kids[i]); };
  switch (n.kind) {
    case Node::Kind::Chain: {
      std::string s = "{" + kid(0);
      for (std::size_t i = 0; i < n.ops.size(); ++i) s += " " + n.ops[i] + " " + kid(i + 1);
      return s + "}";
    }
    case Node::Kind::Unary:
      return "{" + n.name + " " + kid(0) + "}";
    case Node::Kind::Predicate: {
      std::string s = "{" + kid(0) + " " + n.name;
      for (std::size_t i = 1; i < n.kids.size(); ++i) s += " " + kid(i);
      return s + "}";
    }
    case Node::Kind::Call:
    case Node::Kind::Paren: {
      std::string s = n.kind == Node::Kind::Call ? n.name + "(" : "(";
      for (std::size_t i = 0; i < n.kids.size(); ++i) s += (i ? "," : "") + kid(i);
      return s + ")";
    }
    case Node::Kind::Case: {
      std::string s = "case[";
      for (std::size_t i = 0; i < n.kids.size(); ++i) s += (i ? " " : "") + n.ops[i] + ":" + kid(i);
      return s + "]";
    }
    case Node::Kind::Cast:
      return "cast(" + kid(0) + " as " + n.name + ")";
    case Node::Kind::Subquery:
      return "subquery";
    case Node::Kind::Exists:
      return n.name + "(" + kid(0) + ")";
    case Node::Kind::Collate:
      return "{" + kid(0) + " collate}";
    default:
      return emit(t, n.begin, n.end);
  }
}

std::string parse(std::string_view sql) {
  LexResult r = lex(sql);
  auto match = match_brackets(r.tokens);
  Expr x;
  if (!parse_expression(r.tokens, match, 0, r.tokens.size(), 0, x)) return "not an expression";
  std::string s = shape(r.tokens, x, x.root);
  if (x.end < r.tokens.size()) s += " | " + emit(r.tokens, x.end, r.tokens.size());
  return s;
}

struct ExprCase {
  const char* name;
  const char* sql;
  const char* shape;  // " | rest" when the expression stops before the end
};

class Parses : public ::testing::TestWithParam<ExprCase> {};

TEST_P(Parses, Shape) {
  EXPECT_EQ(parse(GetParam().sql), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Parses,
    ::testing::Values(
        // 1 '*' binds tighter than '+', one flat run per level
        ExprCase{"MultiplyFirst", "a + b * c - d", "{a + {b * c} - d}"},
        // 2 bitwise operators share the additive level in T-SQL
        ExprCase{"BitwiseIsAdditive", "a & b + c", "{a & b + c}"},
        // 3 comparison looser than '+', AND looser than comparison, OR loosest
        ExprCase{"Logic", "a + 1 = b or c = d and e <> f",
                 "{{{a + 1} = b} or {{c = d} and {e <> f}}}"},
        // 4 NOT takes a whole comparison
        ExprCase{"NotComparison", "not a = b and c", "{{not {a = b}} and c}"},
        // 5 BETWEEN's AND is its own, not a conjunction
        ExprCase{"Between", "a between 1 and 2 and b", "{{a between 1 2} and b}"},
        // 6 NOT LIKE with ESCAPE, IN with a list and with a subquery
        ExprCase{"Predicates", "a not like 'x%' escape '!' or b in (1,2) or c in (select 1)",
                 "{{a not like 'x%' '!'} or {b in (1,2)} or {c in subquery}}"},
        // 7 IS NOT NULL
        ExprCase{"IsNotNull", "a is not null", "{a is null}"},
        // 8 unary minus binds tighter than '*'
        ExprCase{"UnaryMinus", "-a * b", "{{- a} * b}"},
        // 9 simple and searched CASE, nested
        ExprCase{"Case", "case x when 1 then 'a' else case when y then 'b' end end",
                 "case[operand:x when:1 then:'a' else:case[when:y then:'b']]"},
        // 10 CAST keeps its type text
        ExprCase{"Cast", "cast(a + 1 as numeric(15,2))", "cast({a + 1} as numeric(15,2))"},
        // 11 function calls: COUNT(*), DISTINCT, schema prefix, a blank before '('
        ExprCase{"Calls", "count(*) + count(distinct a) + s.f (1, 2)",
                 "{count(*) + count(a) + f(1,2)}"},
        // 12 EXISTS and a scalar subquery
        ExprCase{"Subqueries", "exists (select 1) and (select max(a) from t) > 1",
                 "{exists(subquery) and {subquery > 1}}"},
        // 13 the expression ends at an alias, a keyword or a comma
        ExprCase{"StopsAtAlias", "a + b total, c", "{a + b} | total, c"},
        ExprCase{"StopsAtKeyword", "x = 1 order by x", "{x = 1} | order by x"},
        // 14 dotted names and star forms
        ExprCase{"Names", "t.a + [s].[b] + \"c\"", "{t.a + [s].[b] + \"c\"}"},
        // 15 COLLATE is postfix
        ExprCase{"Collate", "a collate PL_CI_AS = b", "{{a collate} = b}"},
        // 16 window functions keep their OVER clause
        ExprCase{"Over", "row_number() over (order by a) + 1", "{row_number() + 1}"},
        // 17 keywords that cannot start an expression
        ExprCase{"NotAnExpression", "from t", "not an expression"},
        ExprCase{"UnclosedParen", "(a + b", "not an expression"},
        ExprCase{"CaseWithoutEnd", "case when a then b", "not an expression"}),
    orv::test::named_case);

TEST(Expr, NestingBeyondTheLimitIsAnErrorNotARecursion) {
  std::string deep = std::string(kMaxDepth + 5, '(') + "1" + std::string(kMaxDepth + 5, ')');
  LexResult r = lex(deep);
  auto match = match_brackets(r.tokens);
  Expr x;
  EXPECT_THROW(parse_expression(r.tokens, match, 0, r.tokens.size(), 0, x), DialectError);
  std::string ok = std::string(kMaxDepth / 2, '(') + "1" + std::string(kMaxDepth / 2, ')');
  LexResult r2 = lex(ok);
  EXPECT_TRUE(parse_expression(r2.tokens, match_brackets(r2.tokens), 0, r2.tokens.size(), 0, x));
}

TEST(Expr, LongSumIsOneFlatNode) {
  std::string sum = "1";
  for (int i = 0; i < 20000; ++i) sum += "+a";
  LexResult r = lex(sum);
  Expr x;
  ASSERT_TRUE(parse_expression(r.tokens, match_brackets(r.tokens), 0, r.tokens.size(), 0, x));
  EXPECT_EQ(x.nodes[static_cast<std::size_t>(x.root)].kids.size(), 20001u);
}

}  // namespace
}  // namespace orv::sql::dialect
