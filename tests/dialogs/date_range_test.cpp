// Date-range prompts: named ranges, the window in caller and global mode, the quick menu.
#include "dialogs/date_range.hpp"

#include <gtest/gtest.h>

#include "config/parameters.hpp"
#include "frame/lifecycle.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/ini/ini.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::dialogs {
namespace {

constexpr int32_t kWednesday15May2024 = 81588;
constexpr int32_t k1Feb2024 = 81484;

const std::string kCurrentMonth = "bieżący miesiąc"_w1250;
const std::string kFull = "pełny zakres"_w1250;
const std::string kAny = "dowolny zakres";
const std::string kOlder = "starsze niż"_w1250;

struct ChoiceCase {
  const char* name;
  int choice;
  RangeFields before;
  int32_t from, to, year;
};
void PrintTo(const ChoiceCase& c, std::ostream* os) {
  *os << c.name;
}

class Choices : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(Choices, Dates) {
  RangeFields f = GetParam().before;
  choose_range(f, GetParam().choice, kWednesday15May2024);
  EXPECT_EQ(f.name, range_names()[GetParam().choice - 1]);
  EXPECT_EQ(f.from, GetParam().from);
  EXPECT_EQ(f.to, GetParam().to);
  EXPECT_EQ(f.year, GetParam().year);
  EXPECT_EQ(f.days_shown, GetParam().choice == 23);
}

const int32_t today = kWednesday15May2024;
int32_t d(int m, int day, int y) {
  return date::make(m, day, y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Choices,
    ::testing::Values(
        // 1. The full range: open at both ends, no year.
        ChoiceCase{"Full", 1, {"", 5, 9, 2020}, 0, 0, 0},
        // 2. "dowolny zakres" with both dates open starts on today; otherwise keeps them.
        ChoiceCase{"AnyFromOpen", 2, {}, today, today, 2024},
        ChoiceCase{"AnyKeeps", 2, {"", 100, 200, 1990}, 100, 200, 2024},
        // 3. Today; the last week is seven days, today included.
        ChoiceCase{"Today", 3, {}, today, today, 2024},
        ChoiceCase{"LastWeek", 4, {}, today - 6, today, 2024},
        // 4. The current month and year ignore the year field.
        ChoiceCase{"CurrentMonth", 5, {"", 0, 0, 1999}, d(5, 1, 2024), d(5, 31, 2024), 2024},
        ChoiceCase{"CurrentYear", 6, {"", 0, 0, 1999}, d(1, 1, 2024), d(12, 31, 2024), 2024},
        // 5. "luty" with the year field 2024: the leap day included.
        ChoiceCase{"February2024", 8, {"", 0, 0, 2024}, k1Feb2024, k1Feb2024 + 28, 2024},
        // 6. A month with no year in the field takes the current year.
        ChoiceCase{"DecemberNoYear", 18, {}, d(12, 1, 2024), d(12, 31, 2024), 2024},
        // 7. Quarters; the fourth ends on 31 December through month 13.
        ChoiceCase{"FirstQuarter", 19, {"", 0, 0, 2023}, d(1, 1, 2023), d(3, 31, 2023), 2023},
        ChoiceCase{"FourthQuarter", 22, {"", 0, 0, 2023}, d(10, 1, 2023), d(12, 31, 2023), 2023},
        // 8. "starsze niż": up to sixty days ago, from open.
        ChoiceCase{"OlderThan", 23, {"", 5, 9, 2020}, 0, today - 60, 0}),
    orv::test::named_case);

TEST(DateRange, NamesAndPositions) {
  ASSERT_EQ(range_names().size(), 23u);
  EXPECT_EQ(range_names()[0], kFull);
  EXPECT_EQ(range_names()[15], "październik"_w1250);
  EXPECT_EQ(range_names()[21], "4 kwartał"_w1250);
  EXPECT_EQ(range_position(kCurrentMonth + "   "), 5);
  EXPECT_EQ(range_position("Luty"), 0);  // exact, as stored
}

TEST(DateRange, MovingToAnotherYear) {
  RangeFields f{"", d(2, 29, 2024), d(3, 15, 2024), 2024};
  EXPECT_TRUE(move_to_year(f, 2023));
  EXPECT_EQ(f.from, d(3, 1, 2023));  // 29 February rolls over, as the date constructor does
  EXPECT_EQ(f.to, d(3, 15, 2023));
  RangeFields open{"", 0, d(3, 15, 2024), 2024};
  EXPECT_TRUE(move_to_year(open, 2020));
  EXPECT_EQ(open.from, 0);  // an open date stays open
  for (int32_t bad : {1800, -3, 10000}) {
    RangeFields g = f;
    EXPECT_FALSE(move_to_year(g, bad)) << bad;
    EXPECT_EQ(g.from, f.from);
  }
}

TEST(DateRange, Descriptions) {
  EXPECT_EQ(range_description(kFull + " ", 0, 0), kFull);
  EXPECT_EQ(range_description(kCurrentMonth, d(5, 1, 2024), d(5, 31, 2024)),
            kCurrentMonth + " (01.05.2024 - 31.05.2024)");
  EXPECT_EQ(range_description(kOlder, 0, d(3, 16, 2024)), kOlder + " ( - 16.03.2024)");
}

// Records what the window showed when it closed and moves it once.
class RangeUi : public ui::HeadlessBackend {
 public:
  RangeUi() : ui::HeadlessBackend({}, /*strict=*/true) {}
  void window_opened(ui::Window& w) override {
    opened_at = w.rect;
    if (w.name() == "PytajOZakresDat") w.rect.x = 77;
  }
  ui::Rect opened_at;
};

class RangeWindow : public ::testing::Test {
 protected:
  RangeWindow() {
    dict::glo().PATH_INI = dir.file("orv.ini");
    dict::glo().ID_FIRMY = 5;
    dict::glo().ID_UZYTKOWNIKA = 7;
    frame::reset_module();
    ui::reset_host();
    date::set_now(date::Moment{kWednesday15May2024, date::make_time(9, 0, 0)});
  }
  ~RangeWindow() override {
    ui::reset_host();
    frame::reset_module();
  }
  void user_parameters(const std::string& refresh) {
    auto& q = dict::glo().tables.U_PARAMKONFQ;
    q.add({"ZAKRWYS", "", ""});
    q.add({"DATA_OD", "", ""});
    q.add({"DATA_DO", "", ""});
    q.add({"ODSWIEZKARTOT", "", refresh});
  }
  const ui::Control& control(const std::string& id) const {
    for (const auto& c : ui.windows().back().controls) {
      if (c.id == id) return c;
    }
    throw std::runtime_error("no control " + id);
  }

  test::SqlStack sql;
  test::TempDir dir;
  RangeUi ui;
  test::ShownUi shown{ui};
};

// Global mode with saving: the shared range, the _LOC copies, the user parameters, the status
// bar and the refresh event to the open windows of the listed kinds.
TEST_F(RangeWindow, GlobalModeSavesAndRefreshes) {
  user_parameters("Tak");
  auto& windows = dict::glo().tables.OKNAQ;
  windows.add({3, "DOKMAG"});
  windows.add({4, "ARTYKUL_BRW"});
  windows.add({0, "ZAM"});  // no thread stored by the host: nothing to send to
  windows.add({9, "RAPANALSPRZED"});
  ui.add_script(text::to_utf8("choose ZAKRES \"" + kCurrentMonth + "\"; press Zatwierdź"_w1250));
  EXPECT_EQ(PYTAJOZAKRESDAT(uint8_t{1}), 1);

  const dict::Context& g = dict::glo();
  std::string description = kCurrentMonth + " (01.05.2024 - 31.05.2024)";
  EXPECT_EQ(g.ZAKRES, kCurrentMonth);
  EXPECT_EQ(g.ZAKRESPOS, 5);
  EXPECT_EQ(g.ZAKRESOPIS, description);
  EXPECT_EQ(g.DATA_OD, d(5, 1, 2024));
  EXPECT_EQ(g.DATA_DO, d(5, 31, 2024));
  EXPECT_EQ(g.ZAKRES_LOC, kCurrentMonth);
  EXPECT_EQ(g.ZAKRESPOS_LOC, 5);
  EXPECT_EQ(g.ZAKRESOPIS_LOC, description);
  EXPECT_EQ(ui::status_text(5), description);
  std::string from = std::to_string(d(5, 1, 2024)), to = std::to_string(d(5, 31, 2024));
  EXPECT_EQ(
      sql.recording.statements(),
      (std::vector<std::string>{
          "begin transaction",
          "call AP_ZapiszDoLoguParam ('u',5,7,'ZAKRWYS','','" + kCurrentMonth + "')",
          "call RM_ZapiszParamKonf('u',7,'ZakrWys','" + kCurrentMonth + "',5)",
          "commit transaction", "begin transaction",
          "call AP_ZapiszDoLoguParam ('u',5,7,'DATA_OD','','" + from + "')",
          "call RM_ZapiszParamKonf('u',7,'Data_Od','" + from + "',5)", "commit transaction",
          "begin transaction", "call AP_ZapiszDoLoguParam ('u',5,7,'DATA_DO','','" + to + "')",
          "call RM_ZapiszParamKonf('u',7,'Data_Do','" + to + "',5)", "commit transaction"}));
  EXPECT_EQ(config::POBIERZPARAMKONF("u", "ZakrWys"), kCurrentMonth);
  auto posted = ui::posted_events();
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[0].thread, 3);
  EXPECT_EQ(posted[0].code, kRefreshEvent);
  EXPECT_EQ(posted[1].thread, 9);
}

// Without "Tak" in "OdswiezKartot" nothing is refreshed.
TEST_F(RangeWindow, NoRefreshUnlessAskedFor) {
  user_parameters("Nie");
  dict::glo().tables.OKNAQ.add({3, "DOKMAG"});
  ui.add_script("choose ZAKRES 3; key F10");
  EXPECT_EQ(PYTAJOZAKRESDAT(uint8_t{1}), 1);
  EXPECT_EQ(dict::glo().ZAKRESPOS, 3);
  EXPECT_TRUE(ui::posted_events().empty());
}

// Global mode without saving changes only the _LOC copies; a blank shared range starts full.
TEST_F(RangeWindow, GlobalModeWithoutSavingChangesOnlyTheLocalCopy) {
  dict::glo().DATA_OD = 123;
  ui.add_script("press ZATWIERDZ");
  EXPECT_EQ(PYTAJOZAKRESDAT(), 1);
  const dict::Context& g = dict::glo();
  EXPECT_EQ(g.ZAKRES_LOC, kFull);
  EXPECT_EQ(g.ZAKRESOPIS_LOC, kFull);
  EXPECT_EQ(g.ZAKRESPOS_LOC, 1);
  EXPECT_EQ(g.DATA_OD_LOC, 0);
  EXPECT_EQ(g.ZAKRES, "");
  EXPECT_EQ(g.DATA_OD, 123);
  EXPECT_TRUE(sql.recording.statements().empty());
  EXPECT_EQ(ui::status_text(5), "");
}

// Caller mode: the year field moves the caller's dates, then "luty" of that year; only the
// references change.
TEST_F(RangeWindow, CallerModeLutyWithYear2024) {
  int32_t from = d(3, 10, 2022), to = d(4, 10, 2022);
  std::string name = kAny;
  ui.add_script(text::to_utf8("set ROK 2024; choose ZAKRES luty; press Zatwierdź"_w1250));
  EXPECT_EQ(PYTAJOZAKRESDAT(uint8_t{1}, &from, &to, &name), 1);
  EXPECT_EQ(from, k1Feb2024);
  EXPECT_EQ(to, k1Feb2024 + 28);
  EXPECT_EQ(name, "luty");
  EXPECT_EQ(dict::glo().ZAKRES_LOC, "");
  EXPECT_EQ(dict::glo().ZAKRES, "");
  EXPECT_TRUE(sql.recording.statements().empty());
}

// A first date after the second keeps the window open with the warning and changes nothing.
TEST_F(RangeWindow, FromAfterToWarnsAndStays) {
  int32_t from = d(5, 20, 2024), to = d(5, 10, 2024);
  std::string name = kAny;
  ui.add_script("key F10; answer ok; press Anuluj");
  EXPECT_EQ(PYTAJOZAKRESDAT(std::nullopt, &from, &to, &name), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Data od nie może być większa od daty do!"_w1250);
  EXPECT_EQ(from, d(5, 20, 2024));
  EXPECT_EQ(name, kAny);
}

// Typing a date or picking one in the calendar makes the range "dowolny zakres"; a text that
// is no date leaves the field as it was.
TEST_F(RangeWindow, TypedAndPickedDatesMakeAnyRange) {
  dict::glo().ZAKRES = kCurrentMonth;
  dict::glo().DATA_OD = d(5, 1, 2024);
  dict::glo().DATA_DO = d(5, 31, 2024);
  ui.add_script(text::to_utf8(
      "set DATA_OD 03.05.2024; set DATA_DO nonsense; press KALENDARZ_DO; choose DNI 20; "
      "press Zatwierdź"_w1250));
  EXPECT_EQ(PYTAJOZAKRESDAT(), 1);
  const dict::Context& g = dict::glo();
  EXPECT_EQ(g.ZAKRES_LOC, kAny);
  EXPECT_EQ(g.ZAKRESPOS_LOC, 2);
  EXPECT_EQ(g.DATA_OD_LOC, d(5, 3, 2024));
  EXPECT_EQ(g.DATA_DO_LOC, d(5, 20, 2024));
  EXPECT_EQ(ui.windows().front().name, "Kalendarz");
}

// "starsze niż" in the shared range shows the day count; changing it moves the end date.
TEST_F(RangeWindow, OlderThanShowsAndTakesTheDayCount) {
  dict::glo().ZAKRES = kOlder;
  dict::glo().DATA_DO = kWednesday15May2024 - 30;
  dict::glo().DATA_OD = 77;
  ui.add_script("set ILE_DNI 90; set ILE_DNI x; key F10");
  EXPECT_EQ(PYTAJOZAKRESDAT(), 1);
  EXPECT_EQ(dict::glo().DATA_DO_LOC, kWednesday15May2024 - 90);
  EXPECT_EQ(dict::glo().DATA_OD_LOC, 0);
  EXPECT_FALSE(control("ILE_DNI").hidden);
  EXPECT_FALSE(control("DNI").hidden);
}

// A date picked in the calendar makes the range "dowolny zakres" but leaves the day count shown.
TEST_F(RangeWindow, PickedDateKeepsTheDayCountShown) {
  dict::glo().ZAKRES = kOlder;
  dict::glo().DATA_DO = kWednesday15May2024 - 30;
  ui.add_script("press KALENDARZ_DO; choose DNI 20; key F10");
  EXPECT_EQ(PYTAJOZAKRESDAT(), 1);
  EXPECT_EQ(dict::glo().ZAKRES_LOC, kAny);
  EXPECT_EQ(dict::glo().DATA_DO_LOC, d(4, 20, 2024));
  EXPECT_FALSE(control("ILE_DNI").hidden);
}

TEST_F(RangeWindow, TextsAndIniPlace) {
  ui.add_script("key Esc");
  EXPECT_EQ(PYTAJOZAKRESDAT(), 0);
  const auto& w = ui.windows().back();
  EXPECT_EQ(w.title, "Ustaw okres czasu");
  EXPECT_EQ(control("GRUPA").caption, "Zakres wyświetlania"_w1250);
  EXPECT_EQ(control("DATA_OD").prompt, "od");
  EXPECT_EQ(control("DATA_DO").prompt, "do");
  EXPECT_EQ(control("ROK").prompt, "Rok");
  EXPECT_EQ(control("DNI").caption, "dni");
  EXPECT_EQ(control("ILE_DNI").prompt, "");
  EXPECT_TRUE(control("ILE_DNI").hidden);
  EXPECT_EQ(control("ZAKRES").visible_items, 10);
  EXPECT_EQ(control("ZATWIERDZ").key, "F10");
  EXPECT_EQ(control("ANULUJ").key, "Esc");
  EXPECT_EQ(control("ZAKRES").items, range_names());
  ini::IniFile file(dir.file("orv.ini"));
  EXPECT_EQ(file.get("PytajOZakresDat", "XPos"), "77");
  ui.add_script("close");
  PYTAJOZAKRESDAT();
  EXPECT_EQ(ui.opened_at.x, 77);
}

// Dates that are no days (negative, past 9999) do not break the window; a dry script fails it.
TEST_F(RangeWindow, BadDatesAndDryScript) {
  int32_t from = -5, to = 99999999;
  std::string name = kAny;
  ui.add_script("key F10");
  EXPECT_EQ(PYTAJOZAKRESDAT(std::nullopt, &from, &to, &name), 1);
  EXPECT_EQ(from, -5);
  EXPECT_EQ(to, 99999999);
  EXPECT_THROW(PYTAJOZAKRESDAT(), ui::ScriptError);
}

struct QuickCase {
  const char* name;
  const char* script;
  uint8_t code;
  int32_t from, to;
};
void PrintTo(const QuickCase& c, std::ostream* os) {
  *os << c.name;
}

class Quick : public RangeWindow, public ::testing::WithParamInterface<QuickCase> {};

// Global mode: the shared range takes the choice and the status bar its description; nothing
// is saved and nothing refreshed.
TEST_P(Quick, GlobalMode) {
  user_parameters("Tak");
  dict::glo().tables.OKNAQ.add({3, "DOKMAG"});
  ui.add_script(GetParam().script);
  EXPECT_EQ(PYTAJOZAKRES3DAT(), GetParam().code);
  const dict::Context& g = dict::glo();
  EXPECT_EQ(g.ZAKRESPOS, GetParam().code);
  EXPECT_EQ(g.DATA_OD, GetParam().from);
  EXPECT_EQ(g.DATA_DO, GetParam().to);
  if (GetParam().code != 0) {
    EXPECT_EQ(ui::status_text(5), range_description(g.ZAKRES, g.DATA_OD, g.DATA_DO));
    EXPECT_EQ(g.ZAKRESOPIS, ui::status_text(5));
  }
  EXPECT_TRUE(sql.recording.statements().empty());
  EXPECT_TRUE(ui::posted_events().empty());
  EXPECT_EQ(g.ZAKRES_LOC, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Quick,
                         ::testing::Values(
                             // 1. Today: code 2 (PYTAJOZAKRESDAT would store 3).
                             QuickCase{"Day", "choose popup 1", 2, kWednesday15May2024,
                                       kWednesday15May2024},
                             // 2. The current month: code 4.
                             QuickCase{"Month", "choose popup 2", 4, d(5, 1, 2024), d(5, 31, 2024)},
                             // 3. The current year: code 5.
                             QuickCase{"Year", "choose popup 3", 5, d(1, 1, 2024), d(12, 31, 2024)},
                             // 4. Dismissed: 0 and nothing changes.
                             QuickCase{"Dismissed", "key Esc", 0, 0, 0}),
                         orv::test::named_case);

TEST_F(RangeWindow, QuickMenuCallerModeAndItsItems) {
  int32_t from = 0, to = 0;
  std::string name = "x";
  ui.add_script(text::to_utf8("choose popup \"" + kCurrentMonth + "\""));
  EXPECT_EQ(PYTAJOZAKRES3DAT(&from, &to, &name), 4);
  EXPECT_EQ(name, kCurrentMonth);
  EXPECT_EQ(from, d(5, 1, 2024));
  EXPECT_EQ(to, d(5, 31, 2024));
  EXPECT_EQ(dict::glo().ZAKRES, "");
  ASSERT_EQ(ui.popups().size(), 1u);
  EXPECT_EQ(ui.popups()[0],
            (std::vector<std::string>{"bieżący dzień"_w1250, kCurrentMonth, "bieżący rok"_w1250}));
}

}  // namespace
}  // namespace orv::dialogs
