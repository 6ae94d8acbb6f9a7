// The driver's connections as the channels use them: texts, numbers, errors, server functions.
#include "platform/sql/sqlite/connection.hpp"

#include <gtest/gtest.h>

#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "sqlite_fixture.hpp"
#include "support/case_names.hpp"

namespace orv::sql::sqlite {
namespace {

class ConnectionTest : public testing::Test {
 protected:
  void SetUp() override {
    orv::test::register_test_objects();
    driver_ = std::make_unique<SqliteDriver>(dir_.file("c.db"));
    conn_ = connect();
  }

  std::unique_ptr<Connection> connect() {
    std::string error;
    auto c = driver_->connect(error);
    EXPECT_TRUE(c) << error;
    return c;
  }

  // Sends and reads every row: cells joined by '|', rows by ';'; "ERR <code>: <message>".
  std::string query(std::string_view statement, Connection* c = nullptr) {
    c = c ? c : conn_.get();
    int code = c->send(statement);
    if (code != kOk) return "ERR " + std::to_string(code) + ": " + c->message();
    std::string out;
    while (c->next()) {
      if (!out.empty()) out += ";";
      for (std::size_t k = 0; k < c->columns(); ++k) out += (k ? "|" : "") + c->column(k);
    }
    return out;
  }

  void exec(std::string_view statement) { ASSERT_EQ(query(statement), ""); }

  orv::test::TempDir dir_;
  std::unique_ptr<SqliteDriver> driver_;
  std::unique_ptr<Connection> conn_;
};

struct FormatCase {
  const char* name;
  SqlValue value;
  int scale;
  const char* expected;
};

class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, AsTheChannelsReadIt) {
  EXPECT_EQ(format_column(GetParam().value, GetParam().scale), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, Format,
    testing::Values(FormatCase{"decimal_keeps_its_places", SqlValue::of(1234.5), 2, "1234.50"},
                    FormatCase{"whole_decimal", SqlValue::of(int64_t{10}), 4, "10.0000"},
                    FormatCase{"negative_decimal", SqlValue::of(-0.5), 2, "-0.50"},
                    FormatCase{"decimal_rounded_to_scale", SqlValue::of(2.345), 2, "2.35"},
                    FormatCase{"scale_zero", SqlValue::of(7.0), 0, "7"},
                    FormatCase{"id_without_point_zero", SqlValue::of(4100001.0), -1, "4100001"},
                    FormatCase{"plain_real", SqlValue::of(0.1), -1, "0.1"},
                    FormatCase{"integer", SqlValue::of(int64_t{-42}), -1, "-42"},
                    FormatCase{"null_is_empty", SqlValue::null(), 2, ""},
                    FormatCase{"text_to_code_page", SqlValue::of(std::string("Łódź")), -1,
                               "Łódź"_w1250}),
    orv::test::named_case);

// Decimals come back with their declared places, ids and whole reals without ".0".
TEST_F(ConnectionTest, NumbersByDeclaredType) {
  exec(
      "create table d (id INTEGER PRIMARY KEY, kwota NUMERIC(15,2), stan NUMERIC(15,4), "
      "cena MONEY, ilosc NUMERIC(15), r REAL)");
  exec(
      "insert into d values (4100001, 1234.5, 10, 2.5, 3, 7.0), (2, 100, 2.5, 1, 4, 0.1), "
      "(3, NULL, -0.125, 0, 0, NULL)");
  EXPECT_EQ(query("select id, kwota, stan, cena, ilosc, r from d order by id"),
            "2|100.00|2.5000|1.0000|4|0.1;3||-0.1250|0.0000|0|;"
            "4100001|1234.50|10.0000|2.5000|3|7");
  // Expressions declare nothing: plain numbers, as the runtime writes them.
  EXPECT_EQ(query("select kwota*2, max(id), 7.0 from d where id=4100001"), "2469|4100001|7");
}

// Polish text goes in as Windows-1250, is kept as UTF-8 (so other tools read it), comes back.
TEST_F(ConnectionTest, PolishTextRoundTrip) {
  const std::string cp1250 = "Zażółć gęślą jaźń ŻÓŁW"_w1250;
  exec("create table p (s TEXT COLLATE PL_CI_AS)");
  exec("insert into p values ('" + cp1250 + "')");
  EXPECT_EQ(query("select s from p"), cp1250);
  auto raw = orv::test::open_plain_db(dir_.file("c.db"));
  EXPECT_EQ(orv::test::scalar(raw.get(), "select s from p"), text::to_utf8(cp1250));
  EXPECT_EQ(query("select count(*) from p where s = 'ZAŻÓŁĆ GĘŚLĄ JAŹŃ "
                  "żółw  '"_w1250),
            "1");
}

struct ErrorCase {
  const char* name;
  std::string_view statement;
  const char* message;
};

class Errors : public ConnectionTest, public testing::WithParamInterface<ErrorCase> {};

// Every failure is code 90 with the database's readable message; nothing throws.
TEST_P(Errors, AreCode90WithAMessage) {
  exec("create table e (a INTEGER PRIMARY KEY, b TEXT)");
  exec("insert into e values (1, 'x')");
  EXPECT_EQ(query(GetParam().statement), std::string("ERR 90: ") + GetParam().message);
  EXPECT_FALSE(conn_->next());
  EXPECT_EQ(query("select b from e"), "x");
  EXPECT_EQ(conn_->message(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Send, Errors,
    testing::Values(ErrorCase{"no_table", "select * from nosuch", "no such table: nosuch"},
                    ErrorCase{"syntax", "select * frm e", "near \"frm\": syntax error"},
                    ErrorCase{"double_quoted_is_a_column", "select \"nosuch\" from e",
                              "no such column: nosuch"},
                    ErrorCase{"unique_key", "insert into e values (1, 'y')",
                              "UNIQUE constraint failed: e.a"},
                    ErrorCase{"function_error", "select tsql_add('ab', 1)",
                              "Conversion failed when converting the varchar value 'ab' to data "
                              "type int."},
                    ErrorCase{"server_function_error", "select * from orv_test_range()",
                              "An insufficient number of arguments were supplied for the "
                              "procedure or function orv_test_range."},
                    ErrorCase{"aggregate_misuse", "select a from e where count(*) > 1",
                              "misuse of aggregate function count()"}),
    orv::test::named_case);

// A batch that opened a transaction and failed leaves no transaction holding the write lock.
// A NUL byte would make SQLite stop reading and drop the rest of the batch silently.
TEST_F(ConnectionTest, NulByteIsRejected) {
  exec("create table t (a)");
  std::string out = query(std::string_view("insert into t values (1)\0; drop table t", 39));
  EXPECT_EQ(out.rfind("ERR 90: ", 0), 0u) << out;
  EXPECT_NE(out.find("NUL character"), std::string::npos) << out;
  EXPECT_EQ(query("select count(*) from t"), "0");
}

TEST_F(ConnectionTest, FailedTransactionIsRolledBack) {
  exec("create table t (a)");
  EXPECT_EQ(query("begin; insert into t values (1); insert into nosuch values (1)"),
            "ERR 90: no such table: nosuch");
  auto other = connect();
  EXPECT_EQ(query("insert into t values (2)", other.get()), "");
  EXPECT_EQ(query("select group_concat(a) from t"), "2");
}

// A new send drops the rows still pending; clear() drops them too.
TEST_F(ConnectionTest, NewSendReplacesPendingRows) {
  exec("create table t (a); insert into t values (1), (2), (3)");
  ASSERT_EQ(conn_->send("select a from t order by a"), kOk);
  ASSERT_TRUE(conn_->next());
  EXPECT_EQ(conn_->column(0), "1");
  EXPECT_EQ(query("select count(*) from t"), "3");
  ASSERT_EQ(conn_->send("select a from t"), kOk);
  conn_->clear();
  EXPECT_FALSE(conn_->next());
  EXPECT_EQ(conn_->columns(), 0u);
  EXPECT_EQ(conn_->column(0), "");
}

// Every result set of a batch in order, after the first (the channel's): statements, EXEC of a
// text, empty ones; a failed batch and a new send leave none behind.
TEST_F(ConnectionTest, LaterResultSetsFollowTheFirst) {
  exec("create table t (a); insert into t values (1), (2)");
  ASSERT_EQ(conn_->send("select a from t order by a update t set a = a "
                        "select 'x' where 0 = 1 exec('select count(*) from t') select null"),
            kOk);
  std::vector<std::string> sets;
  do {
    std::string rows;
    while (conn_->next()) rows += (rows.empty() ? "" : ",") + conn_->column(0);
    sets.push_back(rows);
  } while (conn_->next_result());
  EXPECT_EQ(sets, (std::vector<std::string>{"1,2", "", "2", ""}));
  ASSERT_EQ(conn_->send("select 1 select 2"), kOk);
  ASSERT_EQ(conn_->send("select 3"), kOk);
  EXPECT_FALSE(conn_->next_result());
  EXPECT_NE(conn_->send("select 1 select nosuch"), kOk);
  EXPECT_FALSE(conn_->next_result());
}

// Server functions: a scalar querying its own connection, table-valued ones with arguments.
TEST_F(ConnectionTest, ServerFunctions) {
  EXPECT_EQ(query("select orv_test_double(21), orv_test_double(1.25)"), "42|2.5");
  EXPECT_EQ(query("select k, label from orv_test_range(3) order by k desc"), "3|k3;2|k2;1|k1");
  EXPECT_EQ(query("select count(*) from orv_test_range(0)"), "0");
  exec(
      "create table adres_pracownika (id_pracownika INTEGER, data_od INTEGER, typ TEXT COLLATE "
      "PL_CI_AS, ulica TEXT, nr_domu TEXT, nr_lokalu TEXT, kod_pocztowy TEXT, miejscowosc TEXT)");
  exec(
      "insert into adres_pracownika values (5,70000,'M','Stara','1','','00-001','Warszawa'), "
      "(5,79000,'M','Długa ','12 ','3 ','30-001 ','Kraków '), "
      "(5,90000,'M','Przyszła','9','','11-111','Gdańsk')"_w1250);
  const char* street =
      "select rtrim(ulica)||' '||rtrim(nr_domu)||case when len(nr_lokalu)>0 then "
      "'/'||rtrim(nr_lokalu) else '' end from orv_test_address(5,%d,'m')";
  char buf[512];
  std::snprintf(buf, sizeof buf, street, 80000);
  EXPECT_EQ(query(buf), "Długa 12/3"_w1250);
  std::snprintf(buf, sizeof buf, street, 95000);
  EXPECT_EQ(query(buf), "Przyszła 9"_w1250);
  EXPECT_EQ(query("select count(*) from orv_test_address(6,95000,'M')"), "0");
  EXPECT_EQ(query("select t.k, a.miejscowosc from orv_test_range(2) t join "
                  "orv_test_address(5, 70000 + t.k, 'M') a order by t.k"),
            "1|Warszawa;2|Warszawa");
}

// Many rows stream through next() one by one.
TEST_F(ConnectionTest, LongResultStreams) {
  exec("create table big (a INTEGER)");
  auto raw = orv::test::open_backend_db(dir_.file("c.db"));
  orv::test::exec_or_throw(raw.get(),
                           "with recursive n(i) as (select 1 union all select i+1 from n where "
                           "i<20000) insert into big select i from n");
  ASSERT_EQ(conn_->send("select a from big order by a"), kOk);
  int64_t rows = 0, sum = 0;
  while (conn_->next()) ++rows, sum += std::stoll(conn_->column(0));
  EXPECT_EQ(rows, 20000);
  EXPECT_EQ(sum, int64_t{20000} * 20001 / 2);
}

TEST_F(ConnectionTest, FileIsInWalMode) {
  EXPECT_EQ(query("pragma journal_mode"), "wal");
  EXPECT_EQ(driver_->describe(), "sqlite:" + dir_.file("c.db"));
}

TEST(Driver, UnopenableFileIsAnErrorNotACrash) {
  SqliteDriver driver("/nonexistent-dir/x.db");
  std::string error;
  EXPECT_EQ(driver.connect(error), nullptr);
  EXPECT_EQ(error, "unable to open database file: /nonexistent-dir/x.db");
}

}  // namespace
}  // namespace orv::sql::sqlite
