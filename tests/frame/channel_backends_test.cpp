// One channel suite on real databases: the SQLite backend and ODBC over the same kind of file.
#include <gtest/gtest.h>

#include <thread>

#include "frame/marked_channel.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/sql/odbc/odbc_driver.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

struct Backend {
  const char* name;
  std::unique_ptr<sql::Driver> (*make)(const std::string& path);
};
void PrintTo(const Backend& b, std::ostream* os) {
  *os << b.name;
}

const Backend kBackends[] = {
    {"Sqlite",
     [](const std::string& path) -> std::unique_ptr<sql::Driver> {
       return std::make_unique<sql::sqlite::SqliteDriver>(path);
     }},
    {"Odbc",
     [](const std::string& path) -> std::unique_ptr<sql::Driver> {
       return std::make_unique<sql::odbc::OdbcDriver>("Driver=SQLite3;Database=" + path);
     }},
    // The SQLite ODBC driver with our extension loaded, as a third-party client would open
    // the library's database files.
    {"OdbcWithExtension",
     [](const std::string& path) -> std::unique_ptr<sql::Driver> {
       return std::make_unique<sql::odbc::OdbcDriver>("Driver=SQLite3;Database=" + path +
                                                      ";LoadExt=" ORV_BINARY_DIR "/tsqlext");
     }},
};

class OnBackend : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    driver = GetParam().make(dir.file("channels.db"));
    reset_channels();
    previous = sql::set_current_driver(driver.get());
    EXECSQL("create table k (id integer, nazwa text)");
    ASSERT_EQ(VAX().error(), 0) << "backend unavailable: " << VAX().message();
    EXECSQL("insert into k values (1, 'Łódź'), (2, 'Lublin'), (3, 'Żary')"_w1250);
    ASSERT_EQ(VAX().error(), 0) << VAX().message();
    CLOSESQL();
  }
  void TearDown() override {
    date::set_now(std::nullopt);
    reset_channels();
    sql::set_current_driver(previous);
  }
  std::vector<ui::ErrorWindowRecord> windows() { return ui.ui().error_windows(); }

  test::TempDir dir;
  test::ScopedUi ui;
  std::unique_ptr<sql::Driver> driver;
  sql::Driver* previous = nullptr;
};

TEST_P(OnBackend, ResultSetsAndScalarsOnEveryChannel) {
  ASSERT_EQ(ESQL("select id, nazwa from k order by id"), 0);
  std::vector<std::string> names;
  while (VAX().next()) names.push_back(VAX().field(2));
  CLOSESQL();
  EXPECT_EQ(names, (std::vector<std::string>{"Łódź"_w1250, "Lublin", "Żary"_w1250}));
  EXPECT_EQ(FUNCSQL("select count(*) from k"), "3");
  EXPECT_EQ(FUNCSQL2("select nazwa from k where id = 3"), "Żary"_w1250);
  EXPECT_EQ(FUNCSQL3("select nazwa from k where id = 9"), "");
  date::set_now(date::Moment{40000, date::make_time(10, 0, 0)});
  EXPECT_EQ(marked_query("select max(id) from k"), "3");
  date::set_now(date::Moment{40000, date::make_time(10, 0, 30)});
  EXPECT_EQ(FUNCTESTSQL("select 1"), "");  // the server answered half a minute ago
  date::set_now(date::Moment{40000, date::make_time(10, 30, 0)});
  EXPECT_EQ(FUNCTESTSQL("select 1"), "1");
  EXECSQLCRM("select id from k where id = 2");
  ASSERT_TRUE(VAXCRM().next());
  EXPECT_EQ(VAXCRM().field(1), "2");
  CLOSESQLCRM();
  EXPECT_TRUE(windows().empty());
}

TEST_P(OnBackend, PendingRowsSurviveStatementsOnOtherChannels) {
  ASSERT_EQ(ESQL("select id from k order by id"), 0);
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(FUNCSQL("select count(*) from k"), "3");
  marked_execute("update k set nazwa = nazwa where id = 1");
  EXECSQL2("select 1");
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(VAX().field(1), "2");
  CLOSESQL();
}

TEST_P(OnBackend, FailuresAreCodeNinetyWithTheDriversMessage) {
  EXECSQL("insert into nosuch values (1)");
  EXPECT_EQ(VAX().error(), 90);
  EXPECT_NE(VAX().message().find("nosuch"), std::string::npos);
  EXPECT_EQ(ESQL("select 'abc", 1), 5);
  EXPECT_EQ(ESQL(std::string("select 1\0", 9), 1), 5);
  EXPECT_TRUE(windows().empty());
  EXPECT_EQ(FUNCSQL("select nosuch from k"), "");
  ASSERT_EQ(windows().size(), 1u);
  EXPECT_EQ(windows()[0].statement, "select nosuch from k");
  EXPECT_NE(windows()[0].message.find("nosuch"), std::string::npos);
}

TEST_P(OnBackend, ThreadsQueryTheScalarChannelAtOnce) {
  std::vector<std::thread> threads;
  threads.reserve(4);
  std::atomic<int> wrong{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        std::string id = std::to_string(1 + (t + i) % 3);
        if (FUNCSQL("select id from k where id = " + id) != id) ++wrong;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_P(OnBackend, ServerCollationAndFunctionsWhereTheExtensionIsLoaded) {
  if (std::string(GetParam().name) == "Odbc") GTEST_SKIP() << "plain ODBC has no extension";
  // Polish alphabet order, case and trailing blanks ignored, T-SQL's len.
  ASSERT_EQ(ESQL("select nazwa from k order by nazwa collate PL_CI_AS"), 0) << VAX().message();
  std::vector<std::string> names;
  while (VAX().next()) names.push_back(VAX().field(1));
  CLOSESQL();
  EXPECT_EQ(names, (std::vector<std::string>{"Lublin", "Łódź"_w1250, "Żary"_w1250}));
  EXPECT_EQ(FUNCSQL("select count(*) from k where nazwa = 'LUBLIN   ' collate PL_CI_AS"), "1");
  EXPECT_EQ(FUNCSQL("select len('ab  ')"), "2");
}

INSTANTIATE_TEST_SUITE_P(Backends, OnBackend, ::testing::ValuesIn(kBackends),
                         orv::test::named_case);

}  // namespace
}  // namespace orv::frame
