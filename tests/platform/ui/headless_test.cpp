// The headless backend: commands become events, boxes and dialogs take answers, and a script
// that runs dry fails or closes the window instead of hanging.
#include "platform/ui/headless/headless.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/text/cp1250.hpp"
#include "platform/ui/popup.hpp"
#include "sample_window.hpp"
#include "support/support.hpp"

namespace orv::ui {
namespace {

using namespace ui::test;

struct Expected {
  EventKind kind;
  int control;
  std::string key;
};

struct CommandCase {
  const char* name;
  const char* script;
  std::vector<Expected> events;
  const char* control;  // a control whose shown value is checked afterwards, or null
  const char* value;
};

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, GiveEventsAndValues) {
  const auto& c = GetParam();
  orv::test::ScopedUi ui;
  ui.ui().add_script(c.script);
  Window w = sample_window();
  w.open();
  for (const auto& want : c.events) {
    Event e = w.accept();
    EXPECT_EQ(e.kind, want.kind) << event_name(e.kind);
    EXPECT_EQ(e.control, want.control);
    EXPECT_EQ(e.key, want.key);
  }
  if (c.control) {
    EXPECT_EQ(w.find(c.control)->shown_value(), c.value);
  }
  EXPECT_EQ(ui.ui().commands_left(), 0u);
}

constexpr auto A = EventKind::Accepted;
constexpr auto N = EventKind::NewSelection;

INSTANTIATE_TEST_SUITE_P(
    Headless, Commands,
    testing::Values(
        // 1-3. An entry is found by id, by its prompt without "&" and ":", and by number.
        CommandCase{"SetById", "set KWOTA 12,5", {{A, kAmount, ""}}, "KWOTA", "12,5"},
        CommandCase{"SetByPrompt", "set kwota 7", {{A, kAmount, ""}}, "KWOTA", "7"},
        CommandCase{"SetByNumber", "set 1 8", {{A, kAmount, ""}}, "KWOTA", "8"},
        // 4-5. Check boxes: check sets, press toggles.
        CommandCase{"CheckOn", "check ZAZN on", {{A, kMark, ""}}, "ZAZN", "1"},
        CommandCase{"PressToggles",
                    "press Zaznacz; press ZAZN",
                    {{A, kMark, ""}, {A, kMark, ""}},
                    "ZAZN",
                    "0"},
        // 6-7. Drop lists: an item by its text (any case) or by its position.
        CommandCase{"ChooseItem", "choose ZAKRES LUTY", {{A, kRange, ""}}, "ZAKRES", "luty"},
        CommandCase{"ChooseItemByNumber",
                    "choose ZAKRES 1",
                    {{A, kRange, ""}},
                    "ZAKRES",
                    "pełny zakres"_w1250},
        // 8-10. Lists: select moves, dclick moves and chooses, choose finds a row by its text.
        CommandCase{"SelectRow", "select LISTA 3", {{N, kList, ""}}, "LISTA", "c"},
        CommandCase{"DoubleClickRow",
                    "dclick LISTA 2",
                    {{N, kList, ""}, {A, kList, "MouseLeft2"}},
                    "LISTA",
                    "b"},
        CommandCase{"ChooseRow", "choose LISTA b", {{N, kList, ""}, {A, kList, ""}}, "LISTA", "b"},
        // 11-14. Buttons by caption and by key; a key no button or alert key takes stays a key.
        CommandCase{
            "PressByCaption", "press zatwierdź", {{A, kConfirmButton, ""}}, nullptr, nullptr},
        CommandCase{"KeyOfButton", "key f10", {{A, kConfirmButton, "F10"}}, nullptr, nullptr},
        CommandCase{
            "EscPressesItsButton", "key Esc", {{A, kCancelButton, "Esc"}}, nullptr, nullptr},
        CommandCase{"OtherKey", "key ctrl+q", {{EventKind::Key, 0, "Ctrl+Q"}}, nullptr, nullptr},
        // 15. Enter accepts the focused control (the last one a command touched).
        CommandCase{"EnterAcceptsFocus",
                    "set KWOTA 3; key Enter",
                    {{A, kAmount, ""}, {A, kAmount, "Enter"}},
                    nullptr,
                    nullptr},
        // 16-18. Timer events, the close box and the maximise box.
        CommandCase{"Ticks",
                    "tick 2",
                    {{EventKind::Timer, 0, ""}, {EventKind::Timer, 0, ""}},
                    nullptr,
                    nullptr},
        CommandCase{"Close", "close", {{EventKind::CloseWindow, 0, ""}}, nullptr, nullptr},
        CommandCase{"Maximize", "maximize", {{EventKind::Maximized, 0, ""}}, nullptr, nullptr}),
    [](const auto& info) { return info.param.name; });

struct RefusalCase {
  const char* name;
  const char* script;
  const char* message_part;
};

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, FailNamingWindowAndCommand) {
  orv::test::ScopedUi ui;
  ui.ui().add_script(GetParam().script);
  Window w = sample_window();
  w.open();
  try {
    w.accept();
    FAIL() << "accepted";
  } catch (const ScriptError& e) {
    EXPECT_NE(e.message.find("\"Próbka\" (Probka)"), std::string::npos) << e.message;
    EXPECT_NE(e.message.find(GetParam().message_part), std::string::npos) << e.message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headless, Refusals,
    testing::Values(
        // 1-3. Controls the user could not reach or type into.
        RefusalCase{"Hidden", "set UKRYTE x", "the control UKRYTE is hidden"},
        RefusalCase{"ReadOnly", "set STALA x", "the control STALA is read-only"},
        RefusalCase{"Missing", "set NIEMA x", "there is no control \"NIEMA\""},
        // 4-8. Commands that do not fit the control's kind or contents.
        RefusalCase{"PressEntry", "press KWOTA", "cannot be pressed"},
        RefusalCase{"RowOutOfRange", "select LISTA 9", "is not a number from 1 to 3"},
        RefusalCase{"NoSuchItem", "choose ZAKRES marzec", "has no item \"marzec\""},
        RefusalCase{"TypeIntoList", "set LISTA x", "takes no typed value"},
        RefusalCase{"CheckAnEntry", "check KWOTA on", "is not a check box"},
        // 9. An answer while the window (not a box) waits.
        RefusalCase{"AnswerWhileWindowWaits", "answer yes", "answers a box"}),
    [](const auto& info) { return info.param.name; });

TEST(Headless, StrictScriptRunningDryFailsNamingTheWindow) {
  orv::test::ScopedUi ui;
  Window w = sample_window();
  w.open();
  try {
    w.accept();
    FAIL() << "no failure";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.message, "the script has no more commands for the window \"Próbka\" (Probka)");
  }
}

TEST(Headless, LenientScriptClosesAsByEscAndSaysSo) {
  orv::test::ScopedUi ui({}, /*strict=*/false);
  Window w = sample_window();
  w.open();
  EXPECT_TRUE(w.accept().accepted(kCancelButton));  // Esc presses "Anuluj"
  ASSERT_EQ(ui.ui().notes().size(), 1u);
  EXPECT_NE(ui.ui().notes()[0].find("closed as by Esc"), std::string::npos);
}

TEST(Headless, WindowThatWillNotCloseFailsInsteadOfHanging) {
  orv::test::ScopedUi ui({}, /*strict=*/false);
  Window w("Uparte", "Uparte");
  w.open();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w.accept().kind, EventKind::CloseWindow);
  EXPECT_THROW(w.accept(), ScriptError);
}

TEST(Headless, TimersRunInVirtualTimeThenGiveUp) {
  orv::test::ScopedUi ui;
  ui.ui().set_dry_tick_limit(ScriptedBackend::kFreeTicks + 20);
  Window w("Postep", "Postęp"_w1250);
  w.timer = 50;
  w.open();
  int ticks = 0;
  try {
    while (w.accept().kind == EventKind::Timer) ++ticks;
  } catch (const ScriptError& e) {
    EXPECT_NE(e.message.find("after 1020 timer events"), std::string::npos) << e.message;
  }
  EXPECT_EQ(ticks, 1020);
  EXPECT_EQ(ui.ui().virtual_time(), int64_t{50} * 1020);
}

TEST(Headless, TimerWindowWaitsForAnotherThreadsWorkAndQuestion) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("answer yes");
  Window w("Postep", "Postęp"_w1250);
  w.timer = 10;
  w.open();
  std::atomic<unsigned> answer{0};
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    answer =
        backend().message(MessageBox{"Przerwać?"_w1250, "T", Icon::Question, kYes | kNo, kNo, {}});
  });
  while (answer.load() == 0) ASSERT_EQ(w.accept().kind, EventKind::Timer);
  worker.join();
  EXPECT_EQ(answer.load(), kYes);
  // Real work that outlasts the free ticks still finishes before the window gives up.
  std::atomic<bool> done{false};
  std::thread slow([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    done = true;
  });
  while (!done.load()) ASSERT_EQ(w.accept().kind, EventKind::Timer);
  slow.join();
}

TEST(Headless, BoxInsideWindowTakesTheNextAnswer) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("press OK; answer no; close");
  Window w = sample_window();
  w.open();
  EXPECT_TRUE(w.accept().accepted(kConfirmButton));
  MessageBox box{"Na pewno?", "T", Icon::Question, kYes | kNo, kNo, {}};
  EXPECT_EQ(backend().message(box), kNo);
  EXPECT_EQ(w.accept().kind, EventKind::CloseWindow);
}

TEST(Headless, AnswersByCaptionAndOkBoxesLeaveOtherAnswers) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("answer Odrzuć; answer ok; answer yes");
  MessageBox custom{"?",
                    "T",
                    Icon::Question,
                    kYes | kNo | ui::kCancel,
                    kYes,
                    {"Zapisz", "Odrzuć"_w1250, "Wróć"_w1250}};
  EXPECT_EQ(backend().message(custom), kNo);
  MessageBox info{"i", "T", Icon::Information, ui::kOk, ui::kOk, {}};
  EXPECT_EQ(backend().message(info), ui::kOk);  // takes "answer ok"
  EXPECT_EQ(backend().message(info), ui::kOk);  // closes by itself, "answer yes" stays
  EXPECT_EQ(ui.ui().commands_left(), 1u);
}

TEST(Headless, DisplayOnlyWindowClosesByItselfLeavingAnswers) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("answer yes");
  Window w("Pokaz", "Pokaz");
  w.display_only = true;
  w.open();
  EXPECT_EQ(w.accept().kind, EventKind::CloseWindow);
  EXPECT_EQ(ui.ui().commands_left(), 1u);
}

TEST(Headless, FileDialogs) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("answer /tmp/lista.csv; key Esc");
  FileDialog d{"Zapisz jako", "/tmp", "lista.csv", "CSV|*.csv", true, false};
  EXPECT_EQ(ask_file(d), std::optional<std::string>("/tmp/lista.csv"));
  EXPECT_EQ(ask_file(d), std::nullopt);    // cancelled
  EXPECT_THROW(ask_file(d), ScriptError);  // strict and dry
  EXPECT_EQ(ui.ui().file_dialogs().size(), 3u);
}

TEST(Headless, LenientFileDialogWithoutAnswerIsCancelled) {
  orv::test::ScopedUi ui({}, /*strict=*/false);
  EXPECT_EQ(ask_file(FileDialog{"Otwórz"_w1250, "", "", "", false, true}), std::nullopt);
  ASSERT_EQ(ui.ui().notes().size(), 1u);
  EXPECT_NE(ui.ui().notes()[0].find("the folder dialog \"Otwórz\" got no path"), std::string::npos);
}

TEST(Headless, PopupMenusChooseByCaptionOrNumberAndSkipSeparators) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("choose popup Popraw; choose popup 2; key Esc");
  PopupMenu menu;
  menu.add_item("[31848(~dodaj2.ico)]Dodaj", "Insert");
  menu.add_item("-", "Sep");
  menu.add_item("31848(~popraw2.ico)]Popraw", "Change");
  EXPECT_EQ(menu.ask(), "Change");
  EXPECT_EQ(menu.ask(), "Change");  // the separator is not counted
  EXPECT_EQ(menu.ask(), "");
  EXPECT_EQ(ui.ui().popups()[0], (std::vector<std::string>{"Dodaj", "Popraw"}));
}

TEST(Headless, RuntimePopupReturnsThePosition) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("choose bieżący rok");
  EXPECT_EQ(popup("bieżący dzień|bieżący miesiąc|bieżący rok"_w1250), 3);
  EXPECT_THROW(popup("a|b"), ScriptError);  // strict and dry
}

struct LookCase {
  const char* text;
  const char* caption;
  const char* icon;
};

class ItemLooks : public testing::TestWithParam<LookCase> {};

TEST_P(ItemLooks, CaptionAndIcon) {
  ItemLook l = item_look(GetParam().text);
  EXPECT_EQ(l.caption, GetParam().caption);
  EXPECT_EQ(l.icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Headless, ItemLooks,
                         testing::Values(LookCase{"[31848(~dodaj2.ico)]Dodaj", "Dodaj",
                                                  "dodaj2.ico"},
                                         LookCase{"31848(~epit.ico)]e-Dokumenty <Ctrl+E>",
                                                  "e-Dokumenty <Ctrl+E>", "epit.ico"},
                                         LookCase{"Zwykły"_w1250, "Zwykły"_w1250, ""},
                                         LookCase{"[31848(~bez konca", "[31848(~bez konca", ""}));

TEST(Headless, ClipboardAndBusyCursor) {
  orv::test::ScopedUi ui;
  set_clipboard("select 1");
  EXPECT_EQ(clipboard(), "select 1");
  {
    BusyCursor busy;
    EXPECT_EQ(ui.ui().busy_depth(), 1);
  }
  EXPECT_EQ(ui.ui().busy_depth(), 0);
}

}  // namespace
}  // namespace orv::ui

namespace orv::ui {
namespace {

// Lists whose cells are chosen (a calendar's grid): "select <list> <row> <column>" and "choose"
// by a cell's text anywhere in the grid.
TEST(Headless, GridCellsByColumnAndByValue) {
  orv::test::ScopedUi ui;
  Window w("Siatka", "Siatka");
  Control& grid = w.add(ControlKind::List, 1, "SIATKA", "Siatka");
  grid.columns = {{"A", 5}, {"B", 5}, {"C", 5}};
  grid.rows = {{"1", "2", "3"}, {"4", "", "6"}};
  w.open();
  struct Step {
    const char* command;
    EventKind last;
    int row, column;
    const char* shown;
  } const steps[] = {
      // 1. Row and column, separated by a blank.
      {"select SIATKA 2 3", EventKind::NewSelection, 2, 3, "6"},
      // 2. Or by a comma; an empty cell shows empty.
      {"select SIATKA 2,2", EventKind::NewSelection, 2, 2, ""},
      // 3. A row alone keeps the column.
      {"select SIATKA 1", EventKind::NewSelection, 1, 2, "2"},
      // 4. choose finds a first cell first...
      {"choose SIATKA 4", EventKind::Accepted, 2, 1, "4"},
      // 5. ...then any cell.
      {"choose SIATKA 3", EventKind::Accepted, 1, 3, "3"},
  };
  for (const auto& s : steps) {
    ui.ui().add_script(s.command);
    Event e = w.accept();
    while (ui.ui().commands_left() == 0 && e.kind != s.last) e = w.accept();
    EXPECT_EQ(e.kind, s.last) << s.command;
    EXPECT_EQ(grid.selected, s.row) << s.command;
    EXPECT_EQ(grid.column, s.column) << s.command;
    EXPECT_EQ(grid.shown_value(), s.shown) << s.command;
  }
  // 6. A column past the grid is refused, naming the command.
  ui.ui().add_script("select SIATKA 1 4");
  try {
    w.accept();
    FAIL() << "a fourth column should be refused";
  } catch (const ScriptError& e) {
    EXPECT_NE(e.message.find("\"select SIATKA 1 4\""), std::string::npos) << e.message;
  }
  w.close();
}

}  // namespace
}  // namespace orv::ui
