// Maximising inside the host frame and moving a splitter.
#include "config/window_geometry.hpp"

#include <gtest/gtest.h>

#include "config/parameters.hpp"
#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/window.hpp"
#include "support/support.hpp"

namespace orv::config {
namespace {

class Geometry : public testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    ui::reset_host();
    ui::set_main_window_size({1000, 700});
    ui::set_system_metrics({/*frame_width=*/4, /*caption_height=*/23});
    w.rect = ui::Rect{30, 40, 300, 200};
    w.maximized = true;
    w.add(ui::ControlKind::List, 1, "LEWA").rect = {0, 0, 100, 50};
    w.add(ui::ControlKind::Image, 2, "SPLIT").rect = {100, 0, 4, 50};
    w.add(ui::ControlKind::List, 3, "PRAWA").rect = {104, 0, 196, 50};
    w.open();
  }
  void TearDown() override {
    dict::reset_context();
    ui::reset_host();
  }
  void user_parameter(const char* code, const char* value) {
    dict::glo().tables.U_PARAMKONFQ.add({code, "", value});
  }
  orv::test::ScopedUi ui;
  ui::Window w{"Okno", "Okno"};
};

struct MaxCase {
  const char* name;
  const char* width_margin;
  const char* height_margin;
  const char* icon_bar;
  uint8_t ribbon_off, ribbon_hides;
  int frame;
  ui::Rect expected;
};

class Maximise : public Geometry, public testing::WithParamInterface<MaxCase> {};

TEST_P(Maximise, FillsTheHostFrameOnce) {
  const auto& c = GetParam();
  user_parameter("OKNOSZERMARG", c.width_margin);
  user_parameter("OKNOWYSMARG", c.height_margin);
  user_parameter("POKAZUJPASEKIKON", c.icon_bar);
  dict::glo().RIBBONOFF = c.ribbon_off;
  dict::glo().RIBBONAUTOUKRYWANIE = c.ribbon_hides;
  ui::set_system_metrics({c.frame, 23});
  EXPECT_EQ(::MAKSYMALIZUJ(), 1);
  EXPECT_EQ(w.rect, c.expected);
  EXPECT_FALSE(w.maximized);
  EXPECT_EQ(::MAKSYMALIZUJ(), 0);  // already there
}

// Height = 700 - (F + H - 4) - 23 - ribbon; width = 1000 - (W + (F - 4 > 1 ? F + 4 : F + 2)).
INSTANTIATE_TEST_SUITE_P(
    Geometry, Maximise,
    testing::Values(
        // 1. Ribbon shown: 72 more. F = 4 takes F + 2.
        MaxCase{"RibbonShown", "", "", "", 0, 0, 4, {0, 0, 994, 605}},
        // 2. Ribbon hiding itself: nothing more.
        MaxCase{"RibbonHides", "10", "6", "Tak", 0, 1, 4, {0, 0, 984, 671}},
        // 3-4. Ribbon off: the icon bar takes 28 when shown ("Tak", trailing blanks ignored).
        MaxCase{"RibbonOffIconBar", "0", "0", "Tak  ", 1, 0, 4, {0, 0, 994, 649}},
        MaxCase{"RibbonOffNoIconBar", "0", "0", "Nie", 1, 0, 4, {0, 0, 994, 677}},
        // 5. A wide frame (F - 4 > 1) takes F + 4; "abc" and "2x" are no numbers: 0.
        MaxCase{"WideFrame", "abc", "2x", "", 1, 0, 8, {0, 0, 988, 673}},
        // 6. Margins beyond the host: no negative size.
        MaxCase{"HugeMargins", "5000", "5000", "", 0, 0, 4, {0, 0, 0, 0}}),
    [](const auto& info) { return info.param.name; });

TEST_F(Geometry, NoWindowNothingToMaximise) {
  w.close();
  EXPECT_EQ(::MAKSYMALIZUJ(), 0);
}

TEST_F(Geometry, SplitterMovesBothWays) {
  ::USTAWSPLIT(1, 2, 3, 20);
  EXPECT_EQ(w.at(1).rect, (ui::Rect{0, 0, 120, 50}));
  EXPECT_EQ(w.at(2).rect, (ui::Rect{120, 0, 4, 50}));
  EXPECT_EQ(w.at(3).rect, (ui::Rect{124, 0, 176, 50}));
  ::USTAWSPLIT(1, 2, 3, -50);
  EXPECT_EQ(w.at(1).rect, (ui::Rect{0, 0, 70, 50}));
  EXPECT_EQ(w.at(3).rect, (ui::Rect{74, 0, 226, 50}));
  ::USTAWSPLIT(1, 2, 3, 0);
  EXPECT_EQ(w.at(2).rect, (ui::Rect{70, 0, 4, 50}));
  ::USTAWSPLIT(1, 99, 3, 5);  // an unknown control is skipped
  EXPECT_EQ(w.at(1).rect.width, 75);
  EXPECT_EQ(w.at(3).rect.x, 79);
}

TEST_F(Geometry, ParameterLookUps) {
  dict::glo().tables.U_PARAMKONFQ.add({"OKNOSZERMARG", "@n3", "12"});
  dict::glo().tables.S_PARAMKONFQ.add({"ABCDEFGHIJKLMNOPQRST", "", "s"});
  EXPECT_EQ(POBIERZPARAMKONF("u  ", "OknoSzerMarg  "), "12");
  EXPECT_EQ(MASKAPARAMKONF("u", "oknoszermarg"), "@n3");
  EXPECT_EQ(POBIERZPARAMKONF("U", "OknoSzerMarg"), "");  // the scope letter is exact
  EXPECT_EQ(POBIERZPARAMKONF("s", "OknoSzerMarg"), "");  // no fallback between scopes
  EXPECT_EQ(POBIERZPARAMKONF("s", "abcdefghijklmnopqrstuvwxyz"), "s");  // 20 characters
}

}  // namespace
}  // namespace orv::config
