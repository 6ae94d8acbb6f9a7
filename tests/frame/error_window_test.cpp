// The SQL error window and the conventions every window opens with.
#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "frame/lifecycle.hpp"
#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/ini/ini.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/tooltips.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

// Sees what the error handler and tooltip manager say while a window is open.
class Watching : public ui::HeadlessBackend {
 public:
  Watching() : ui::HeadlessBackend({}, /*strict=*/true) {}
  void window_opened(ui::Window& w) override {
    procedure = current_error_handler().procedure();
    registered = ui::xtooltip().registered(w.handle());
    alt_as_f10 = w.options().alt_as_f10;
    opened_at = w.rect;
    w.rect = ui::Rect{5, 6, 700, 300};  // the user moves it
  }
  ui::Rect opened_at;
  std::string procedure;
  bool registered = false;
  bool alt_as_f10 = false;
};

class ErrorWindow : public testing::Test {
 protected:
  void SetUp() override {
    dict::reset_context();
    dict::glo().PATH_INI = dir.file("orv.ini");
    dict::glo().LOCALPATH = "/opt/orv";
    reset_module();
  }
  void TearDown() override {
    dict::reset_context();
    reset_module();
  }
  orv::test::TempDir dir;
  Watching ui;
  test::ShownUi shown{ui};
};

TEST_F(ErrorWindow, TitleIsTheMessageAndTheTextAreaTheStatement) {
  ui.add_script("close");
  ERRORWIN("select * from towar where nazwa='żółw'"_w1250, "[Microsoft][ODBC] Błąd składni"_w1250);
  ASSERT_EQ(ui.windows().size(), 1u);
  const auto& w = ui.windows()[0];
  EXPECT_EQ(w.name, "ErrorWin");
  EXPECT_EQ(w.title, "[Microsoft][ODBC] Błąd składni"_w1250);
  ASSERT_EQ(w.controls.size(), 1u);
  EXPECT_EQ(w.controls[0].kind, ui::ControlKind::TextArea);
  EXPECT_EQ(w.controls[0].font, "Courier New CE");
  EXPECT_EQ(w.controls[0].value, "select * from towar where nazwa='żółw'"_w1250);
  EXPECT_EQ(ui.error_windows()[0].message, w.title);
  EXPECT_EQ(ui.commands_left(), 0u);
}

TEST_F(ErrorWindow, ProcedureNameWhileOpenAndEmptyAfter) {
  ERRORWIN("x", "y");
  EXPECT_EQ(ui.procedure, "ErrorWin");
  EXPECT_EQ(current_error_handler().procedure(), "");
}

TEST_F(ErrorWindow, PositionKeptUnderErrorWinInTheIniFile) {
  ERRORWIN("x", "y");
  ini::IniFile file(dir.file("orv.ini"));
  EXPECT_EQ(file.get("ErrorWin", "XPos"), "5");
  EXPECT_EQ(file.get("ErrorWin", "Width"), "700");
  EXPECT_EQ(ui.opened_at, (ui::Rect{0, 0, 400, 200}));  // never saved: as designed
  ERRORWIN("x", "y");
  EXPECT_EQ(ui.opened_at, (ui::Rect{5, 6, 700, 300}));  // where the last one was left
  EXPECT_EQ(ui.windows().back().controls[0].rect, (ui::Rect{0, 0, 700, 300}));
}

TEST_F(ErrorWindow, HelpFileAndTooltipsFollowTheContext) {
  dict::glo().TOOLTIPTYPE = 2;
  ui.add_script("key F1; close");
  ERRORWIN("x", "y");
  EXPECT_TRUE(ui.registered);
  EXPECT_EQ(ui.alt_as_f10, ui::on_first_thread());
  ASSERT_EQ(ui.help_requests().size(), 1u);
  EXPECT_EQ(ui.help_requests()[0].file, "/opt/orv/orv2000.chm");
  dict::glo().TOOLTIPTYPE = 1;
  ERRORWIN("x", "y");
  EXPECT_FALSE(ui.registered);
}

TEST_F(ErrorWindow, BlankMessageGivesABlankTitleAndLongStatementsStayWhole) {
  std::string statement(10000, 'x');
  ERRORWIN(statement, "   ");
  EXPECT_EQ(ui.windows()[0].title, "   ");
  EXPECT_EQ(ui.windows()[0].controls[0].value, statement);
}

// A backend that shows boxes but cannot run windows.
class BoxesOnly : public ui::Backend {
 public:
  unsigned message(const ui::MessageBox& box) override { return box.default_button; }
  void failed(const std::string& message) override { failure = message; }
  std::string failure;
};

TEST_F(ErrorWindow, ScriptErrorsStayOnThisSideOfTheCAbi) {
  BoxesOnly boxes;
  ui::set_backend(&boxes);
  ::ERRORWIN("x", "y");
  EXPECT_EQ(boxes.failure, "nothing answers the window \"y\" (ErrorWin)");
  EXPECT_EQ(current_error_handler().procedure(), "");
}

TEST(WindowConventions, HelpFileInTheLocalFolder) {
  dict::reset_context();
  EXPECT_EQ(help_file(), "orv2000.chm");
  dict::glo().LOCALPATH = "C:\\ORV\\   ";
  EXPECT_EQ(help_file(), "C:\\ORV\\orv2000.chm");
  dict::glo().LOCALPATH = "/opt/orv";
  EXPECT_EQ(help_file(), "/opt/orv/orv2000.chm");
  dict::reset_context();
}

}  // namespace
}  // namespace orv::frame
