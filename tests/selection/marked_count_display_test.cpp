// The marked count on an open window's control: tip texts and icons, through the C ABI.
#include "selection/marked_count_display.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/ui/window.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

class CountDisplay : public testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    w.add(ui::ControlKind::Button, 4, "ZAZ", "");
    w.open();
  }
  void TearDown() override { dict::reset_context(); }
  const ui::Control& box() { return *w.find(4); }
  test::ScopedUi ui;
  ui::Window w{"Lista", "Lista"};
};

TEST_F(CountDisplay, TipAndIcon) {
  // 1 no total: the right-click hint on a second line; nothing marked: the empty box
  ::DISPLAYZAZNACZONE(w.handle(), 4, 0, "artyku\xB3\xF3w   ", nullptr);
  EXPECT_EQ(box().tip,
            "Ilo\x9C\xE6 zaznaczonych artyku\xB3\xF3w : 0\r\nPrawy klawisz-oblicz wszystkie");
  EXPECT_EQ(box().icon, "~boxoff.ico");
  // 2 a total: "/" and the total; something marked: the ticked box
  const int32_t total = 250;
  ::DISPLAYZAZNACZONE(w.handle(), 4, 3, "dokument\xF3w", &total);
  EXPECT_EQ(box().tip, "Ilo\x9C\xE6 zaznaczonych dokument\xF3w : 3/250");
  EXPECT_EQ(box().icon, "~boxon.ico");
  // 3 an unknown control or window changes nothing
  DISPLAYZAZNACZONE(w.handle(), 99, 0, "x");
  DISPLAYZAZNACZONE(w.handle() + 1000, 4, 0, "x");
  EXPECT_EQ(box().icon, "~boxon.ico");
}

}  // namespace
}  // namespace orv::selection
