// Each rewrite pass alone: what it changes and, as much, what it must leave alone.
#include "platform/sql/dialect/passes.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "platform/sql/dialect/syntax.hpp"
#include "support/case_names.hpp"

namespace orv::sql::dialect {
namespace {

using Pass = std::function<void(Tokens&)>;

std::string run(const Pass& pass, std::string_view sql) {
  LexResult r = lex(sql);
  if (!r.ok()) return "lex error: " + r.error;
  try {
    pass(r.tokens);
  } catch (const DialectError& e) {
    return "error: " + e.message;
  }
  return emit(r.tokens);
}

struct PassCase {
  const char* name;
  Pass pass;
  const char* sql;
  const char* expected;
};

class PassAlone : public ::testing::TestWithParam<PassCase> {};

TEST_P(PassAlone, Rewrites) {
  EXPECT_EQ(run(GetParam().pass, GetParam().sql), GetParam().expected);
}

const Pass kHints = strip_hints;
const Pass kDbo = strip_dbo;
const Pass kOdbc = unwrap_odbc_escapes;
const Pass kUnicode = drop_unicode_prefix;
const Pass kRename = rename_functions;
const Pass kQuote = quote_type_arguments;
const Pass kCast = cast_to_convert;
const Pass kCalls = rewrite_string_calls;
const Pass kTop = top_to_limit;
const Pass kInsert = complete_insert;
const Pass kDelete = rewrite_delete;
const Pass kUpdate = rewrite_update_from;
const Pass kConcat = [](Tokens& t) { type_additions(t, nullptr, false); };
const Pass kDivide = guard_division;
const Pass kCollate = collate_literals;
const Pass kDates = date_arithmetic;

INSTANTIATE_TEST_SUITE_P(
    Cases, PassAlone,
    ::testing::Values(
        // hints: only hint groups after a table go; a CTE, a function argument and data stay
        PassCase{"HintAfterTable", kHints, "select a from t with (nolock) where x=1",
                 "select a from t where x=1"},
        PassCase{"HintSeveral", kHints, "update t with (rowlock, updlock) set a=1",
                 "update t set a=1"},
        PassCase{"HintOldFormNeedsKnownWords", kHints, "select f(nolock), g(x) from t (nolock)",
                 "select f(nolock), g(x) from t"},
        PassCase{"HintNotACte", kHints, "with c as (select 1) select * from c",
                 "with c as (select 1) select * from c"},
        PassCase{"HintNotSubquery", kHints, "select * from t with (select 1)",
                 "select * from t with (select 1)"},
        // dbo.
        PassCase{"DboEverywhere", kDbo, "select dbo.f(1) from dbo.t join [dbo].u on 1=1",
                 "select f(1) from t join u on 1=1"},
        PassCase{"DboKeepsOtherSchemas", kDbo, "select * from temp.t", "select * from temp.t"},
        // ODBC escapes
        PassCase{"OdbcFunction", kOdbc, "select {fn lcase(a)}, {ts '2025-01-01 10:00:00'}",
                 "select lower(a), '2025-01-01 10:00:00'"},
        PassCase{"OdbcOuterJoin", kOdbc, "select * from {oj a left outer join b on a.x=b.x}",
                 "select * from a left outer join b on a.x=b.x"},
        // N''
        PassCase{"UnicodePrefix", kUnicode, "select N'x', n'y', 'N'", "select 'x', 'y', 'N'"},
        // renamed functions
        PassCase{"IsnullOnlyAsCall", kRename, "select isnull(a,0), isnull from t",
                 "select ifnull(a,0), isnull from t"},
        PassCase{"Identity", kRename, "select @@identity, SCOPE_IDENTITY ()",
                 "select last_insert_rowid(), last_insert_rowid ()"},
        // type and date-part arguments
        PassCase{"QuoteConvertType", kQuote, "select convert(numeric(15, 2), x)",
                 "select convert('numeric(15,2)', x)"},
        PassCase{"QuoteConvertMax", kQuote, "select convert(varchar(max), x)",
                 "select convert('varchar(max)', x)"},
        PassCase{"QuoteOnlyFirstArgument", kQuote, "select datediff(dd, start, stop)",
                 "select datediff('dd', start, stop)"},
        PassCase{"QuoteNotAnExpression", kQuote, "select convert(a+b, x)",
                 "select convert(a+b, x)"},
        PassCase{"QuoteNeedsTwoArguments", kQuote, "select datepart(x)", "select datepart(x)"},
        // CAST follows CONVERT: every type CONVERT knows, sizes kept; others stay CAST
        PassCase{"CastReal", kCast, "select cast(a.b as real), cast(c as int)",
                 "select convert('real',a.b), convert('int',c)"},
        PassCase{"CastSized", kCast, "select cast(x as varchar(3)), CAST(y AS Decimal(10, 2))",
                 "select convert('varchar(3)',x), convert('decimal(10,2)',y)"},
        PassCase{"CastInnerAs", kCast, "select cast((select a as b from t) as datetime)",
                 "select convert('datetime',(select a as b from t))"},
        PassCase{"CastUnknownType", kCast, "select cast(x as xml)", "select cast(x as xml)"},
        PassCase{"CastRealNested", kCast, "select cast(cast(x as real) as real)",
                 "select convert('real',convert('real',x))"},
        // division: a divisor that may be zero is checked; literals other than 0 are not
        PassCase{"DivideByExpression", kDivide, "select a/b.c, a % f(x), a/-(b+1)*2",
                 "select a/tsql_divisor(b.c), a % tsql_divisor(f(x)), a/tsql_divisor(-(b+1))*2"},
        PassCase{"DivideByLiteral", kDivide, "select a/4, a/0.5, a/0",
                 "select a/4, a/0.5, a/tsql_divisor(0)"},
        PassCase{"DivideByCase", kDivide, "select 1/case when a=0 then 0 else a end",
                 "select 1/tsql_divisor(case when a=0 then 0 else a end)"},
        // literals compared with anything but a column take the database collation
        PassCase{"CollateBesideCall", kCollate, "select 1 where upper(a)='X' and b.c='Y'",
                 "select 1 where upper(a)='X' COLLATE PL_CI_AS and b.c='Y'"},
        PassCase{"CollateBothLiterals", kCollate,
                 "select 1 where 'a'<>@v and 'x' COLLATE binary='X'",
                 "select 1 where 'a' COLLATE PL_CI_AS<>@v and 'x' COLLATE binary='X'"},
        // a moment plus or minus a number moves by days; a tighter operator after it is left
        PassCase{"DateMinusDays", kDates, "select getdate() - 1, getdate()+n",
                 "select dateadd('day', -(1), getdate()), dateadd('day', (n), getdate())"},
        PassCase{"DateTighterOperator", kDates, "select getdate() - 1 * 2",
                 "select getdate() - 1 * 2"},
        // LEFT, RIGHT, CHARINDEX
        PassCase{"LeftRight", kCalls, "select left(a, n+1), right(a, 2)",
                 "select substr(a,1,n+1), substr(a,max(length(a)-(2),0)+1)"},
        PassCase{"LeftWrongArity", kCalls, "select left(a)", "select left(a)"},
        PassCase{"CharindexThreeArguments", kCalls, "select charindex(a, b, 3)",
                 "select charindex(a, b, 3)"},
        // TOP
        PassCase{"TopInsertSelect", kTop, "insert into t select top 5 a from u order by a",
                 "insert into t select a from u order by a LIMIT 5"},
        PassCase{"TopTwoLevels", kTop, "select top 1 a from (select top 2 a from t) x",
                 "select a from (select a from t LIMIT 2) x LIMIT 1"},
        PassCase{"TopUnknownCount", kTop, "select top x a from t", "select top x a from t"},
        // INSERT INTO, TRUNCATE
        PassCase{"InsertInto", kInsert, "insert t values (1)", "insert INTO t values (1)"},
        PassCase{"InsertKeepsInto", kInsert, "insert into t values (1)",
                 "insert into t values (1)"},
        // DELETE
        PassCase{"DeleteNoFrom", kDelete, "delete t where a=1", "delete FROM t where a=1"},
        PassCase{"DeleteNative", kDelete, "delete from t where a=1", "delete from t where a=1"},
        PassCase{"DeleteTopUntouched", kDelete, "delete top (5) from t", "delete top (5) from t"},
        PassCase{"DeleteAmbiguous", kDelete, "delete t from t, t x",
                 "error: The table 't' is ambiguous."},
        // UPDATE ... FROM
        PassCase{"UpdateNoFrom", kUpdate, "update t set t.a=1 where t.b=2",
                 "update t set a=1 where t.b=2"},
        PassCase{"UpdateCrossJoin", kUpdate, "update t set a=1 from t x cross join u",
                 "update t AS x set a=1 from u"},
        PassCase{"UpdateBracketedTarget", kUpdate, "update [t] set a=1 from [t] x, u where x.i=u.i",
                 "update [t] AS x set a=1 from u where x.i=u.i"},
        PassCase{"UpdateFallbackAliasFree", kUpdate,
                 "update t set a=1 from u t0 left join t on t.i=t0.i",
                 "update t AS t1 set a=1 from u t0 left join (SELECT rowid AS __rid,* FROM t) t on "
                 "t.i=t0.i WHERE t1.rowid=t.__rid"},
        // '+' typing alone
        PassCase{"ConcatOnly", kConcat, "select top 1 dbo.f(a+'x') from t with (nolock)",
                 "select top 1 dbo.f((a)||('x')) from t with (nolock)"}),
    orv::test::named_case);

}  // namespace
}  // namespace orv::sql::dialect
