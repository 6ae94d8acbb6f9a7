// The CLI with the progress and script windows, the calendar and the date-range prompt.
#include <gtest/gtest.h>

#include "platform/date/date.hpp"
#include "platform/files/files.hpp"
#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

using orv::test::contains;

// The first result of a JSON call ("{\"result\": X, ...").
std::string result_of(const std::string& json) {
  auto at = json.find("\"result\": ");
  if (at == std::string::npos) return "<none>";
  at += 10;
  return json.substr(at, json.find(',', at) - at);
}

TEST(CliFrameDialogs, CalendarCtrlDReturnsToday) {
  auto r = run_cli({"call", "--json", "--ui-script", "key Ctrl+D", "KALENDARZ", "100", "100", "0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(result_of(r.out), std::to_string(date::today())) << r.out;
  EXPECT_TRUE(contains(r.out, "\"name\": \"Kalendarz\"")) << r.out;
  auto cancelled =
      run_cli({"call", "--json", "--ui-script", "key Esc", "KALENDARZ", "0", "0", "0"});
  EXPECT_EQ(result_of(cancelled.out), "0");
}

// The same script on the Qt backend gives the same result, and a picture each time it acts;
// a backend that is not there is a usage error naming those that are.
TEST(CliWindows2, CalendarOnEachBackendWithScreenshots) {
  test::TempDir dir;
  const std::vector<std::string> script = {
      "--ui-script", "choose MIESIAC Luty; choose DNI 14", "KALENDARZ", "0", "0", "81484"};
  auto headless = run_cli({"call", "--json", "--ui", "headless", script[0], script[1], script[2],
                           script[3], script[4], script[5]});
  auto shots = run_cli({"call", "--json", "--screenshot", dir.file("shots"), script[0], script[1],
                        script[2], script[3], script[4], script[5]});
  auto unknown = run_cli({"call", "--ui", "gtk", "KALENDARZ", "0", "0", "0"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(contains(unknown.err, "headless") && contains(unknown.err, "terminal"))
      << unknown.err;
  if (!contains(unknown.err, ", qt") && !contains(unknown.err, ": qt"))
    GTEST_SKIP() << "built without Qt";
  EXPECT_EQ(shots.status, 0) << shots.err;
  EXPECT_EQ(result_of(shots.out), result_of(headless.out));
  EXPECT_EQ(result_of(shots.out), "81497");
  for (const char* png : {"/001-Kalendarz.png", "/002-Kalendarz.png", "/003-Kalendarz.png"}) {
    auto picture = files::read_all(dir.file("shots") + png);
    ASSERT_TRUE(picture) << png;
    EXPECT_TRUE(picture->starts_with("\x89PNG")) << png;
  }
}

class CliOnDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    auto init = run_cli({"init", "--demo", "--db", db});
    ASSERT_EQ(init.status, 0) << init.err;
  }
  std::string scalar(const std::string& statement) {
    auto r = run_cli({"call", "--db", db, "FUNCSQL", statement, "1"});
    return r.out.empty() ? r.out : r.out.substr(0, r.out.size() - 1);
  }
  test::TempDir dir;
  std::string db = dir.file("demo.db");
};

// One statement per row of a driver query, through the CLI and the C ABI.
TEST_F(CliOnDatabase, ExecSqlWinRunsOneStatementPerRow) {
  ASSERT_EQ(run_cli({"call", "--db", db, "EXECSQL", "create table w2 (id integer, n text)"}).status,
            0);
  run_cli({"call", "--db", db, "EXECSQL", "insert into w2 values (1,''),(2,''),(3,'')"});
  auto r =
      run_cli({"call", "--json", "--db", db, "EXECSQLWIN", "update w2 set n='r#1#' where id=#1#",
               "", "", "select id from w2 order by id"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(result_of(r.out), "1") << r.out;
  EXPECT_TRUE(contains(r.out, "\"LICZNIK\": \"3 / 3\"")) << r.out;
  EXPECT_EQ(scalar("select count(*) from w2 where n like 'r%'"), "3");
  EXPECT_EQ(scalar("select n from w2 where id=2"), "r2");
}

// The same on the demo company's articles.
TEST_F(CliOnDatabase, ExecSqlWinOverTheDemoArticles) {
  std::string count = scalar("select count(*) from artykul");
  ASSERT_FALSE(count.empty());
  auto r = run_cli({"call", "--json", "--db", db, "EXECSQLWIN",
                    "update artykul set uwagi='W#1#' where id_artykulu=#1#", "", "",
                    "select id_artykulu from artykul"});
  EXPECT_EQ(result_of(r.out), "1") << r.out << r.err;
  EXPECT_EQ(scalar("select count(*) from artykul where uwagi like 'W%'"), count);
}

// Without a database the statement fails: the question, Yes to stopping, result 0.
TEST(CliFrameDialogs, ExecSqlWinAskWithoutDatabase) {
  auto r = run_cli({"call", "--json", "--answer", "yes", "EXECSQLWINASK", "update t set x=1"});
  EXPECT_EQ(result_of(r.out), "0") << r.out << r.err;
  EXPECT_TRUE(contains(r.out, "Czy chcesz przerwać wykonanie?")) << r.out;
}

TEST(CliFrameDialogs, ScriptWindowWarnsWhenABatchFails) {
  auto r = run_cli({"call", "--json", "--ui-script", "press \"Wykonaj SQL\"; key Esc",
                    "POKAZSQLWIN", "select 1\r\ngo\r\n", "Skrypt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.out,
                       "{\"kind\": \"warning\", \"title\": \"ORVEX: Ostrzeżenie\", "
                       "\"text\": \"no database is open\""))
      << r.out;
  EXPECT_TRUE(contains(r.out, "\"name\": \"PokazSQLWin\", \"title\": \"Skrypt\"")) << r.out;
}

TEST(CliFrameDialogs, DateRangeConfirmedFromAScript) {
  auto r = run_cli({"call", "--json", "--ui-script",
                    "choose ZAKRES \"bieżący miesiąc\"; press Zatwierdź", "PYTAJOZAKRESDAT", "1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(result_of(r.out), "1") << r.out;
  EXPECT_TRUE(contains(r.out, "\"ZAKRES\": \"bieżący miesiąc\"")) << r.out;
  auto quick = run_cli(
      {"call", "--json", "--ui-script", "choose popup 3", "PYTAJOZAKRES3DAT", "0", "0", "x"});
  EXPECT_EQ(result_of(quick.out), "5") << quick.out;
  EXPECT_TRUE(contains(quick.out, "\"range_name\": \"bieżący rok\"")) << quick.out;
}

TEST(CliFrameDialogs, WindowsAreListed) {
  auto r = run_cli({"windows"});
  EXPECT_EQ(r.status, 0);
  for (const char* part : {"EXECSQLWIN  \"ORVEX: Informacja\"  (INI section ExecSQLWin)",
                           "EXECSQLWINASK", "KALENDARZ  \"Kalendarz\"  (INI section Kalendarz)",
                           "KALENDARZ_OLD", "POKAZSQLWIN  \"Tekst\"  (INI section PokazSQLWin)",
                           "PYTAJOZAKRESDAT  \"Ustaw okres czasu\""}) {
    EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
  }
}

}  // namespace
}  // namespace orv
