// The progress and script windows on a real database file, and the progress drawn in a terminal.
#include <gtest/gtest.h>

#include <cstdio>

#include "frame/progress_window.hpp"
#include "frame/script_window.hpp"
#include "frame/sql_channels.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/backends.hpp"
#include "platform/ui/terminal/terminal.hpp"
#include "server/server.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

// A demo database with two tables of its own: ten source ids, and a target that already holds
// 3, 6 and 9 so that inserting those fails on its primary key.
class OnDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server::create_database(dir.file("demo.db"), /*demo=*/true, error)) << error;
    driver = std::make_unique<sql::sqlite::SqliteDriver>(dir.file("demo.db"));
    reset_channels();
    previous = sql::set_current_driver(driver.get());
    for (const char* s :
         {"create table zrodlo (id integer)",
          "insert into zrodlo values (1),(2),(3),(4),(5),(6),(7),(8),(9),(10)",
          "create table cel (id integer primary key)", "insert into cel values (3),(6),(9)"}) {
      EXECSQL(s);
      ASSERT_EQ(VAX().error(), 0) << s << ": " << VAX().message();
    }
    CLOSESQL();
  }
  void TearDown() override {
    reset_channels();
    sql::set_current_driver(previous);
  }
  std::string scalar(const std::string& statement) { return FUNCSQL(statement, /*quiet=*/1); }

  test::TempDir dir;
  std::unique_ptr<sql::Driver> driver;
  sql::Driver* previous = nullptr;
};

// The ten-row run with three failures on real statements: the server rejects 3, 6 and 9.
TEST_F(OnDatabase, TenRowsThreeFailuresOnTheServer) {
  test::ScopedUi ui;
  ui.ui().add_script("answer no; answer no; answer no");
  ExecOptions o;
  o.query = "select id from zrodlo order by id";
  EXPECT_EQ(EXECSQLWINASK("insert into cel values (#1#)", o), 1);
  EXPECT_EQ(scalar("select count(*) from cel"), "10");
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_NE(ui.boxes()[0].box.text.find("UNIQUE"), std::string::npos) << ui.boxes()[0].box.text;
  const auto& w = ui.ui().windows().back();
  for (const auto& c : w.controls) {
    if (c.id == "KOMENTARZ") {
      EXPECT_EQ(c.value, "Wykonano 70%  ( 7 / 10 )");
    }
  }
}

// One statement per row of the demo's articles, each with its own id.
TEST_F(OnDatabase, OneStatementPerArticle) {
  test::ScopedUi ui;
  std::string count = scalar("select count(*) from artykul");
  ASSERT_NE(count, "0");
  ExecOptions o;
  o.query = "select id_artykulu, nazwa from artykul order by id_artykulu";
  EXPECT_EQ(EXECSQLWIN("update artykul set uwagi='W#1#' where id_artykulu=#1#", o), 1);
  EXPECT_EQ(scalar("select count(*) from artykul where uwagi like 'W%'"), count);
  EXPECT_EQ(scalar("select uwagi from artykul where id_artykulu=3"), "W3");
}

// A script of batches with a backquote, run through the window on the database.
TEST_F(OnDatabase, ScriptWindowRunsItsBatches) {
  test::ScopedUi ui;
  ui.ui().add_script("press WYKONAJ; press ZAMKNIJ");
  POKAZSQLWIN(
      "insert into zrodlo values (11)\r\ngo\r\nupdate zrodlo set id=12 where id=11 and "
      "`a`='a'\r\ngo\r\n",
      "Test");
  EXPECT_EQ(scalar("select count(*) from zrodlo where id=12"), "1");
  EXPECT_EQ(ui.boxes().back().box.text, "Skrypt SQL został wykonany poprawnie!"_w1250);
}

// In a terminal the window shows its counter and bar while the rows run.
TEST_F(OnDatabase, TerminalShowsCounterAndBar) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  ASSERT_TRUE(in && out);
  {
    ui::TerminalBackend terminal(in, out);
    ui::Backend* had = ui::set_backend(&terminal);
    ExecOptions o;
    o.query = "select id from zrodlo";
    EXPECT_EQ(EXECSQLWIN("update zrodlo set id=id where id=#1#", o), 1);
    ui::set_backend(had);
  }
  std::rewind(out);
  std::string shown;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;) shown.append(buffer, n);
  std::fclose(in);
  std::fclose(out);
  EXPECT_NE(shown.find("10 / 10"), std::string::npos) << shown;
  EXPECT_NE(shown.find("100%"), std::string::npos);
  EXPECT_NE(shown.find("█"), std::string::npos);  // the bar's full block
  EXPECT_NE(shown.find("(ExecSQLWin)"), std::string::npos);
}

// The progress window's counter at each redraw, and OK pressed once it shows.
class Watcher : public ui::HeadlessBackend {
 public:
  Watcher() : ui::HeadlessBackend({}, /*strict=*/true) { set_dry_tick_limit(kMaxDryTicks); }
  void window_changed(const ui::Window& w) override {
    for (const auto& c : w.controls()) {
      if (c.id == "LICZNIK" && (counters.empty() || counters.back() != c.caption))
        counters.push_back(c.caption);
      if (c.id == "OK" && !c.hidden && !pressed) {
        pressed = true;
        add_script("press OK");
      }
    }
  }
  std::vector<std::string> counters;
  bool pressed = false;
};

struct Summary {
  int result = -1;
  std::string comment;
  std::vector<std::string> counters;
};

// 10,000 statements through the window on the named backend, one row per timer event as the
// window's logic does it; the script's ticks come as fast as the workers finish.
Summary ten_thousand(const std::string& backend) {
  Watcher engine;
  auto session = ui::make_ui(backend, {}, &engine);
  ui::Backend* had = ui::set_backend(&session->backend());
  ExecOptions o;
  o.query = "select id from duzo order by id";
  o.keep_open = 1;
  Summary s;
  s.result = EXECSQLWIN("update duzo set n=#1# where id=#1#", o);
  ui::set_backend(had);
  for (const auto& c : engine.windows().back().controls) {
    if (c.id == "KOMENTARZ") s.comment = c.value;
  }
  s.counters = engine.counters;
  return s;
}

TEST_F(OnDatabase, TenThousandStatementsOnQtAsOnHeadless) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  if (!ui::ui_backend_usable("qt")) GTEST_SKIP() << "built without Qt";
  EXECSQL("create table duzo (id integer primary key, n integer)");
  for (int block = 0; block < 100; ++block) {
    std::string values;
    for (int i = 1; i <= 100; ++i)
      values += (i == 1 ? "(" : ",(") + std::to_string(block * 100 + i) + ",0)";
    EXECSQL("insert into duzo values " + values);
  }
  CLOSESQL();
  ASSERT_EQ(scalar("select count(*) from duzo"), "10000");
  Summary headless = ten_thousand("headless");
  Summary qt = ten_thousand("qt");
  EXPECT_EQ(qt.result, 1);
  EXPECT_EQ(qt.result, headless.result);
  EXPECT_EQ(qt.comment, headless.comment);
  ASSERT_FALSE(qt.counters.empty());
  EXPECT_EQ(qt.counters.back(), headless.counters.back());
  EXPECT_EQ(qt.counters.back(), "10000 / 10000");
  // Redrawn on its timer while the rows ran, not only at the end.
  EXPECT_GE(qt.counters.size(), 3u);
  EXPECT_EQ(scalar("select count(*) from duzo where n=id"), "10000");
}

}  // namespace
}  // namespace orv::frame
