// The progress window: statements on worker threads, driver queries, questions, stops, limits.
#include "frame/progress_window.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "frame/bound_channel.hpp"
#include "frame/sql_channels.hpp"
#include "frame/thread_status.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/threads/thread_registry.hpp"
#include "platform/ui/headless/headless.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

using sql::FakeAnswer;
using sql::Fault;

const std::string kWarningTitle = "ORVEX: Ostrzeżenie"_w1250;
const std::string kStopQuestion = "Czy chcesz przerwać wykonanie?"_w1250;
const std::string kFurtherQuestion =
    "Czy dalej wyświetlać komunikaty z pytaniem o przerwanie wykonania?"_w1250;
const std::string kFinished = "Zakończono wykonanie."_w1250;

// The headless backend with two hooks: a script that starts once "OK" shows (the window waits
// for the user only then), and a note of every prompt the window showed.
class ProgressUi : public ui::HeadlessBackend {
 public:
  ProgressUi() : ui::HeadlessBackend({}, /*strict=*/true) { set_dry_tick_limit(30000); }

  void window_changed(const ui::Window& w) override {
    for (const auto& c : w.controls()) {
      if (c.id == "KOMUNIKAT" && (prompts.empty() || prompts.back() != c.caption))
        prompts.push_back(c.caption);
      if (c.id == "OK" && !c.hidden && !when_ok.empty()) add_script(std::exchange(when_ok, {}));
    }
  }
  unsigned message(const ui::MessageBox& box) override {
    unsigned answer = ui::HeadlessBackend::message(box);
    if (after_box) after_box();
    return answer;
  }

  std::string when_ok;
  std::function<void()> after_box;
  std::vector<std::string> prompts;
};

class Progress : public ::testing::Test {
 protected:
  // A driver query "select id from t" of `n` rows counted by "select count(*) from t".
  void rows(int n) {
    sql.fake.answer("select count(*) from t", FakeAnswer::value(std::to_string(n)));
    FakeAnswer a;
    for (int i = 1; i <= n; ++i) a.rows.push_back({std::to_string(i)});
    sql.fake.answer("select id from t", a);
  }
  std::vector<std::string> updates() const {
    std::vector<std::string> out;
    for (const auto& s : sql.recording.statements()) {
      if (s.starts_with("update")) out.push_back(s);
    }
    return out;
  }
  const ui::WindowRecord& window() const { return ui.windows().back(); }
  std::string control(const std::string& id) const {
    for (const auto& c : window().controls) {
      if (c.id == id) return c.kind == ui::ControlKind::Label ? c.caption : c.value;
    }
    return "<none>";
  }
  bool hidden(const std::string& id) const {
    for (const auto& c : window().controls) {
      if (c.id == id) return c.hidden;
    }
    return false;
  }

  test::SqlStack sql;
  ProgressUi ui;
  test::ShownUi shown{ui};
};

ExecOptions over(std::string_view query) {
  ExecOptions o;
  o.query = query;
  return o;
}

// 1. The ten-row run with three failures, answering No each time: two stop questions, the
// question about further questions after the second, the third failure silent, the 70% summary
// for one tick, then the end with 1.
TEST_F(Progress, TenRowsThreeFailuresAnsweredNo) {
  rows(10);
  for (int id : {3, 6, 9}) {
    sql.faults.fail_matching("where id=" + std::to_string(id),
                             Fault::rejected("Błąd w wierszu "_w1250 + std::to_string(id)));
  }
  ui.add_script("answer no; answer no; answer no");
  EXPECT_EQ(EXECSQLWINASK("update t set x=1 where id=#1#", over("select id from t")), 1);

  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Błąd w wierszu 3|"_w1250 + kStopQuestion);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Pytanie");
  EXPECT_EQ(ui.boxes()[1].box.text, "Błąd w wierszu 6|"_w1250 + kStopQuestion);
  EXPECT_EQ(ui.boxes()[2].box.text, kFurtherQuestion);
  for (const auto& b : ui.boxes()) EXPECT_EQ(b.answer, ui::kNo);

  ASSERT_EQ(updates().size(), 10u);
  for (int i = 1; i <= 10; ++i)
    EXPECT_EQ(updates()[i - 1], "update t set x=1 where id=" + std::to_string(i));
  EXPECT_EQ(window().title, kWarningTitle);
  EXPECT_EQ(control("KOMUNIKAT"), kFinished);
  EXPECT_EQ(control("KOMENTARZ"), "Wykonano 70%  ( 7 / 10 )");
  EXPECT_TRUE(hidden("OK"));  // shown for a tick, not waiting for the user
  EXPECT_EQ(thread_statuses().size(), 0u);
  EXPECT_EQ(ui.commands_left(), 0u);
}

// 2. Without a driver query the statement runs once, unchanged, on a worker; the main table is
// left open unless close-main asks otherwise.
TEST_F(Progress, OneStatementWithoutDriverQuery) {
  EXPECT_EQ(EXECSQLWIN("update t set x=1   "), 1);
  EXPECT_EQ(updates(), (std::vector<std::string>{"update t set x=1"}));
  EXPECT_EQ(dict::glo().VAXOPENED, 1);
  EXPECT_TRUE(VAX().is_open());
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_NE(table_open_time(), 0);

  ExecOptions o;
  o.close_main = 1;
  EXPECT_EQ(EXECSQLWIN("update t set x=2", o), 1);
  EXPECT_EQ(dict::glo().VAXOPENED, 0);
  EXPECT_FALSE(VAX().is_open());
}

// 3. A failing statement: the warning look waits for "OK" and the result is 0; "Do schowka"
// copies the comment, whose "|" shows as a line break.
TEST_F(Progress, FailingStatementWaitsForOkWithTheWarning) {
  sql.faults.fail_next(1, Fault::rejected("Naruszenie klucza|tabela t"));
  ui.when_ok = "press \"Do schowka\"; press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 0);
  EXPECT_EQ(window().title, kWarningTitle);
  EXPECT_EQ(control("KOMUNIKAT"), "Uwaga - przerwano wykonanie.");
  EXPECT_EQ(control("KOMENTARZ"), "Naruszenie klucza\ntabela t");
  EXPECT_EQ(ui.clipboard(), "Naruszenie klucza|tabela t");
  EXPECT_FALSE(hidden("OK"));
  EXPECT_TRUE(hidden("POSTEP"));
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 4. Without a driver query the close box does nothing while the statement runs.
TEST_F(Progress, CloseBoxIgnoredWithoutDriverQuery) {
  ui.add_script("close; key Esc");
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 1);
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(updates().size(), 1u);
}

// 5. With a driver query the close box asks; Yes stops the run without cancelling the statement
// that runs: the window waits for it, and the run still reads as stopped.
TEST_F(Progress, StopWaitsForTheRunningStatementAndReturnsZero) {
  rows(3);
  std::atomic<bool> release{false};
  sql.fake.respond([&](std::string_view s) -> std::optional<FakeAnswer> {
    if (s == "update t set x=1 where id=1") {
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
  });
  ui.after_box = [&] { release = true; };
  ui.add_script("tick; close; answer yes");
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_EQ(ui.boxes().at(0).box.text, kStopQuestion);
  EXPECT_EQ(updates(), (std::vector<std::string>{"update t set x=1 where id=1"}));
  EXPECT_NE(std::find(ui.prompts.begin(), ui.prompts.end(),
                      "Kończenie wykonania ostatniej operacji ..."_w1250),
            ui.prompts.end());
  EXPECT_EQ(window().title, "ORVEX: Informacja");
  EXPECT_EQ(control("KOMUNIKAT"), "Przerwano wykonanie.");
  EXPECT_EQ(control("KOMENTARZ"), "Wykonano 33% ( 1 / 3 )");
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 5a. A statement that fails after the stop is still a failure: the warning with the driver's
// message and 0; EXECSQLWINASK asks again whether to stop.
TEST_F(Progress, FailureAfterStopShowsTheWarning) {
  rows(3);
  std::atomic<bool> release{false};
  sql.fake.respond([&](std::string_view s) -> std::optional<FakeAnswer> {
    if (s != "update t set x=1 where id=1") return std::nullopt;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return FakeAnswer::error(sql::kRejected, "Deadlock");
  });
  ui.after_box = [&] { release = true; };
  ui.add_script("tick; close; answer yes");
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_EQ(window().title, kWarningTitle);
  EXPECT_EQ(control("KOMUNIKAT"), "Uwaga - przerwano wykonanie.");
  EXPECT_EQ(control("KOMENTARZ"), "Deadlock");

  release = false;
  ui.add_script("tick; close; answer yes; answer yes");
  EXPECT_EQ(EXECSQLWINASK("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_EQ(ui.boxes().back().box.text, "Deadlock|" + kStopQuestion);
  EXPECT_EQ(updates().size(), 2u);
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 6. Answering No to the stop question goes on with every row.
TEST_F(Progress, CloseAnsweredNoGoesOn) {
  rows(2);
  ui.add_script("tick; close; answer no");
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 1);
  EXPECT_EQ(updates().size(), 2u);
}

// 7. A driver query that counts 0 rows: 1 at once, nothing runs.
TEST_F(Progress, DriverQueryOfNoRows) {
  rows(0);
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 1);
  EXPECT_TRUE(updates().empty());
  EXPECT_EQ(ui.windows().size(), 1u);
}

// 8. A count that fails shows its error window and returns 0: nothing ran, so nothing is
// reported as done.
TEST_F(Progress, FailingCountIsNoSuccess) {
  sql.faults.fail_matching("select count(*)", Fault::rejected("Invalid object name 'tt'."));
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from tt")), 0);
  ASSERT_EQ(ui.error_windows().size(), 1u);
  EXPECT_EQ(ui.error_windows()[0].statement, "select count(*) from tt");
  EXPECT_TRUE(updates().empty());
}

// 9. A driver query that fails to open: the warning with the driver's message, no error window.
TEST_F(Progress, DriverQueryThatFailsToOpen) {
  rows(4);
  sql.faults.fail_matching("select id from t", Fault::rejected("Timeout expired"));
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_TRUE(ui.error_windows().empty());
  EXPECT_EQ(control("KOMENTARZ"), "Timeout expired");
  EXPECT_TRUE(updates().empty());
}

// 10. Two columns: each row's values, trailing blanks removed, replace every marker in the
// statement, the message and the comment; the count drops "order by".
TEST_F(Progress, MarkersTakeEachRowsValues) {
  const char* query = "select id, nazwa from t order by id";
  sql.fake.answer("select count(*) from t", FakeAnswer::value("2"));
  sql.fake.answer(query, FakeAnswer{0, {}, {{"1", "Ala  "}, {"2", "O'Neil"}}, {}});
  ExecOptions o = over(query);
  o.message = "Wiersz #1#: #2#";
  o.comment = "#2##2#";
  EXPECT_EQ(EXECSQLWIN("update t set n='#2#', m='#2#' where id=#1#", o), 1);
  // A row's apostrophe is doubled in the statement; the prompt and comment show it as it is.
  EXPECT_EQ(updates(),
            (std::vector<std::string>{"update t set n='Ala', m='Ala' where id=1",
                                      "update t set n='O''Neil', m='O''Neil' where id=2"}));
  EXPECT_EQ(control("KOMUNIKAT"), "Wiersz 2: O'Neil");
  EXPECT_EQ(control("KOMENTARZ"), "O'NeilO'Neil");
  EXPECT_EQ(control("LICZNIK"), "2 / 2");
  EXPECT_EQ(control("PROCENT"), "100%");
  EXPECT_EQ(control("POSTEP"), "100");
}

// 11. EXECSQLWIN stops at the first failing row; the rows after it never run.
TEST_F(Progress, FirstFailingRowStopsTheRun) {
  rows(5);
  sql.faults.fail_matching("where id=2", Fault::rejected("Deadlock"));
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_EQ(updates().size(), 2u);
  EXPECT_EQ(control("KOMENTARZ"), "Deadlock");
}

// 12. EXECSQLWINASK without a driver query: after a failure the user goes on and the same
// statement runs again.
TEST_F(Progress, AskRunsTheStatementAgainAfterNo) {
  sql.faults.fail_next(1, Fault::rejected("Lock timeout"));
  ui.add_script("answer no");
  EXPECT_EQ(EXECSQLWINASK("update t set x=1"), 1);
  EXPECT_EQ(updates().size(), 2u);
  EXPECT_EQ(ui.boxes().at(0).box.text, "Lock timeout|" + kStopQuestion);
}

// 13. Yes to the stop question after a failure ends with 0.
TEST_F(Progress, AskYesEndsWithZero) {
  rows(3);
  sql.faults.fail_matching("where id=1", Fault::rejected("x"));
  ui.add_script("answer yes");
  EXPECT_EQ(EXECSQLWINASK("update t set x=1 where id=#1#", over("select id from t")), 0);
  EXPECT_EQ(updates().size(), 1u);
}

// 14. A driver message that asks: Yes counts the statement as done, No as failed.
TEST_F(Progress, DriverQuestionDecidesTheStatus) {
  sql.faults.fail_next(1, Fault::rejected("Dokument zablokowany. Kontynuować?"_w1250));
  ui.add_script("answer yes");
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 1);
  EXPECT_EQ(ui.boxes().at(0).box.text, "Dokument zablokowany. Kontynuować?"_w1250);

  sql.faults.fail_next(1, Fault::rejected("Dokument zablokowany. Kontynuować?"_w1250));
  ui.add_script("answer no");
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 0);
}

// 15. A busy connection ("HSTM") is a failure with its message: no row is left running for the
// window to wait on for ever.
TEST_F(Progress, BusyConnectionIsAFailureNotAHang) {
  sql.faults.fail_next(1, Fault::hstm());
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 0);
  EXPECT_NE(control("KOMENTARZ").find("hstmt"), std::string::npos);
  EXPECT_FALSE(VAX().is_open());
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 16. A table that cannot be opened fails the statement instead of passing it as done.
TEST_F(Progress, UnopenableTableIsAFailure) {
  sql.faults.fail_connects(1, "server unreachable");
  ui.when_ok = "press OK";
  EXPECT_EQ(EXECSQLWIN("update t set x=1"), 0);
  EXPECT_EQ(control("KOMENTARZ"), "server unreachable");
}

// 17. Keep-open: the finished state waits for "OK" (Enter ends it too).
TEST_F(Progress, KeepOpenShowsTheFinishedState) {
  ExecOptions o;
  o.keep_open = 1;
  o.operation = "znakowanie   ";
  ui.when_ok = "key Enter";
  EXPECT_EQ(EXECSQLWIN("update t set x=1", o), 1);
  EXPECT_EQ(window().title, "ORVEX: Informacja");
  EXPECT_EQ(control("KOMUNIKAT"), "Zakończono znakowanie."_w1250);
  EXPECT_EQ(control("KOMENTARZ"), "");
}

// 18. Texts: a 5,000-character comment is cut to 300, a 10,000-character statement runs whole,
// one character more is refused with a warning and nothing is sent.
TEST_F(Progress, LongTextsAreCutOrRefused) {
  ExecOptions o;
  std::string comment(5000, 'k');
  o.comment = comment;
  std::string statement = "update t set x=1 where n='" + std::string(10000 - 27, 'a') + "'";
  ASSERT_EQ(statement.size(), 10000u);
  EXPECT_EQ(EXECSQLWIN(statement + "   ", o), 1);
  EXPECT_EQ(updates(), (std::vector<std::string>{statement}));
  EXPECT_EQ(control("KOMENTARZ"), std::string(300, 'k'));

  EXPECT_EQ(EXECSQLWIN(statement + "x"), 0);
  EXPECT_EQ(updates().size(), 1u);
  EXPECT_EQ(ui.boxes().back().box.text,
            "Polecenie SQL jest dłuższe niż 10000 znaków i nie zostało wykonane."_w1250);
  EXPECT_EQ(ui.boxes().back().box.title, kWarningTitle);
}

// 19. Rows that vanish between the count and the fetch end the run with what was read: no
// statement runs with its markers emptied.
TEST_F(Progress, RowsFewerThanCountedRunNoEmptiedStatement) {
  sql.fake.answer("select count(*) from t", FakeAnswer::value("4"));
  sql.fake.answer("select id from t", FakeAnswer{0, {}, {{"1"}, {"2"}}, {}});
  EXPECT_EQ(EXECSQLWIN("delete from t where id=#1#", over("select id from t")), 1);
  std::vector<std::string> deletes;
  for (const auto& s : sql.recording.statements()) {
    if (s.starts_with("delete")) deletes.push_back(s);
  }
  EXPECT_EQ(deletes,
            (std::vector<std::string>{"delete from t where id=1", "delete from t where id=2"}));
  EXPECT_EQ(control("LICZNIK"), "2 / 2");
  EXPECT_EQ(control("PROCENT"), "100%");
}

// 20. A script that runs dry while the window waits for "OK" fails the run, naming the window;
// the worker's row does not stay behind.
TEST_F(Progress, DryScriptFailsNamingTheWindow) {
  sql.faults.fail_next(1, Fault::rejected("x"));
  try {
    EXECSQLWIN("update t set x=1");
    FAIL() << "the run should fail";
  } catch (const ui::ScriptError& e) {
    EXPECT_NE(e.message.find("(ExecSQLWin)"), std::string::npos) << e.message;
  }
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 21. Many runs in a row: every worker's row is read and deleted (also under the thread
// sanitizer, which checks the window and its workers share nothing else unguarded).
TEST_F(Progress, RepeatedRunsLeaveNoRows) {
  rows(3);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(EXECSQLWIN("update t set x=1 where id=#1#", over("select id from t")), 1);
  EXPECT_EQ(updates().size(), 15u);
  EXPECT_EQ(thread_statuses().size(), 0u);
}

// 22. No thread number free: the run fails with its reason instead of waiting for a worker that
// never started.
TEST_F(Progress, NoThreadToStartFailsTheRun) {
  std::size_t limit = threads::limit();
  threads::current();
  threads::set_limit(threads::count());
  ui.when_ok = "press OK";
  uint8_t result = EXECSQLWIN("update t set x=1");
  threads::set_limit(limit);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(control("KOMENTARZ"),
            "Nie moż"
            "na uruchomić wątku wykonania (brak wolnego numeru wątku)."_w1250);
  EXPECT_TRUE(updates().empty());
}

struct MarkerCase {
  const char* name;
  const char* text;
  std::vector<std::string> values;
  const char* expected;
};
void PrintTo(const MarkerCase& c, std::ostream* os) {
  *os << c.name;
}

class Markers : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(Markers, ReplaceEveryMarkerOnce) {
  EXPECT_EQ(replace_markers(GetParam().text, GetParam().values), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Markers,
    ::testing::Values(
        // 1. Every occurrence of a marker.
        MarkerCase{"EveryOccurrence", "#1#-#1#", {"a"}, "a-a"},
        // 2. Two-digit markers and their neighbours.
        MarkerCase{
            "TwoDigits", "#10##1#", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "X"}, "X1"},
        // 3. Markers past the columns and #0# stay as written.
        MarkerCase{"OutsideTheColumns", "#0# #3#", {"a", "b"}, "#0# #3#"},
        // 4. A value that holds a marker is not searched again.
        MarkerCase{"ValueNotRescanned", "#1#,#2#", {"#2#", "b"}, "#2#,b"},
        // 5. Stray hashes around a marker.
        MarkerCase{"StrayHashes", "##1## #x#", {"v"}, "#v# #x#"},
        // 6. Zero-padded numbers are no markers.
        MarkerCase{"ZeroPadded", "#01# #001# #10#", {"a"}, "#01# #001# #10#"},
        // 7. Other text of the statement stays, a placeholder-like text included.
        MarkerCase{"PlaceholderText", "'@@##@@$$' #1#", {"a"}, "'@@##@@$$' a"}),
    orv::test::named_case);

TEST(DriverQueryShape, ColumnsAndCountStatement) {
  struct Case {
    const char* query;
    std::size_t columns;
    const char* count;
  } const cases[] = {
      // 1. Commas before "from" make the columns; "order" is cut off.
      {"select a,b, c from t where x=1 order by a", 3, "select count(*) from t where x=1 "},
      // 2. Upper-case keywords are found as well.
      {"SELECT A, B FROM T ORDER BY A", 2, "select count(*) FROM T "},
      // 3. "order" inside a column name before "from" is not the order clause.
      {"select order_no from t", 1, "select count(*) from t"},
      // 4. No "from" at all: the statement fails at the server, not here.
      {"exec p 1,2", 1, "select count(*) exec p 1,2"},
  };
  for (const auto& c : cases) {
    DriverQueryShape s = driver_query_shape(c.query);
    EXPECT_EQ(s.columns, c.columns) << c.query;
    EXPECT_EQ(s.count_statement, c.count) << c.query;
  }
}

}  // namespace
}  // namespace orv::frame
