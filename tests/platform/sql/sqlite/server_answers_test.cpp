// Everyday T-SQL as the server answers it: each case gives the statement, its SQLite translation
// and the server's own answer, which the translation must give through a real connection.
#include <gtest/gtest.h>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "sqlite_fixture.hpp"

namespace orv::sql::sqlite {
namespace {

struct AnswerCase {
  const char* tsql;
  const char* translation;  // the one SQLite statement it becomes
  const char* answer;       // cells by '|'; "ERR <message>" when the server refuses it
};

// clang-format off
const AnswerCase kAnswers[] = {
    // 1-3. Large numbers are carried, not cut to 10^18.
    {"select 1e33", "select 1e33", "1000000000000000000000000000000000"},
    {"select -2.5e20", "select -2.5e20", "-250000000000000000000"},
    {"select 99999999999999999", "select 99999999999999999", "99999999999999999"},
    // 4-8. CAST follows CONVERT: dates read, lengths cut, decimals rounded, errors raised.
    {"select cast('2024-01-05' as datetime)", "select convert('datetime','2024-01-05')", "2024-01-05 00:00:00.000"},
    {"select cast('abcdef' as varchar(3))", "select convert('varchar(3)','abcdef')", "abc"},
    {"select cast(12.345 as decimal(10,2))", "select convert('decimal(10,2)',12.345)", "12.35"},
    {"select cast('abc' as int)", "select convert('int','abc')", "ERR Conversion failed when converting the varchar value 'abc' to data type int."},
    {"select cast('12,5' as real)", "select convert('real','12,5')", "ERR Error converting data type varchar to real."},
    // 9-10. A moment plus or minus a number moves by days.
    {"select convert(datetime, '2024-03-01') - 1", "select dateadd('day', -(1), convert('datetime', '2024-03-01'))", "2024-02-29 00:00:00.000"},
    {"select convert(datetime, '2024-12-31') + 1", "select dateadd('day', (1), convert('datetime', '2024-12-31'))", "2025-01-01 00:00:00.000"},
    // 11-13. Texts compare as the database does, also without a column.
    {"select case when 'abc' = 'ABC  ' then 1 else 0 end", "select case when 'abc' COLLATE PL_CI_AS = 'ABC  ' COLLATE PL_CI_AS then 1 else 0 end", "1"},
    {"select case when upper('x') <> 'X ' then 1 else 0 end", "select case when upper('x') <> 'X ' COLLATE PL_CI_AS then 1 else 0 end", "0"},
    {"select case when 'a' < 'B' then 1 else 0 end", "select case when 'a' COLLATE PL_CI_AS < 'B' COLLATE PL_CI_AS then 1 else 0 end", "1"},
    // 14-17. Division by zero stops the statement; a literal divisor is left alone.
    {"select 1/0", "select 1/tsql_divisor(0)", "ERR Divide by zero error encountered."},
    {"select 7 % (2-2)", "select 7 % tsql_divisor((2-2))", "ERR Divide by zero error encountered."},
    {"select 10/4, 7 % 3", "select 10/4, 7 % 3", "2|1"},
    {"select 5/nullif(0,0)", "select 5/tsql_divisor(nullif(0,0))", ""},
    // 18-20. SUBSTRING counts positions before the first character against the length.
    {"select substring('abcdef', 0, 3)", "select substring('abcdef', 0, 3)", "ab"},
    {"select substring('abcdef', -1, 4)", "select substring('abcdef', -1, 4)", "ab"},
    {"select substring('abcdef', 2, -1)", "select substring('abcdef', 2, -1)", "ERR Invalid length parameter passed to the substring function."},
    // 21-23. FORMAT as a Polish login sees it, or in the culture given.
    {"select format(1234.5, 'N2')", "select format(1234.5, 'N2')", "1\xA0" "234,50"},
    {"select format(1234.5, 'N2', 'en-US'), format(0.125, 'P1', 'en-US')", "select format(1234.5, 'N2', 'en-US'), format(0.125, 'P1', 'en-US')", "1,234.50|12.5 %"},
    {"select format(convert(datetime, '2024-03-01 13:05'), 'dd.MM.yyyy HH:mm')", "select format(convert('datetime', '2024-03-01 13:05'), 'dd.MM.yyyy HH:mm')", "01.03.2024 13:05"},
    // 24-33. The common functions.
    {"select datalength('abc '), reverse('żółw')"_w1250, "select datalength('abc '), reverse('żółw')"_w1250, "4|włóż"_w1250},
    {"select str(12.55, 6, 1), str(123456, 3)", "select str(12.55, 6, 1), str(123456, 3)", "  12.6|***"},
    {"select patindex('%cd%', 'abcdef'), patindex('x%', 'abc')", "select patindex('%cd%', 'abcdef'), patindex('x%', 'abc')", "3|0"},
    {"select isdate('2024-02-30'), isdate('2024-02-29')", "select isdate('2024-02-30'), isdate('2024-02-29')", "0|1"},
    {"select stuff('abcdef', 2, 3, 'X'), stuff('abc', 5, 1, 'X')", "select stuff('abcdef', 2, 3, 'X'), stuff('abc', 5, 1, 'X')", "aXef|"},
    {"select quotename('a]b'), quotename('it''s', '''')", "select quotename('a]b'), quotename('it''s', '''')", "[a]]b]|'it''s'"},
    {"select len(newid()), ascii('A'), ascii('Ł')"_w1250, "select len(newid()), ascii('A'), ascii('Ł')"_w1250, "36|65|163"},
    {"select square(3), nchar(380), concat('a', null, 1)", "select square(3), nchar(380), concat('a', null, 1)", "9|ż|a1"_w1250},
    {"select log(exp(2)), log(8, 2)", "select log(exp(2)), log(8, 2)", "2|3"},
    {"select log(0)", "select log(0)", "ERR An invalid floating point operation occurred."},
    // 34-36. A decimal's places survive CONVERT to text and reach the channel.
    {"select convert(varchar, cast(1.50 as decimal(10,2)))", "select convert('varchar', convert('decimal(10,2)',1.50))", "1.50"},
    {"select cast(cast(2 as money) as varchar(10)), cast(1.5 as varchar)", "select convert('varchar(10)',convert('money',2)), convert('varchar',1.5)", "2.0000|1.5"},
    {"select cast(3 as decimal(5,1))", "select convert('decimal(5,1)',3)", "3.0"},
    // 37-41. int arithmetic fails past 2^31-1, bigint past 2^63-1; within them nothing changes.
    {"select 2147483647+1", "select tsql_int(2147483647+1)", "ERR Arithmetic overflow error converting expression to data type int."},
    {"select 65536*65536", "select tsql_int(65536*65536)", "ERR Arithmetic overflow error converting expression to data type int."},
    {"select 2147483646+1, -2147483647-1", "select 2147483646+1, -2147483647-1", "2147483647|-2147483648"},
    {"select cast(9223372036854775807 as bigint)+1", "select tsql_bigint(convert('bigint',9223372036854775807)+1)", "ERR Arithmetic overflow error converting expression to data type bigint."},
    {"select cast(3000000000 as bigint)*2", "select tsql_bigint(convert('bigint',3000000000)*2)", "6000000000"},
    // 42-44. CASE ... WHEN 'x' and IN ('a','b') compare as the database does.
    {"select case 'x' when 'X ' then 1 else 0 end", "select case 'x' when 'X ' COLLATE PL_CI_AS then 1 else 0 end", "1"},
    {"select case when 'a' in ('A ','b') then 1 else 0 end", "select case when 'a' COLLATE PL_CI_AS in ('A ','b') then 1 else 0 end", "1"},
    {"select case when upper('z') not in ('Z', 'y') then 1 else 0 end", "select case when upper('z') COLLATE PL_CI_AS not in ('Z', 'y') then 1 else 0 end", "0"},
    // 45-46. EXEC of a text; EXEC inside EXEC.
    {"exec('select 1+1')", "EXEC 'select 1+1'", "2"},
    {"exec('exec(''select 7'')')", "EXEC 'exec(''select 7'')'", "7"},
};
// clang-format on

TEST(ServerAnswers, TranslationAndTheServersAnswer) {
  test::TempDir dir;
  SqliteDriver driver(dir.file("a.db"));
  std::string error;
  auto c = driver.connect(error);
  ASSERT_TRUE(c) << error;
  int n = 0;
  for (const AnswerCase& a : kAnswers) {
    ++n;
    auto tr = dialect::translate(text::to_utf8(a.tsql), nullptr);
    ASSERT_TRUE(tr.ok) << n << ": " << tr.error;
    ASSERT_EQ(tr.plan.actions.size(), 1u) << n;
    const auto& action = tr.plan.actions[0];
    std::string translation = action.sql;
    if (action.kind == dialect::Action::Kind::Exec) translation.insert(0, "EXEC ");
    EXPECT_EQ(text::from_utf8(translation), a.translation) << n << ": " << a.tsql;
    std::string got;
    if (c->send(a.tsql) != kOk) {
      got = "ERR " + c->message();
    } else if (c->next()) {
      for (std::size_t k = 0; k < c->columns(); ++k) got += (k ? "|" : "") + c->column(k);
    }
    EXPECT_EQ(got, a.answer) << n << ": " << a.tsql;
  }
}

// WITH ... INSERT/UPDATE/DELETE is one statement, not a WITH cut off before its INSERT.
TEST(ServerAnswers, CommonTableExpressionsBeforeWrites) {
  test::TempDir dir;
  SqliteDriver driver(dir.file("w.db"));
  std::string error;
  auto c = driver.connect(error);
  ASSERT_TRUE(c) << error;
  ASSERT_EQ(c->send("create table t(a)"), kOk);
  const char* batch =
      "with c as (select 1 a union all select 2) insert into t select a from c "
      "with d as (select 2 a) update t set a = 20 where a in (select a from d) "
      "with e as (select 1 a) delete from t where a in (select a from e) "
      "select group_concat(a) from t";
  ASSERT_EQ(c->send(batch), kOk) << c->message();
  ASSERT_TRUE(c->next());
  EXPECT_EQ(c->column(0), "20");
}

// TOP n PERCENT, TOP n WITH TIES and SELECT INTO #t give the server's rows; the temporary table
// compares texts as the database does and is the connection's own.
TEST(ServerAnswers, TopFormsAndTemporaryTables) {
  test::TempDir dir;
  SqliteDriver driver(dir.file("t.db"));
  std::string error;
  auto c = driver.connect(error);
  auto other = driver.connect(error);
  ASSERT_TRUE(c && other) << error;
  ASSERT_EQ(c->send("create table t (a int, s varchar(5)) "
                    "insert into t values (1,'Ab'),(2,'b'),(2,'c'),(3,'d'),(4,'e')"),
            kOk)
      << c->message();
  struct {
    const char* batch;
    const char* rows;  // first column of every row, by ','
  } cases[] = {
      {"select top 50 percent a from t order by a", "1,2,2"},      // 1. 2.5 rows are 3
      {"select top 2 with ties a from t order by a", "1,2,2"},     // 2. the tie comes along
      {"select top (1) with ties a from t order by a desc", "4"},  // 3.
      {"select a, s into #k from t where a < 3 select count(*) from #k where s = 'AB  '", "1"},
      {"select t.a from t join #k on #k.s = t.s order by 1", "1,2,2"},  // 5. still there
  };
  int n = 0;
  for (const auto& k : cases) {
    ++n;
    ASSERT_EQ(c->send(k.batch), kOk) << n << ": " << c->message();
    std::string got;
    while (c->next()) got += (got.empty() ? "" : ",") + c->column(0);
    EXPECT_EQ(got, k.rows) << n << ": " << k.batch;
  }
  EXPECT_NE(other->send("select * from #k"), kOk);  // 6. another connection does not see it
}

}  // namespace
}  // namespace orv::sql::sqlite
