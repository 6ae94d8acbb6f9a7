// Popup icons, the e-Documents item, document states in the status bar, tooltips, the mouse.
#include "lists/popups.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "lists/tooltips.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/tooltips.hpp"
#include "platform/ui/window.hpp"
#include "support/support.hpp"

namespace orv::lists {
namespace {

ui::PopupMenu list_popup() {
  ui::PopupMenu m;
  for (const char* name : {"Insert", "Change", "Delete", "Select", "Print"}) m.add_item(name, name);
  return m;
}

std::vector<std::string> texts(const ui::PopupMenu& m) {
  std::vector<std::string> out;
  for (const auto& i : m.items()) out.push_back(i.text);
  return out;
}

TEST(Popups, FourIconsInBothForms) {
  auto m = list_popup();
  uint8_t zero = 0, one = 1, two = 2;
  ::USTAW4IKONYBROWSERA(&m, &zero);
  EXPECT_EQ(texts(m),
            (std::vector<std::string>{"[31848(~dodaj2.ico)]Dodaj", "[31848(~popraw2.ico)]Popraw",
                                      "[31848(~usun2.ico)]Usuń"_w1250,
                                      "[31848(~wybierz.ico)]Wybierz", "Print"}));
  auto plain = list_popup();
  ::USTAW4IKONYBROWSERA(&plain, &one);
  EXPECT_EQ(plain.items()[2].text, "31848(~usun2.ico)]Usuń"_w1250);
  auto other = list_popup();
  ::USTAW4IKONYBROWSERA(&other, &two);
  EXPECT_EQ(texts(other), texts(list_popup()));
  auto omitted = list_popup();
  ::USTAW4IKONYBROWSERA(&omitted, nullptr);  // left out = variant 0
  EXPECT_EQ(omitted.items()[0].text, "[31848(~dodaj2.ico)]Dodaj");
  ::USTAW4IKONYBROWSERA(nullptr, nullptr);  // no popup: nothing to do
}

TEST(Popups, EDocumentsItem) {
  ui::PopupMenu m;
  ::POPUPADDEDOKUMENTY(&m);
  ASSERT_EQ(m.items().size(), 2u);
  EXPECT_EQ(m.items()[0].name, "Sep60");
  EXPECT_EQ(m.items()[0].text, "-");
  EXPECT_EQ(m.items()[0].level, 1);
  EXPECT_EQ(m.items()[1].name, "eDokumenty");
  EXPECT_EQ(m.items()[1].text, "31848(~epit.ico)]e-Dokumenty <Ctrl+E>");
  orv::test::ScopedUi ui;
  ui.ui().add_script("choose popup e-Dokumenty <Ctrl+E>");
  EXPECT_EQ(m.ask(), "eDokumenty");
}

struct StatusCase {
  const char* name;
  const char* base;
  double user;
  uint8_t edited, posted, locked;
  int marked;  // -1 = left out
  const char* shown;
};

class Status : public testing::TestWithParam<StatusCase> {};

TEST_P(Status, InZoneSix) {
  const auto& c = GetParam();
  dict::reset_context();
  dict::glo().ID_UZYTKOWNIKA = 4100001;
  ui::reset_host();
  ui::set_status_text(6, "stary");
  uint8_t marked = static_cast<uint8_t>(c.marked);
  ::POKAZSTATUSDOK(c.base, c.user, c.edited, c.posted, c.locked, c.marked < 0 ? nullptr : &marked);
  EXPECT_EQ(ui::status_text(6), c.shown);
  dict::reset_context();
}

const std::string kLongBase(5000, 'D');

INSTANTIATE_TEST_SUITE_P(
    Popups, Status,
    testing::Values(
        // 1. A base beginning with "1" shows the rest unchanged, flags ignored.
        StatusCase{"LeadingOne", "1Faktura  ", 4100001, 1, 1, 1, 1, "Faktura  "},
        // 2-5. Someone holds the document: own or foreign, edited or locked.
        StatusCase{"OwnEdited", "FV 1/2024  ", 4100001, 1, 1, 1, -1,
                   "FV 1/2024 (własny) edytowany"_w1250},
        StatusCase{"ForeignEdited", "FV", 4100002, 1, 0, 0, -1, "FV (obcy) edytowany"},
        StatusCase{"OwnLocked", "FV", 4100001, 0, 0, 0, -1, "FV (własny) zablokowany"_w1250},
        StatusCase{"ForeignLocked", "FV", 5, 0, 1, 1, -1, "FV (obcy) zablokowany"},
        // 6-9. Nobody holds it: marked for posting, posted (also when locked), locked, nothing.
        StatusCase{"MarkedForPosting", "FV", 0, 0, 0, 0, 1, "FV do księgowania"_w1250},
        StatusCase{"PostedAndLocked", "FV", 0, 0, 1, 1, 1, "FV zaksięgowany"_w1250},
        StatusCase{"Locked", "FV", 0, 0, 0, 1, 0, "FV zablokowany"},
        StatusCase{"Nothing", "FV", 0, 0, 0, 0, -1, ""},
        // 10. At most 49 characters reach the status bar.
        StatusCase{"LongBase", kLongBase.c_str(), 0, 0, 1, 0, -1,
                   "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD"}),
    [](const auto& info) { return info.param.name; });

class OpenWindow : public testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    w.add(ui::ControlKind::Button, 3, "OK", "OK");
    w.rect = ui::Rect{100, 50, 200, 100};
    w.open();
  }
  void TearDown() override { dict::reset_context(); }
  orv::test::ScopedUi ui;
  ui::Window w{"Test", "Test"};
};

TEST_F(OpenWindow, TooltipOwnAndExtended) {
  ::USTAWTOOLTIP(0, 3, "Zatwierdź"_w1250);
  EXPECT_EQ(w.at(3).tip, "Zatwierdź"_w1250);
  EXPECT_EQ(ui::xtooltip().tip(w.handle(), 3), std::nullopt);  // TOOLTIPTYPE is not 2
  dict::glo().TOOLTIPTYPE = 2;
  ::USTAWTOOLTIP(w.handle(), 3, std::string(10000, 't').c_str());
  EXPECT_EQ(w.at(3).tip.size(), 10000u);
  EXPECT_EQ(ui::xtooltip().tip(w.handle(), 3)->size(), 10000u);
  ::USTAWTOOLTIP(w.handle(), 99, "x");        // no such control
  ::USTAWTOOLTIP(w.handle() + 1000, 3, "x");  // no such window
  EXPECT_EQ(w.at(3).tip.size(), 10000u);
}

TEST_F(OpenWindow, MousePlacedRelativeToTheWindow) {
  ::USTAWMYSZ(w.handle(), 10, 20);
  EXPECT_EQ(ui::mouse_position().x, 110);
  EXPECT_EQ(ui::mouse_position().y, 70);
  ::USTAWMYSZ(0, -200, 0);  // the current window
  EXPECT_EQ(ui::mouse_position().x, -100);
  ::USTAWMYSZ(0, INT32_MAX, INT32_MIN);  // no overflow
  EXPECT_EQ(ui::mouse_position().x, INT32_MAX);
  EXPECT_EQ(ui::mouse_position().y, INT32_MIN + 50);
  ::USTAWMYSZ(w.handle() + 1000, 1, 1);  // unknown window: pointer stays
  EXPECT_EQ(ui::mouse_position().x, INT32_MAX);
}

}  // namespace
}  // namespace orv::lists
