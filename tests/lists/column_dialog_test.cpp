// The column dialog: its commands on rows, the locked-block rule, the write-back, and the window
// driven by headless scripts over a scripted server.
#include "lists/column_dialog.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "column_fixture.hpp"
#include "exports/orvrun.h"
#include "lists/column_settings.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

using test::ColumnServer;
namespace st = test::statements;

// Five rows A..E, widths 11..15, default widths 21..25, all visible and unlocked.
DialogColumns five_rows() {
  DialogColumns rows;
  for (int i = 0; i < 5; ++i) {
    DialogColumn c;
    c.caption = std::string(1, char('A' + i));
    c.format = "10L(2)|M~" + c.caption + "~@s1@";
    c.number = i + 1;
    c.width = 11 + i;
    c.default_width = 21 + i;
    c.visible = true;
    rows.push_back(c);
  }
  return rows;
}

// Rows as "A" (visible, unlocked), "a" (hidden), "A*" (locked); the format's mark must agree.
std::string shape(const DialogColumns& rows) {
  std::string out;
  for (const auto& c : rows) {
    out += c.visible ? c.caption : std::string(1, char(c.caption[0] - 'A' + 'a'));
    if (c.locked) out += '*';
    EXPECT_EQ(c.locked, is_locked(c.format)) << c.caption << ": " << c.format;
    EXPECT_EQ(c.visible, c.width > 0) << c.caption;
  }
  return out;
}

struct CommandCase {
  const char* purpose;
  std::function<int(DialogColumns&)> act;  // returns the row selected after
  std::string expected;
  int selected;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.purpose;
}

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, OnFiveRows) {
  DialogColumns rows = five_rows();
  EXPECT_EQ(GetParam().act(rows), GetParam().selected);
  EXPECT_EQ(shape(rows), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, Commands,
    testing::Values(
        CommandCase{"1 up swaps with the row above", [](auto& r) { return move_up(r, 3); }, "ACBDE",
                    2},
        CommandCase{"2 up on the first row does nothing", [](auto& r) { return move_up(r, 1); },
                    "ABCDE", 1},
        CommandCase{"3 to the top", [](auto& r) { return move_to_top(r, 4); }, "DABCE", 1},
        CommandCase{"4 down on the last row does nothing", [](auto& r) { return move_down(r, 5); },
                    "ABCDE", 5},
        CommandCase{"5 down swaps with the row below", [](auto& r) { return move_down(r, 1); },
                    "BACDE", 2},
        CommandCase{"6 to the bottom", [](auto& r) { return move_to_bottom(r, 2); }, "ACDEB", 5},
        CommandCase{"7 locking row 3 locks rows 1 to 3",
                    [](auto& r) {
                      lock_through(r, 3);
                      return 3;
                    },
                    "A*B*C*DE", 3},
        CommandCase{"8 unlocking row 2 unlocks rows 5 up to 2",
                    [](auto& r) {
                      lock_through(r, 5);
                      unlock_from(r, 2);
                      return 2;
                    },
                    "A*BCDE", 2},
        CommandCase{"9 toggling a locked row unlocks from there",
                    [](auto& r) {
                      lock_through(r, 4);
                      toggle_lock(r, 3);
                      return 3;
                    },
                    "A*B*CDE", 3},
        CommandCase{"10 toggling an unlocked row locks down to it",
                    [](auto& r) {
                      toggle_lock(r, 2);
                      return 2;
                    },
                    "A*B*CDE", 2},
        CommandCase{"11 hide, then toggle back",
                    [](auto& r) {
                      hide_column(r, 2);
                      hide_column(r, 4);
                      toggle_visible(r, 4);
                      return 4;
                    },
                    "AbCDE", 4},
        CommandCase{"12 rows outside the list change nothing",
                    [](auto& r) {
                      hide_column(r, 0);
                      show_column(r, 6);
                      lock_through(r, 9);
                      unlock_from(r, -1);
                      toggle_lock(r, 0);
                      toggle_visible(r, 6);
                      return move_up(r, 7) + move_down(r, 0) + move_to_top(r, 8);
                    },
                    "ABCDE", 15}));

TEST(Dialog, ShowingAColumnGivesItItsDefaultWidth) {
  DialogColumns rows = five_rows();
  show_column(rows, 2);
  EXPECT_EQ(rows[1].width, 22);
  hide_column(rows, 2);
  EXPECT_EQ(rows[1].width, 0);
  toggle_visible(rows, 2);
  EXPECT_EQ(rows[1].width, 22);
}

TEST(Dialog, CommandsOnAnEmptyListChangeNothing) {
  DialogColumns rows;
  EXPECT_EQ(move_up(rows, 1) + move_to_bottom(rows, 1), 2);
  lock_through(rows, 1);
  toggle_visible(rows, 1);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(broken_lock_block(rows), 0);
}

struct BlockCase {
  const char* locked;  // 'L' for a locked row
  int n;
};

class LockBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(LockBlocks, FromTheTop) {
  DialogColumns rows = five_rows();
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].locked = GetParam().locked[i] == 'L';
  EXPECT_EQ(broken_lock_block(rows), GetParam().n) << GetParam().locked;
}

INSTANTIATE_TEST_SUITE_P(Dialog, LockBlocks,
                         testing::Values(BlockCase{".....", 0}, BlockCase{"L....", 0},
                                         BlockCase{"LLLLL", 0}, BlockCase{"L.L..", 3},
                                         BlockCase{".L...", 2}, BlockCase{"LL.L.", 4},
                                         BlockCase{"....L", 5}));

// The dialog over the loaded layout of the article list. Jan's layout: Indeks and Nazwa locked,
// Cena netto hidden by him, Kod wewnętrzny hidden from everyone, field 4 inactive.
class OverLayout : public testing::Test {
 protected:
  void SetUp() override {
    dict::glo().tables.U_PARAMKONFQ.add({"ILOSCARTBEZPRZECINKA", "@s3", "Nie"});
    LADUJUSTAWIENIAKOLUMN();
    sql.recording.clear();
  }

  // The window's columns in table order as "number@position:width", "F" when locked.
  static std::vector<std::string> layout(const std::string& window = "Artykul_Brw") {
    std::vector<std::string> out;
    for (const auto& r : dict::glo().tables.INI_KOL_BRO) {
      if (r.window != window) continue;
      out.push_back(std::to_string(r.number) + "@" + std::to_string(r.position) + ":" +
                    std::to_string(r.width) + (is_locked(r.format) ? "F" : ""));
    }
    return out;
  }

  test::SqlStack sql;
  test::ScopedUi ui;
  ColumnServer server{sql};
};

// After a save with nothing changed: the dialog's six rows take positions 1 to 6, and the
// column hidden from everyone, whose position 6 Kolor now takes, moves past the last one (8).
const std::vector<std::string> kSaved = {"1@1:60F", "2@2:160F", "3@3:56",  "4@4:56",
                                         "5@5:0",   "7@9:40",   "11@6:50", "14@8:0"};

std::vector<std::string> with(std::vector<std::string> base,
                              std::initializer_list<std::pair<int, const char*>> changes) {
  for (const auto& [index, value] : changes) base[static_cast<std::size_t>(index)] = value;
  return base;
}

TEST_F(OverLayout, TheDialogShowsTheConfigurableColumnsInPositionOrder) {
  DialogColumns rows = rows_for_dialog("Artykul_Brw", 1, 14, {1, 2, 3, 4, 5, 11, 14});
  ASSERT_EQ(rows.size(), 7u);  // Kod wewnętrzny is hidden from everyone
  EXPECT_EQ(rows[0].caption + "/" + rows[4].caption + "/" + rows[6].caption,
            "Indeks/Cena netto/Data przeglądu"_w1250);
  EXPECT_TRUE(rows[0].locked && rows[1].locked && !rows[2].locked);
  EXPECT_FALSE(rows[4].visible);
  EXPECT_EQ(rows[4].default_width, 56);
  EXPECT_EQ(rows[5].column_id, 8);
  EXPECT_EQ(rows_for_dialog("Artykul_Brw", 2, 4, {1, 2, 3, 4}).size(), 3u);
  EXPECT_TRUE(rows_for_dialog("Pusty_Brw", 1, 5, {1, 2}).empty());
}

TEST_F(OverLayout, WriteBackStoresPositionsWidthsAndFormats) {
  DialogColumns rows = rows_for_dialog("Artykul_Brw", 1, 14, {1, 2, 3, 4, 5, 11});
  move_to_top(rows, 6);   // Kolor first
  lock_through(rows, 3);  // Kolor, Indeks, Nazwa
  hide_column(rows, 4);   // Stan
  show_column(rows, 6);   // Cena netto
  write_back("Artykul_Brw", rows, 1, 14);
  EXPECT_EQ(layout(), (std::vector<std::string>{"1@2:60F", "2@3:160F", "3@4:0", "4@5:56", "5@6:56",
                                                "7@9:40", "11@1:50F", "14@8:0"}));
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 1), "50L(2)|FM~Kolor~@s30@");
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 6), 56);
  EXPECT_EQ(POBIERZKOLUMNEROZMIAR("Artykul_Brw", 9), 0);  // hidden from everyone, still
  EXPECT_EQ(layout("Kontrahent_Brw"), (std::vector<std::string>{"1@1:160", "11@2:60"}));
}

TEST_F(OverLayout, HiddenColumnsFollowTheLockedBlock) {
  DialogColumns rows = rows_for_dialog("Artykul_Brw", 1, 14, {1, 2, 3, 4, 5, 11});
  move_to_top(rows, 5);  // the hidden Cena netto first
  hide_column(rows, 3);  // Nazwa, locked and now hidden
  rows[0].format = "56R(2)|M~Cena netto~@n-14.2@";
  rows[0].locked = true;  // inside the block, its format without the mark
  write_back("Artykul_Brw", rows, 1, 14);
  auto after = layout();
  EXPECT_EQ(after[4], "5@1:0F") << "a hidden column inside the block takes the mark";
  EXPECT_EQ(after[1], "2@3:0F");
  EXPECT_EQ(after[7], "14@8:0") << "a hidden column after the block has none";
}

TEST_F(OverLayout, AnUnlockedLayoutClearsTheMarksOfHiddenColumns) {
  auto& kol = dict::glo().tables.INI_KOL_BRO;
  kol[7].format = "50L(2)|FM~Przegląd~@d17@"_w1250;  // an inactive field left with a mark
  DialogColumns rows = rows_for_dialog("Artykul_Brw", 1, 14, {1, 2, 3, 4, 5, 11});
  unlock_from(rows, 1);
  write_back("Artykul_Brw", rows, 1, 14);
  EXPECT_EQ(layout()[7], "14@8:0");
  EXPECT_EQ(layout()[0], "1@1:60");
}

// The window through scripts.
struct ScriptCase {
  const char* purpose;
  const char* script;
  uint8_t result;
  std::vector<std::string> layout;
  std::vector<std::string> boxes;  // texts of the boxes shown
};

void PrintTo(const ScriptCase& c, std::ostream* os) {
  *os << c.purpose;
}

class Scripts : public OverLayout, public testing::WithParamInterface<ScriptCase> {};

const std::vector<std::string> kLoaded = {"1@1:60F", "2@2:160F", "3@3:56",  "4@4:56",
                                          "5@5:0",   "7@6:40",   "11@7:50", "14@8:0"};
const char* kBlockWarning = "Wszystkie kolumny do 1 do 3 muszą być zablokowane!"_w1250;
const char* kRestore = "Czy chcesz przywrócić ustawienia domyślne?"_w1250;

TEST_P(Scripts, Run) {
  const ScriptCase& c = GetParam();
  ui.ui().add_script(c.script);
  EXPECT_EQ(::KONFIGURACJA_KOLUMN("Artykul_Brw"), c.result);
  EXPECT_EQ(ui.ui().failure(), "");
  EXPECT_EQ(layout(), c.layout);
  std::vector<std::string> boxes;
  for (const auto& b : ui.boxes()) boxes.push_back(b.box.text);
  EXPECT_EQ(boxes, c.boxes);
  EXPECT_EQ(ui.ui().commands_left(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, Scripts,
    testing::Values(
        ScriptCase{"1 cancel keeps the layout",
                   "select KOLUMNY 3; press UKRYJ; press ANULUJ",
                   0,
                   kLoaded,
                   {}},
        ScriptCase{"2 Esc cancels", "press UKRYJ; key esc", 0, kLoaded, {}},
        ScriptCase{"3 closing the window cancels", "press UKRYJ; close", 0, kLoaded, {}},
        ScriptCase{"4 save with nothing changed", "press ZATWIERDZ", 1, kSaved, {}},
        ScriptCase{"5 hide",
                   "select KOLUMNY 3; press UKRYJ; press ZATWIERDZ",
                   1,
                   with(kSaved, {{2, "3@3:0"}}),
                   {}},
        ScriptCase{"6 show gives the default width",
                   "select KOLUMNY 5; key ctrl+p; key F10",
                   1,
                   with(kSaved, {{4, "5@5:56"}}),
                   {}},
        ScriptCase{"7 move up",
                   "select KOLUMNY 4; press UP; press ZATWIERDZ",
                   1,
                   with(kSaved, {{2, "3@4:56"}, {3, "4@3:56"}}),
                   {}},
        ScriptCase{"8 move by keys",
                   "select KOLUMNY 3; key ctrl+end; key ctrl+up; key F10",
                   1,
                   with(kSaved, {{2, "3@5:56"}, {3, "4@3:56"}, {4, "5@4:0"}}),
                   {}},
        ScriptCase{"9 lock down to row 4",
                   "select KOLUMNY 4; press ZABLOKUJ; press ZATWIERDZ",
                   1,
                   with(kSaved, {{2, "3@3:56F"}, {3, "4@4:56F"}}),
                   {}},
        ScriptCase{"10 unlock up to row 2",
                   "select KOLUMNY 2; key ctrl+o; press ZATWIERDZ",
                   1,
                   with(kSaved, {{1, "2@2:160"}}),
                   {}},
        ScriptCase{"11 locked rows 1 and 3 are refused, then cancelled",
                   "select KOLUMNY 3; press UP; press ZATWIERDZ; press ANULUJ",
                   0,
                   kLoaded,
                   {kBlockWarning}},
        ScriptCase{"12 refused, mended and saved",
                   "select KOLUMNY 3; press UP; press ZATWIERDZ; select KOLUMNY 2; press ZABLOKUJ;"
                   "press ZATWIERDZ",
                   1,
                   with(kSaved, {{2, "3@2:56F"}, {1, "2@3:160F"}}),
                   {kBlockWarning}},
        ScriptCase{"13 space toggles and moves down",
                   "select KOLUMNY 5; key space; key space; press ZATWIERDZ",
                   1,
                   with(kSaved, {{4, "5@5:56"}, {6, "11@6:0"}}),
                   {}},
        ScriptCase{"14 a double click locks down to its row",
                   "dclick KOLUMNY 3; press ZATWIERDZ",
                   1,
                   with(kSaved, {{2, "3@3:56F"}}),
                   {}},
        ScriptCase{"15 double click on a locked row",
                   "dclick KOLUMNY 1; press ZATWIERDZ",
                   1,
                   with(kSaved, {{0, "1@1:60"}, {1, "2@2:160"}}),
                   {}},
        ScriptCase{
            "16 defaults restored",
            "select KOLUMNY 2; press DOWNALL; press STARTOWE; answer yes; press ZATWIERDZ",
            1,
            {"1@1:60", "2@2:160", "3@3:56", "4@4:56", "5@5:56", "7@9:40", "11@6:50", "14@8:0"},
            {kRestore}},
        ScriptCase{"17 defaults declined",
                   "select KOLUMNY 3; key ctrl+d; answer no; key ctrl+u; "
                   "key F10",
                   1,
                   with(kSaved, {{2, "3@3:0"}}),
                   {kRestore}}));

TEST_F(OverLayout, TheWindowShowsIconsTitleAndLegend) {
  ui.ui().add_script("select KOLUMNY 5; press ANULUJ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 0);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  const auto& w = ui.ui().windows()[0];
  EXPECT_EQ(w.name, "Konfiguracja_kolumn");
  EXPECT_EQ(w.title, "Konfiguracja kolumn kartoteki asortymentowej");
  const ui::Control* list = nullptr;
  std::vector<std::string> texts;
  for (const auto& c : w.controls) {
    if (c.id == "KOLUMNY") list = &c;
    texts.push_back(c.caption.empty() ? c.tip + c.icon : c.caption);
  }
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->rows.size(), 6u);
  EXPECT_EQ(list->rows[0], (std::vector<std::string>{"~boxon.ico", "~skroty.ico", "Indeks"}));
  EXPECT_EQ(list->rows[4], (std::vector<std::string>{"~boxoff.ico", "", "Cena netto"}));
  EXPECT_EQ(list->selected, 5);
  EXPECT_EQ(texts, (std::vector<std::string>{"",
                                             "Przenieś w górę"
                                             "Up.ico"_w1250,
                                             "Przenieś na początek"
                                             "first.ico"_w1250,
                                             "Przenieś w dółDn.ico"_w1250,
                                             "Przenieś na koniec"
                                             "last.ico"_w1250,
                                             "Pokaż"_w1250, "Ukryj", "Zablokuj", "Odblokuj",
                                             "Domyślne"_w1250, "Zapisz", "Anuluj", "~boxon.ico",
                                             "kolumna widoczna w kartotece", "~boxoff.ico",
                                             "kolumna niewidoczna w kartotece"}));
}

TEST_F(OverLayout, OpeningSendsItsStatementsAndDefaultsReadTheDefinitionsAgain) {
  ui.ui().add_script("press STARTOWE; answer yes; press ANULUJ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw  "), 0);
  EXPECT_EQ(sql.recording.statements(),
            (std::vector<std::string>{st::classifier("Artykul_Brw"), st::definitions("Artykul_Brw"),
                                      st::field("Artykul", 4), st::field("Artykul", 1),
                                      st::defaults("Artykul_Brw"), st::field("Artykul", 4),
                                      st::field("Artykul", 1)}));
}

TEST_F(OverLayout, DefaultsOfStockItemsLeaveOutIssuedAndReceived) {
  ui.ui().add_script("press STARTOWE; answer yes; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Pozycje_Dokumentu_Magazynowego_Brw"), 1);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  EXPECT_EQ(ui.ui().windows()[0].title, "Konfiguracja kolumn formularza dokumentu magazynowego");
  // Lp, Artykuł and Cena take positions 1 to 3; Wydano, whose position Cena takes, moves past
  // Przyjęto, which keeps its own.
  EXPECT_EQ(layout("Pozycje_Dokumentu_Magazynowego_Brw"),
            (std::vector<std::string>{"1@1:20", "2@2:120", "3@5:50", "4@4:50", "5@3:50"}));
}

// The restored formats are the definition's as stored; the quantity setting comes back with the
// next load.
TEST_F(OverLayout, DefaultsKeepTheStoredFormats) {
  ui.ui().add_script("press STARTOWE; answer yes; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Artykul_Brw"), 1);
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 3), "56R(2)|M~Stan~C(0)@n-14_@");
  EXPECT_EQ(POBIERZKOLUMNEFORMAT("Artykul_Brw", 4), "56R(2)|M~Rezerwacja~C(0)@n-14_`4@");
}

TEST_F(OverLayout, AWindowWithoutColumnsTakesEveryCommand) {
  ui.ui().add_script(
      "press UP; press DOWNALL; press ZABLOKUJ; press ODBLOKUJ; key space; "
      "press POKAZ; press ZATWIERDZ");
  EXPECT_EQ(KONFIGURACJA_KOLUMN("Pusty_Brw"), 1);
  EXPECT_EQ(ui.ui().failure(), "");
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  EXPECT_EQ(ui.ui().windows()[0].title, "Ustawienia konfiguracyjne systemu");
  EXPECT_TRUE(ui.boxes().empty());
}

struct BadName {
  const char* purpose;
  std::string name;
  std::string quoted;  // as it goes into the statements
};

void PrintTo(const BadName& c, std::ostream* os) {
  *os << c.purpose;
}

class BadNames : public OverLayout, public testing::WithParamInterface<BadName> {};

TEST_P(BadNames, WarnAndOpenNoDialog) {
  EXPECT_EQ(KONFIGURACJA_KOLUMN(GetParam().name), 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, "Wystąpił błąd w odczycie konfiguracj kolumn!"_w1250);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Ostrzeżenie"_w1250);
  EXPECT_TRUE(ui.ui().windows().empty());
  auto sent = sql.recording.statements();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], st::classifier(GetParam().quoted));
  EXPECT_EQ(sent[1], st::definitions(GetParam().quoted));
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, BadNames,
    testing::Values(BadName{"1 unknown", "Nieznane_Brw", "Nieznane_Brw"},
                    BadName{"2 empty", "", ""},
                    BadName{"3 300 characters", std::string(300, 'W'), std::string(300, 'W')},
                    BadName{"4 an apostrophe is doubled", "O'Brien_Brw", "O''Brien_Brw"},
                    BadName{"5 another case", "ARTYKUL_BRW", "ARTYKUL_BRW"}));

// A toolkit that tells which column of the list was clicked: the events come before the script.
class ClickingUi : public ui::HeadlessBackend {
 public:
  ClickingUi() : HeadlessBackend({}, /*strict=*/true) {}
  std::deque<ui::Event> clicks;
  ui::Event next_event(ui::Window& w) override {
    if (clicks.empty()) return HeadlessBackend::next_event(w);
    ui::Event e = clicks.front();
    clicks.pop_front();
    return e;
  }
};

TEST_F(OverLayout, ClicksInTheIconColumns) {
  ClickingUi clicking;
  auto shown = std::make_unique<test::ShownUi>(clicking);
  const int list = 1;
  clicking.clicks = {
      {ui::EventKind::Accepted, list, "MouseLeft", 1},   // hides Indeks
      {ui::EventKind::Accepted, list, "MouseLeft", 3},   // the caption: nothing
      {ui::EventKind::Accepted, list, "MouseLeft2", 1},  // a double click there: nothing
      {ui::EventKind::Accepted, list, "MouseLeft2", 2},  // unlocks rows 6 up to 1
  };
  clicking.add_script("press ZATWIERDZ");
  uint8_t result = KONFIGURACJA_KOLUMN("Artykul_Brw");
  shown.reset();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(layout(), with(kSaved, {{0, "1@1:0"}, {1, "2@2:160"}}));
}

}  // namespace
}  // namespace orv::lists
