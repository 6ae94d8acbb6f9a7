// The ODBC backend: call escapes, hidden passwords, and a real driver (the SQLite ODBC driver).
#include "platform/sql/odbc/odbc_driver.hpp"

#include <gtest/gtest.h>

#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::sql::odbc {
namespace {

struct EscapeCase {
  const char* name;
  const char* statement;
  const char* odbc;
  const char* variable;
};
void PrintTo(const EscapeCase& c, std::ostream* os) {
  *os << c.name;
}

const EscapeCase kEscapes[] = {
    // 1. A call becomes the ODBC call escape.
    {"Call", "call JL_AddWatchProcedure('X',15)", "{call JL_AddWatchProcedure('X',15)}", ""},
    // 2. Any case of the keyword, a blank before the parenthesis kept.
    {"CapitalCall", "Call JL_Zaznacz (15,5,7)", "{call JL_Zaznacz (15,5,7)}", ""},
    // 3. A return value: "{? = call ...}" with the variable as the output parameter.
    {"ReturnCode", "&RetCode = call RM_Zachowaj_TORIX_zaznaczone(2,15,1,2)",
     "{? = call RM_Zachowaj_TORIX_zaznaczone(2,15,1,2)}", "RetCode"},
    {"ReturnCodeNoBlanks", "&RetCode=CALL P()", "{? = call P()}", "RetCode"},
    {"LeadingBlanks", "   call P", "{call P}", ""},
    // 4. Everything else passes unchanged, "call" inside other text included.
    {"WordInSelect", "select call from t", "select call from t", ""},
    {"LongerWord", "callx(1)", "callx(1)", ""},
    {"InLiteral", "update t set a='call X'", "update t set a='call X'", ""},
    {"AlreadyEscaped", "{call P}", "{call P}", ""},
    {"AssignedSelect", "&RetCode = select 1", "&RetCode = select 1", ""},
    {"BareCall", "call", "call", ""},
};

class Escapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(Escapes, Translate) {
  OdbcStatement s = to_odbc(GetParam().statement);
  EXPECT_EQ(s.text, GetParam().odbc);
  EXPECT_EQ(s.output_variable, GetParam().variable);
}

INSTANTIATE_TEST_SUITE_P(Cases, Escapes, ::testing::ValuesIn(kEscapes), orv::test::named_case);

TEST(OdbcDriver, DescriptionHidesPasswords) {
  OdbcDriver d("Driver=FreeTDS;UID=sa;PWD=tajne;Database=orv;password = x");
  EXPECT_EQ(d.describe(), "odbc:Driver=FreeTDS;UID=sa;PWD=***;Database=orv;password =***");
}

TEST(OdbcDriver, MissingDriverIsAClearConnectError) {
  OdbcDriver d("Driver=NoSuchOdbcDriver;Database=x");
  std::string error;
  EXPECT_EQ(d.connect(error), nullptr);
  EXPECT_NE(error, "");
}

// ---------------------------------------------------------------------------------------------
// Through the SQLite ODBC driver on a temporary file.

class SqliteOdbc : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    connection = driver.connect(error);
    ASSERT_TRUE(connection) << "the SQLite3 ODBC driver must be installed: " << error;
  }
  int run(const std::string& statement) { return connection->send(statement); }
  std::vector<std::string> row() {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < connection->columns(); ++k) out.push_back(connection->column(k));
    return out;
  }

  test::TempDir dir;
  OdbcDriver driver{"Driver=SQLite3;Database=" + dir.file("odbc.db")};
  std::unique_ptr<Connection> connection;
};

TEST_F(SqliteOdbc, RowsNullsAndPolishTextRoundTrip) {
  ASSERT_EQ(run("create table t (id integer, a text)"), kOk) << connection->message();
  ASSERT_EQ(run("insert into t values (1, 'Łódź żółw'), (2, null)"_w1250), kOk);
  ASSERT_EQ(run("select id, a from t order by id"), kOk);
  ASSERT_TRUE(connection->next());
  EXPECT_EQ(row(), (std::vector<std::string>{"1", "Łódź żółw"_w1250}));
  ASSERT_TRUE(connection->next());
  EXPECT_EQ(row(), (std::vector<std::string>{"2", ""}));
  EXPECT_FALSE(connection->next());
  EXPECT_EQ(connection->columns(), 0u);
}

TEST_F(SqliteOdbc, TextLongerThanOneFetchBuffer) {
  std::string long_text(10000, 'q');
  long_text += "ą"_w1250;  // a Polish letter at the end, across the buffer boundary in UTF-8
  ASSERT_EQ(run("select '" + long_text + "'"), kOk);
  ASSERT_TRUE(connection->next());
  EXPECT_EQ(connection->column(0), long_text);
}

TEST_F(SqliteOdbc, ErrorsAreCodeNinetyWithTheDriversMessage) {
  EXPECT_EQ(run("select * from nosuch"), kRejected);
  EXPECT_NE(connection->message().find("no such table: nosuch"), std::string::npos);
  EXPECT_FALSE(connection->next());
  EXPECT_EQ(run("select 'abc"), kRejected);
  EXPECT_NE(connection->message(), "");
  ASSERT_EQ(run("select 5"), kOk);
  EXPECT_EQ(connection->message(), "");
}

TEST_F(SqliteOdbc, StatementWithoutRowsAndClearedResults) {
  ASSERT_EQ(run("create table u (a integer)"), kOk);
  EXPECT_EQ(run("update u set a = 1 where 0"), kOk);  // the driver's "no data" is a success
  EXPECT_FALSE(connection->next());
  ASSERT_EQ(run("insert into u values (1), (2)"), kOk);
  ASSERT_EQ(run("select a from u"), kOk);
  ASSERT_TRUE(connection->next());
  connection->clear();
  EXPECT_FALSE(connection->next());
  ASSERT_EQ(run("select count(*) from u"), kOk);
  ASSERT_TRUE(connection->next());
  EXPECT_EQ(connection->column(0), "2");
  EXPECT_EQ(connection->variable("RetCode"), std::nullopt);
}

}  // namespace
}  // namespace orv::sql::odbc
