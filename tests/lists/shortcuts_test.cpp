// The shortcut table and the dialog that picks from it.
#include "lists/shortcuts.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/support.hpp"

namespace orv::lists {
namespace {

// The rule the table follows, computed apart from it: modifiers plus virtual-key codes.
std::map<std::string, int32_t> expected_table() {
  const std::pair<const char*, int> mods[] = {{"Alt+", 1024},       {"Ctrl+", 512},
                                              {"Shift+", 256},      {"Alt+Shift+", 1280},
                                              {"Ctrl+Shift+", 768}, {"Ctrl+Alt+", 1536}};
  const std::pair<const char*, int> named[] = {
      {"BS", 8},     {"Delete", 46}, {"Down", 40},   {"End", 35},   {"Enter", 13},
      {"Esc", 27},   {"Home", 36},   {"Insert", 45}, {"Left", 37},  {"Minus", 109},
      {"Pause", 19}, {"PgDn", 34},   {"PgUp", 33},   {"Plus", 107}, {"Print", 44},
      {"Right", 39}, {"Slash", 111}, {"Space", 32},  {"Tab", 9},    {"Up", 38}};
  std::map<std::string, int32_t> out;
  for (const auto& [mod, value] : mods) {
    for (char d = '0'; d <= '9'; ++d) out[std::string(mod) + d] = value + d;
    if (std::string(mod) != "Shift+") {
      for (char l = 'A'; l <= 'Z'; ++l) out[std::string(mod) + l] = value + l;
    }
    for (int f = 1; f <= 12; ++f) out[std::string(mod) + "F" + std::to_string(f)] = value + 111 + f;
    for (const auto& [key, code] : named) out[std::string(mod) + key] = value + code;
  }
  return out;
}

TEST(Shortcuts, TableHoldsTheRuleSortedByName) {
  auto table = shortcut_table();
  auto expected = expected_table();
  ASSERT_EQ(table.size(), 382u);
  ASSERT_EQ(expected.size(), 382u);
  for (const auto& s : table) {
    EXPECT_EQ(expected.at(s.name), s.code) << s.name;
    EXPECT_LE(s.name.size(), 30u);
  }
  EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                             [](const auto& a, const auto& b) { return a.name < b.name; }));
}

struct Known {
  const char* name;
  int32_t code;
};

class Examples : public testing::TestWithParam<Known> {};

TEST_P(Examples, Offered) {
  auto table = shortcut_table();
  auto it = std::find_if(table.begin(), table.end(),
                         [&](const auto& s) { return s.name == GetParam().name; });
  ASSERT_NE(it, table.end()) << GetParam().name;
  EXPECT_EQ(it->code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Shortcuts, Examples,
                         testing::Values(Known{"Alt+0", 1072}, Known{"Alt+BS", 1032},
                                         Known{"Alt+Minus", 1133}, Known{"Ctrl+Alt+Delete", 1582},
                                         Known{"Alt+Shift+A", 1345}, Known{"Ctrl+Shift+F5", 884},
                                         Known{"Shift+F12", 379}));

TEST(Shortcuts, ShiftWithALetterIsNotOffered) {
  auto table = shortcut_table();
  EXPECT_EQ(
      std::count_if(table.begin(), table.end(), [](const auto& s) { return s.name == "Shift+A"; }),
      0);
}

struct DialogCase {
  const char* name;
  const char* script;
  const char* chosen;  // null: unchanged
  int32_t code;
};

class Dialog : public testing::TestWithParam<DialogCase> {};

TEST_P(Dialog, WritesOnlyAChoice) {
  const auto& c = GetParam();
  orv::test::ScopedUi ui;
  ui.ui().add_script(c.script);
  char buffer[31] = "Ctrl+X";
  ORVRUN_TEXT name{buffer, sizeof buffer};
  int32_t code = 600;
  ::SKROTYKLAWISZOWE(&name, &code);
  EXPECT_EQ(std::string(buffer), c.chosen ? c.chosen : "Ctrl+X");
  EXPECT_EQ(code, c.chosen ? c.code : 600);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  EXPECT_EQ(ui.ui().windows()[0].title, "Skróty klawiszowe"_w1250);
  EXPECT_TRUE(ui.ui().failure().empty()) << ui.ui().failure();
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, Dialog,
    testing::Values(
        // 1. A double click chooses the row.
        DialogCase{"DoubleClick", "dclick LISTA 2", "Alt+1", 1073},
        // 2. "Wybierz" (or Enter) chooses the selected row.
        DialogCase{"Choose", "choose LISTA Ctrl+Alt+Delete", "Ctrl+Alt+Delete", 1582},
        DialogCase{"SelectAndEnter", "select LISTA 3; key Enter", "Alt+2", 1074},
        DialogCase{"SelectAndPress", "select LISTA 1; press Wybierz", "Alt+0", 1072},
        // 3. "Anuluj", Esc and the close box change nothing.
        DialogCase{"Cancel", "select LISTA 5; press Anuluj", nullptr, 0},
        DialogCase{"Esc", "key Esc", nullptr, 0}, DialogCase{"Close", "close", nullptr, 0}),
    [](const auto& info) { return info.param.name; });

TEST(Shortcuts, NameIsCutToTheCallersBuffer) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("choose LISTA Ctrl+Shift+Delete");
  char buffer[8] = "";
  ORVRUN_TEXT name{buffer, sizeof buffer};
  ::SKROTYKLAWISZOWE(&name, nullptr);
  EXPECT_EQ(std::string(buffer), "Ctrl+Sh");
}

TEST(Shortcuts, ScriptRunningDryFailsAndChangesNothing) {
  orv::test::ScopedUi ui;
  std::string name = "x";
  int32_t code = 1;
  EXPECT_THROW(SKROTYKLAWISZOWE(name, code), ui::ScriptError);
  EXPECT_EQ(name, "x");
  EXPECT_EQ(code, 1);
  ASSERT_EQ(ui.ui().windows().size(), 1u);  // the window still closed and was recorded
}

}  // namespace
}  // namespace orv::lists
