// The window model: key rules, kept positions, open windows, the host frame and tooltips.
#include "platform/ui/window.hpp"

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/files/files.hpp"
#include "platform/ini/ini.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/tooltips.hpp"
#include "sample_window.hpp"
#include "support/support.hpp"

namespace orv::ui {
namespace {

using namespace ui::test;

TEST(WindowKeys, AltAloneIsF10OnlyWhereTheWindowSaysSo) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("key Alt; key Alt");
  Window first = sample_window();
  first.open(OpenOptions{nullptr, "", "", /*alt_as_f10=*/true, 0});
  EXPECT_TRUE(first.accept().accepted(kConfirmButton));
  first.close();
  Window other = sample_window();
  other.open();
  Event e = other.accept();
  EXPECT_EQ(e.kind, EventKind::Key);
  EXPECT_EQ(e.key, "Alt");
}

TEST(WindowKeys, AlertKeysAndHelp) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("key F1; key ctrl+d; key Esc");
  Window w("Kalendarz", "Kalendarz");
  w.alert_keys = {"Ctrl+D"};
  w.open(OpenOptions{nullptr, "/opt/orv/orv2000.chm", "obs_for_kal.htm", false, 0});
  Event e = w.accept();  // F1 is the help's, not the window's
  EXPECT_EQ(e.kind, EventKind::AlertKey);
  EXPECT_EQ(e.key, "Ctrl+D");
  EXPECT_EQ(w.accept().kind, EventKind::CloseWindow);  // Esc with no Esc button
  ASSERT_EQ(ui.ui().help_requests().size(), 1u);
  EXPECT_EQ(ui.ui().help_requests()[0].file, "/opt/orv/orv2000.chm");
  EXPECT_EQ(ui.ui().help_requests()[0].topic, "obs_for_kal.htm");
}

TEST(WindowKeys, DisabledButtonDoesNotTakeItsKey) {
  orv::test::ScopedUi ui;
  ui.ui().add_script("key F10");
  Window w = sample_window();
  w.at(kConfirmButton).disabled = true;
  w.open();
  Event e = w.accept();
  EXPECT_EQ(e.kind, EventKind::Key);
  EXPECT_EQ(e.key, "F10");
}

class Positions : public testing::Test {
 protected:
  orv::test::TempDir dir;
  std::string path = dir.file("orv.ini");
};

TEST_F(Positions, WrittenOnCloseAndReadBackOnOpen) {
  orv::test::ScopedUi ui({}, false);
  {
    ini::IniFile file(path);
    Window w = sample_window();
    w.open(OpenOptions{&file, "", "", false, 0});
    w.rect = Rect{12, 34, 300, 200};
    w.close();
  }
  EXPECT_EQ(*files::read_all(path),
            "[Probka]\r\nXPos=12\r\nYPos=34\r\nWidth=300\r\nHeight=200\r\nMaximize=0\r\n");
  ini::IniFile again(path);
  Window w = sample_window();
  w.open(OpenOptions{&again, "", "", false, 0});
  EXPECT_EQ(w.rect, (Rect{12, 34, 300, 200}));
}

TEST_F(Positions, DamagedEntriesKeepTheDesignedPlace) {
  ASSERT_TRUE(files::write_all(path, "[Probka]\r\nXPos=abc\r\nYPos=1\r\nWidth=0\r\nHeight=5\r\n"));
  orv::test::ScopedUi ui({}, false);
  ini::IniFile file(path);
  Window w = sample_window();
  w.rect = Rect{1, 2, 3, 4};
  w.open(OpenOptions{&file, "", "", false, 0});
  EXPECT_EQ(w.rect, (Rect{1, 2, 3, 4}));
}

TEST(OpenWindows, CurrentWindowAndHandles) {
  orv::test::ScopedUi ui({}, false);
  EXPECT_EQ(current_window(), nullptr);
  Window outer = sample_window();
  outer.open();
  {
    Window inner("Wewn", "Wewn");
    inner.open();
    EXPECT_EQ(current_window(), &inner);
    EXPECT_EQ(window_by_handle(outer.handle()), &outer);
    EXPECT_EQ(window_by_handle(0), &inner);
  }  // destroyed open: it closes itself
  EXPECT_EQ(current_window(), &outer);
  int32_t handle = outer.handle();
  outer.close();
  EXPECT_EQ(window_by_handle(handle), nullptr);
  // Another thread has no current window of its own.
  Window* seen = &outer;
  std::thread([&] { seen = current_window(); }).join();
  EXPECT_EQ(seen, nullptr);
}

TEST(HostFrame, StatusZonesAndPostedEvents) {
  orv::test::ScopedUi ui;
  reset_host();
  set_status_text(5, "bieżący rok"_w1250);
  EXPECT_EQ(status_text(5), "bieżący rok"_w1250);
  EXPECT_EQ(status_text(6), "");
  Window mine = sample_window();
  mine.open(OpenOptions{nullptr, "", "", false, 7});
  Window other("Inny", "Inny");
  other.open(OpenOptions{nullptr, "", "", false, 8});
  post_event(7, 1034);
  Event e = mine.accept();
  EXPECT_EQ(e.kind, EventKind::User);
  EXPECT_EQ(e.code, 1034);
  EXPECT_THROW(other.accept(), ScriptError);  // nothing was posted to thread 8
  ASSERT_EQ(posted_events().size(), 1u);
  EXPECT_EQ(posted_events()[0].thread, 7);
}

TEST(Tooltips, RegisteredWindowsKeepTipsUntilClosed) {
  orv::test::ScopedUi ui({}, false);
  Window w = sample_window();
  w.at(kConfirmButton).tip = "F10 zatwierdza";
  w.open();
  xtooltip().register_window(w);
  EXPECT_TRUE(xtooltip().registered(w.handle()));
  EXPECT_EQ(xtooltip().tip(w.handle(), kConfirmButton),
            std::optional<std::string>("F10 zatwierdza"));
  int32_t handle = w.handle();
  w.close();
  EXPECT_FALSE(xtooltip().registered(handle));
  EXPECT_EQ(xtooltip().tip(handle, kConfirmButton), std::nullopt);
}

TEST(Registry, EveryWindowHasItsControlsAndUniqueNumbers) {
  auto all = window_definitions();
  ASSERT_FALSE(all.empty());
  for (const auto& d : all) {
    Window w = d.build();
    EXPECT_EQ(w.name(), d.name);
    EXPECT_FALSE(w.controls().empty()) << d.name;
    std::set<int> numbers;
    std::set<std::string> ids;
    for (const auto& c : w.controls()) {
      EXPECT_TRUE(numbers.insert(c.number).second) << d.name << " number " << c.number;
      EXPECT_TRUE(ids.insert(c.id).second) << d.name << " id " << c.id;
    }
    // A procedure may open several windows (a list and its form): its first is the one found.
    const WindowDefinition* first = find_window_definition(d.procedure);
    ASSERT_NE(first, nullptr) << d.name;
    EXPECT_EQ(first->procedure, d.procedure);
  }
}

}  // namespace
}  // namespace orv::ui
