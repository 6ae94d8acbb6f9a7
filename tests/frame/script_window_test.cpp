// The SQL script window: batches, backquotes, the log entry, failures, copying, its INI place.
#include "frame/script_window.hpp"

#include <gtest/gtest.h>

#include "frame/lifecycle.hpp"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "platform/ini/ini.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/host.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

using sql::Fault;

const std::string kDone = "Skrypt SQL został wykonany poprawnie!"_w1250;

// Notes what the error handler says while the window is open, and moves the window.
class ScriptUi : public ui::HeadlessBackend {
 public:
  ScriptUi() : ui::HeadlessBackend({}, /*strict=*/true) {}
  void window_opened(ui::Window& w) override {
    procedure = current_error_handler().procedure();
    opened_at = w.rect;
    if (move_to) w.rect = *move_to;
  }
  std::string procedure;
  ui::Rect opened_at;
  std::optional<ui::Rect> move_to;
};

class ScriptWindow : public ::testing::Test {
 protected:
  ScriptWindow() {
    dict::glo().PATH_INI = dir.file("orv.ini");
    dict::glo().ID_FIRMY = 5;
    dict::glo().ID_UZYTKOWNIKA = 7;
    reset_module();
  }
  ~ScriptWindow() override { reset_module(); }
  std::vector<std::string> sent(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& s : sql.recording.statements()) {
      if (s.starts_with(prefix)) out.push_back(s);
    }
    return out;
  }

  test::SqlStack sql;
  test::TempDir dir;
  ScriptUi ui;
  test::ShownUi shown{ui};
};

struct BatchCase {
  const char* name;
  std::string script;
  std::vector<std::string> run;
};
void PrintTo(const BatchCase& c, std::ostream* os) {
  *os << c.name;
}

class Batches : public ScriptWindow, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(Batches, RunUpToTheLastSeparatorThenLog) {
  ui.add_script("press \"Wykonaj SQL\"; press Zamknij");
  POKAZSQLWIN(GetParam().script, "Aktualizacja");
  EXPECT_EQ(sent("insert"), GetParam().run);
  EXPECT_EQ(
      sent("call AP_ZapiszDoLogu"),
      (std::vector<std::string>{"call AP_ZapiszDoLogu(5,0,7,0,'SYSTEM',1,'Aktualizacja',3)"}));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, kDone);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Informacja");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Batches,
    ::testing::Values(
        // 1. A separator after each batch: both run, in order.
        BatchCase{"BothSeparated",
                  "insert into t values (1)\r\ngo\r\ninsert into t values (2)\r\ngo\r\n",
                  {"insert into t values (1)", "insert into t values (2)"}},
        // 2. The second batch has no separator after it: only the first runs.
        BatchCase{"LastNotSeparated",
                  "insert into t values (1)\r\ngo\r\ninsert into t values (2)",
                  {"insert into t values (1)"}},
        // 3. Backquotes reach the server as apostrophes.
        BatchCase{"Backquotes",
                  "insert into t values (`a``b`)\r\ngo\r\n",
                  {"insert into t values ('a''b')"}},
        // 4. Only CR LF "go" CR LF separates: "go" in other spellings stays in the batch.
        BatchCase{"ExactSeparatorOnly",
                  "insert into t values (1)\ngo\ninsert into t values (2)\r\nGO\r\nx\r\ngo\r\n",
                  {"insert into t values (1)\ngo\ninsert into t values (2)\r\nGO\r\nx"}},
        // 5. No separator at all: nothing runs, and the run is logged as done.
        BatchCase{"NoSeparator", "insert into t values (1)", {}}),
    orv::test::named_case);

// A script of 50 batches whose 25th fails stops there with the driver's message: the batches
// before it stay done, none after it runs, and nothing is logged.
TEST_F(ScriptWindow, FiftyBatchesStopAtTheFailingOne) {
  std::string script;
  for (int i = 1; i <= 50; ++i)
    script += "insert into t values (" + std::to_string(i) + ")\r\ngo\r\n";
  sql.faults.fail_matching("values (25)", Fault::rejected("Violation of PRIMARY KEY"));
  ui.add_script("press \"Wykonaj SQL\"; key Esc");
  POKAZSQLWIN(script, "");
  EXPECT_EQ(sent("insert").size(), 25u);
  EXPECT_EQ(sent("insert").back(), "insert into t values (25)");
  EXPECT_TRUE(sent("call AP_ZapiszDoLogu").empty());
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Violation of PRIMARY KEY");
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Ostrzeżenie"_w1250);
}

TEST_F(ScriptWindow, TitleTextAndButtonsByteForByte) {
  ui.add_script("close");
  POKAZSQLWIN("select 1", "   ");
  const auto& w = ui.windows().back();
  EXPECT_EQ(w.name, "PokazSQLWin");
  EXPECT_EQ(w.title, "Tekst");
  std::vector<std::string> captions;
  for (const auto& c : w.controls) {
    if (!c.caption.empty()) captions.push_back(c.caption);
    if (c.id == "TEKST") {
      EXPECT_EQ(c.value, "select 1");
      EXPECT_EQ(c.font, "Courier New CE");
    }
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Esc", "Ctrl+C", "Ctrl+W",
                                                "Kopiuj do schowka zaznaczony fragment",
                                                "Wykonaj SQL", "Zamknij"}));
  EXPECT_EQ(ui.procedure, "PokazSQLWin");
  EXPECT_EQ(current_error_handler().procedure(), "");
}

// The keys of the buttons: Ctrl+C copies (the whole text, Ctrl+A selected), Ctrl+W runs, Esc
// closes.
TEST_F(ScriptWindow, KeysCopyRunAndClose) {
  ui.add_script("key Ctrl+A; key Ctrl+C; key Ctrl+W; key Esc");
  POKAZSQLWIN("update t set a=1\r\ngo\r\n", "Skrypt");
  EXPECT_EQ(ui.clipboard(), "update t set a=1\r\ngo\r\n");
  EXPECT_EQ(sent("update"), (std::vector<std::string>{"update t set a=1"}));
  EXPECT_EQ(ui.boxes().back().box.text, kDone);
}

// The log's description is the title cut to 100 characters, apostrophes made quotes.
TEST_F(ScriptWindow, LongTitleIsCutInTheLog) {
  std::string title = "Skrypt 'A' " + std::string(120, 'x');
  ui.add_script("press WYKONAJ; close");
  POKAZSQLWIN("", title);
  std::string logged = "call AP_ZapiszDoLogu(5,0,7,0,'SYSTEM',1,'Skrypt \"A\" " +
                       std::string(100 - 11, 'x') + "',3)";
  EXPECT_EQ(sent("call AP_ZapiszDoLogu"), (std::vector<std::string>{logged}));
}

// The copy button takes the selection; Ctrl+A selects the whole text, and with nothing selected
// the whole text is taken as well.
TEST_F(ScriptWindow, CopyTakesTheSelection) {
  const std::string script = "update t set a=1\r\ngo\r\n";
  ui.add_script("select TEKST 10 16; press KOPIUJ; close");
  POKAZSQLWIN(script, "Skrypt");
  EXPECT_EQ(ui.clipboard(), "set a=1");
  ui.add_script("select TEKST 1 6; key Ctrl+A; press KOPIUJ; close");
  POKAZSQLWIN(script, "Skrypt");
  EXPECT_EQ(ui.clipboard(), script);
}

// Maximising places the window inside the host frame (1000 x 700, ribbon shown: 994 x 605) and
// lays its controls out again; it is kept as not maximised.
TEST_F(ScriptWindow, MaximiseFitsTheHostFrame) {
  ui::reset_host();
  ui::set_main_window_size({1000, 700});
  ui::set_system_metrics({/*frame_width=*/4, /*caption_height=*/23});
  ui.add_script("maximize; close");
  POKAZSQLWIN("select 1", "t");
  ui::reset_host();
  const ui::WindowRecord& w = ui.windows().back();
  ASSERT_EQ(w.controls[0].id, "TEKST");
  EXPECT_EQ(w.controls[0].rect, (ui::Rect{4, 4, 986, 561}));
  ini::IniFile file(dir.file("orv.ini"));
  EXPECT_EQ(file.get("PokazSQLWin", "Width"), "994");
  EXPECT_EQ(file.get("PokazSQLWin", "Height"), "605");
  EXPECT_EQ(file.get("PokazSQLWin", "Maximize"), "0");
}

TEST_F(ScriptWindow, PositionKeptUnderPokazSQLWinAndMinimumSize) {
  ui.move_to = ui::Rect{10, 20, 300, 100};  // smaller than the window may be
  ui.add_script("close");
  POKAZSQLWIN("x", "t");
  ini::IniFile file(dir.file("orv.ini"));
  EXPECT_EQ(file.get("PokazSQLWin", "XPos"), "10");
  EXPECT_EQ(file.get("PokazSQLWin", "Width"), "400");
  EXPECT_EQ(file.get("PokazSQLWin", "Height"), "250");
  ui.move_to.reset();
  ui.add_script("close");
  POKAZSQLWIN("x", "t");
  EXPECT_EQ(ui.opened_at, (ui::Rect{10, 20, 400, 250}));
}

TEST_F(ScriptWindow, HugeScriptIsCutAndDryScriptFails) {
  std::string script(kMaxScript + 6, 'q');
  EXPECT_THROW(POKAZSQLWIN(script, "t"), ui::ScriptError);
  ASSERT_EQ(ui.windows().size(), 1u);
  EXPECT_EQ(ui.windows()[0].controls[0].value.size(), kMaxScript);
}

// Without a database every batch fails at once with the table's own reason.
TEST_F(ScriptWindow, NoDatabaseReportsWhy) {
  sql::Driver* had = sql::set_current_driver(nullptr);
  reset_channels();
  EXPECT_FALSE(run_script_batches("select 1\r\ngo\r\n"));
  sql::set_current_driver(had);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "no database is open");
}

}  // namespace
}  // namespace orv::frame
