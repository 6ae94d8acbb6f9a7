// The calendar: month grids, choosing and cancelling, month and year changes, the older window.
#include "dialogs/calendar.hpp"

#include <gtest/gtest.h>

#include "frame/lifecycle.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/ini/ini.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/tooltips.hpp"
#include "server/server.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::dialogs {
namespace {

constexpr int32_t kMonday15Jan2024 = 81467;
constexpr int32_t kMonday1Feb2021 = 80389;

std::vector<std::vector<int>> cells(const std::vector<Week>& grid) {
  std::vector<std::vector<int>> out;
  out.reserve(grid.size());
  for (const Week& w : grid) out.emplace_back(w.begin(), w.end());
  return out;
}

struct GridCase {
  const char* name;
  int32_t shown;
  int first_column;
  std::vector<std::vector<int>> rows;
};
void PrintTo(const GridCase& c, std::ostream* os) {
  *os << c.name;
}

class Grid : public ::testing::TestWithParam<GridCase> {};

TEST_P(Grid, WeeksOfTheMonth) {
  EXPECT_EQ(cells(month_grid(GetParam().shown, GetParam().first_column)), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, Grid,
                         ::testing::Values(
                             // 1. February of a non-leap year starting on Monday: four full rows,
                             // the empty fifth stays and the empty sixth goes.
                             GridCase{"FebruaryFromMonday",
                                      kMonday1Feb2021,
                                      1,
                                      {{1, 2, 3, 4, 5, 6, 7},
                                       {8, 9, 10, 11, 12, 13, 14},
                                       {15, 16, 17, 18, 19, 20, 21},
                                       {22, 23, 24, 25, 26, 27, 28},
                                       {0, 0, 0, 0, 0, 0, 0}}},
                             // 2. A 31-day month starting on Sunday needs the sixth row; the shown
                             // day mid-month gives the same grid as its first.
                             GridCase{"AugustFromSunday",
                                      80570 + 14,
                                      7,
                                      {{0, 0, 0, 0, 0, 0, 1},
                                       {2, 3, 4, 5, 6, 7, 8},
                                       {9, 10, 11, 12, 13, 14, 15},
                                       {16, 17, 18, 19, 20, 21, 22},
                                       {23, 24, 25, 26, 27, 28, 29},
                                       {30, 31, 0, 0, 0, 0, 0}}},
                             // 3. A leap February starting on Thursday.
                             GridCase{"LeapFebruary",
                                      81484 + 28,
                                      4,
                                      {{0, 0, 0, 1, 2, 3, 4},
                                       {5, 6, 7, 8, 9, 10, 11},
                                       {12, 13, 14, 15, 16, 17, 18},
                                       {19, 20, 21, 22, 23, 24, 25},
                                       {26, 27, 28, 29, 0, 0, 0}}}),
                         orv::test::named_case);

TEST(Weekday, MondayFirstFromTheDayNumber) {
  EXPECT_EQ(monday_first_weekday(0), 7);  // 28 December 1800, a Sunday
  EXPECT_EQ(monday_first_weekday(1), 1);
  EXPECT_EQ(monday_first_weekday(kMonday15Jan2024), 1);
  EXPECT_EQ(monday_first_weekday(-1), 6);  // before day 0 the week goes on backwards
}

// Keeps the window's place at closing.
class CalendarUi : public ui::HeadlessBackend {
 public:
  CalendarUi() : ui::HeadlessBackend({}, /*strict=*/true) {}
  void window_closed(const ui::Window& w) override {
    closed_at = w.rect;
    ui::HeadlessBackend::window_closed(w);
  }
  ui::Rect closed_at;
};

class Calendar : public ::testing::Test {
 protected:
  Calendar() {
    dict::glo().PATH_INI = dir.file("orv.ini");
    frame::reset_module();
    date::set_now(date::Moment{kMonday15Jan2024, date::make_time(9, 0, 0)});
  }
  ~Calendar() override { frame::reset_module(); }
  const ui::Control& control(const std::string& id) const {
    for (const auto& c : ui.windows().back().controls) {
      if (c.id == id) return c;
    }
    throw std::runtime_error("no control " + id);
  }

  test::SqlStack sql;
  test::TempDir dir;
  CalendarUi ui;
  test::ShownUi shown{ui};
};

struct PickCase {
  const char* name;
  int32_t date;
  const char* script;
  int32_t result;
};
void PrintTo(const PickCase& c, std::ostream* os) {
  *os << c.name;
}

class Picks : public Calendar, public ::testing::WithParamInterface<PickCase> {};

TEST_P(Picks, Result) {
  ui.add_script(GetParam().script);
  EXPECT_EQ(KALENDARZ(100, 100, GetParam().date), GetParam().result);
  EXPECT_EQ(ui.commands_left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Picks,
    ::testing::Values(
        // 1. Passing 0 and cancelling returns 0.
        PickCase{"ZeroCancelled", 0, "key Esc", 0},
        // 2. The close button cancels as well, keeping the date passed.
        PickCase{"CloseButton", 80000, "press ZAMKNIJ", 80000},
        // 3. Ctrl+D is today.
        PickCase{"Today", 80000, "key Ctrl+D", kMonday15Jan2024},
        // 4. A day of the grid by its number.
        PickCase{"ChooseADay", 0, "choose DNI 20", kMonday15Jan2024 + 5},
        // 5. F10 takes the selected cell: the day the window opened on.
        PickCase{"F10TakesTheSelection", kMonday1Feb2021, "key F10", kMonday1Feb2021},
        // 6. Enter on a chosen cell (row 3, Wednesday) of the grid.
        PickCase{"SelectAndEnter", 0, "select DNI 3 3; key Enter", kMonday15Jan2024 + 2},
        // 7. An empty cell leaves the window open with the opening date as the result.
        PickCase{"EmptyCellThenCancel", 0, "dclick DNI 5 7; key Esc", kMonday15Jan2024},
        // 8. Another month of the year field.
        PickCase{"OtherMonth", 0, "choose MIESIAC Luty; choose DNI 29", 81484 + 28},
        // 9. A year of 1800, 0, past 9999 or no number is the current year.
        PickCase{"Year1800", 0, "set ROK 1800; choose DNI 31", kMonday15Jan2024 + 16},
        PickCase{"Year0", 0, "set ROK 0; choose DNI 31", kMonday15Jan2024 + 16},
        PickCase{"Year12000", 0, "set ROK 12000; choose DNI 31", kMonday15Jan2024 + 16},
        PickCase{"YearText", 0, "set ROK abc; choose DNI 31", kMonday15Jan2024 + 16},
        // 10. A leap year typed, then February.
        PickCase{"Year2024February", 80000, "set ROK 2024; choose MIESIAC Luty; choose DNI 29",
                 81484 + 28},
        // 11. Dates that are no day show today's month; cancelling returns them as passed.
        PickCase{"NegativeDate", -5, "choose DNI 16", kMonday15Jan2024 + 1},
        PickCase{"BeyondYear9999", 3000000, "key Esc", 3000000}),
    orv::test::named_case);

TEST_F(Calendar, ZeroShowsTheCurrentMonthWithTodaySelected) {
  ui.add_script("key Esc");
  KALENDARZ(0, 0, 0);
  const ui::Control& grid = control("DNI");
  EXPECT_EQ(grid.rows.size(), 5u);
  EXPECT_EQ(grid.rows[2][0], "15");
  EXPECT_EQ(grid.selected, 3);
  EXPECT_EQ(grid.column, 1);
  EXPECT_EQ(control("MIESIAC").value, "Styczeń"_w1250);
  EXPECT_EQ(control("ROK").value, "2024");
}

TEST_F(Calendar, EmptyCellMovesTheSelectionBack) {
  ui.add_script("select DNI 2 3; dclick DNI 5 7; key Esc");
  KALENDARZ(0, 0, 0);
  EXPECT_EQ(control("DNI").selected, 2);
  EXPECT_EQ(control("DNI").column, 3);
}

TEST_F(Calendar, TextsByteForByte) {
  dict::glo().TOOLTIPTYPE = 2;
  ui.add_script("key F1; key Esc");
  KALENDARZ(0, 0, 0);
  const auto& w = ui.windows().back();
  EXPECT_EQ(w.name, "Kalendarz");
  EXPECT_EQ(w.title, "Kalendarz");
  std::string today = "Poniedziałek  15.01.2024"_w1250;
  EXPECT_EQ(control("DZISIAJ").caption, today);
  EXPECT_EQ(control("DZISIAJ").tip, "Ctrl+D Ustaw dzisiejszą datę "_w1250 + today);
  std::vector<std::string> heads;
  for (const auto& c : control("DNI").columns) heads.push_back(c.title);
  EXPECT_EQ(heads, (std::vector<std::string>{"Pn", "Wt", "Śr"_w1250, "Cz", "Pt", "So", "N"}));
  EXPECT_EQ(control("MIESIAC").items.size(), 12u);
  EXPECT_EQ(control("MIESIAC").items[9], "Październik"_w1250);
  ASSERT_EQ(ui.help_requests().size(), 1u);
  EXPECT_EQ(ui.help_requests()[0].topic, "obs_for_kal.htm");
}

TEST_F(Calendar, OpensAtThePositionGivenAndKeepsItInTheIni) {
  ui.add_script("key Esc");
  KALENDARZ(120, 340, 0);
  EXPECT_EQ(ui.closed_at.x, 120);
  EXPECT_EQ(ui.closed_at.y, 340);
  ini::IniFile file(dir.file("orv.ini"));
  EXPECT_EQ(file.get("Kalendarz", "XPos"), "120");
  EXPECT_EQ(file.get("Kalendarz", "YPos"), "340");
}

TEST_F(Calendar, DryScriptFailsNamingTheWindow) {
  try {
    KALENDARZ(0, 0, 0);
    FAIL() << "the run should fail";
  } catch (const ui::ScriptError& e) {
    EXPECT_NE(e.message.find("(Kalendarz)"), std::string::npos) << e.message;
  }
}

// The server numbering weekdays from Sunday (its first day of the week 7) moves the Monday of
// 1 February 2021 into the second column: the server decides, as documented.
TEST_F(Calendar, OldCalendarTakesTheWeekdayFromTheServer) {
  sql.fake.respond([](std::string_view s) -> std::optional<sql::FakeAnswer> {
    constexpr std::string_view kHead = "select datepart(dw,convert(datetime,";
    if (!s.starts_with(kHead)) return std::nullopt;
    int32_t server_day = std::stoi(std::string(s.substr(kHead.size())));
    int sunday_first = ((server_day + 36163) % 7) + 1;
    return sql::FakeAnswer::value(std::to_string(sunday_first));
  });
  ui.add_script("key F10");
  EXPECT_EQ(KALENDARZ_OLD(0, 0, kMonday1Feb2021 + 2), kMonday1Feb2021 + 2);
  EXPECT_EQ(sql.recording.statements(),
            (std::vector<std::string>{"select datepart(dw,convert(datetime," +
                                          std::to_string(kMonday1Feb2021 - 36163) + "))",
                                      "select datepart(dw,convert(datetime," +
                                          std::to_string(kMonday1Feb2021 + 2 - 36163) + "))"}));
  const ui::Control& grid = control("DNI");
  EXPECT_EQ(grid.rows[0][1], "1");
  EXPECT_EQ(grid.rows[0][0], "");
  EXPECT_EQ(grid.selected, 1);
  EXPECT_EQ(grid.column, 4);  // Wednesday 3 February: the server says 4
  std::vector<std::string> heads;
  for (const auto& c : grid.columns) heads.push_back(c.title);
  EXPECT_EQ(heads, (std::vector<std::string>{"P", "W", "Ś"_w1250, "C", "P", "S", "N"}));
  EXPECT_EQ(ui.windows().back().name, "KalendarzOld");
}

// A server that gives no weekday leaves the grid to the day number's own.
TEST_F(Calendar, OldCalendarWithoutAnAnswerStillShowsTheMonth) {
  sql.faults.fail_matching("datepart", sql::Fault::rejected("no such function: datepart"));
  ui.add_script("choose DNI 1; press Wybierz");
  EXPECT_EQ(KALENDARZ_OLD(0, 0, kMonday1Feb2021), kMonday1Feb2021);
  EXPECT_EQ(control("DNI").rows[0][0], "1");
  ui.add_script("press Anuluj");
  EXPECT_EQ(KALENDARZ_OLD(0, 0, 7), 7);
}

// On the database the application runs on: the server's own weekday numbering.
TEST(CalendarOnDatabase, OldCalendarAsksTheRealServer) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(server::create_database(dir.file("demo.db"), true, error)) << error;
  sql::sqlite::SqliteDriver driver(dir.file("demo.db"));
  frame::reset_channels();
  sql::Driver* previous = sql::set_current_driver(&driver);
  std::string probe = frame::FUNCSQL("select datepart(dw,convert(datetime,44000))", 1);
  test::ScopedUi ui;
  ASSERT_FALSE(probe.empty()) << "the backend must answer datepart(dw, convert(datetime, n))";
  ui.ui().add_script("choose DNI 1; key F10");
  int32_t chosen = KALENDARZ_OLD(0, 0, kMonday1Feb2021 + 10);
  frame::reset_channels();
  sql::set_current_driver(previous);
  EXPECT_EQ(chosen, kMonday1Feb2021);
}

}  // namespace
}  // namespace orv::dialogs
