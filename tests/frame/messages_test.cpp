// Message boxes: titles, icons, buttons and the 2/4 answers.
#include "frame/messages.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "platform/text/cp1250.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

TEST(Messages, QuestionAnswersAndDefaultTitle) {
  test::ScopedUi ui({"yes", "no"});
  EXPECT_EQ(::MSG_PYTANIE("Usunąć?"_w1250, nullptr), 2);
  EXPECT_EQ(::MSG_PYTANIE("Drugie?", "   "), 4);
  ASSERT_EQ(ui.boxes().size(), 2u);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Pytanie");
  EXPECT_EQ(ui.boxes()[1].box.title, "ORVEX: Pytanie");  // a title of blanks counts as none
  EXPECT_EQ(ui.boxes()[0].box.icon, ui::Icon::Question);
  EXPECT_EQ(ui.boxes()[0].box.buttons, ui::kYes | ui::kNo);
  EXPECT_EQ(ui.boxes()[0].box.default_button, ui::kNo);
}

TEST(Messages, QuestionWithOwnTitleAndEnterMeansNo) {
  test::ScopedUi ui({}, /*strict=*/false);
  EXPECT_EQ(::MSG_PYTANIE("Tekst", "Tytuł"_w1250), 4);
  EXPECT_EQ(ui.boxes()[0].box.title, "Tytuł"_w1250);
}

TEST(Messages, InformationAndWarnings) {
  test::ScopedUi ui;
  ::MSG_INFORMACJA("a|b");
  ::MSG_OSTRZEZENIE("c");
  ::WALIDACJA("d");
  ASSERT_EQ(ui.boxes().size(), 3u);
  EXPECT_EQ(ui.boxes()[0].box.title, "ORVEX: Informacja");
  EXPECT_EQ(ui.boxes()[0].box.icon, ui::Icon::Information);
  EXPECT_EQ(ui.boxes()[1].box.title, "ORVEX: Ostrzeżenie"_w1250);
  EXPECT_EQ(ui.boxes()[2].box.title, ui.boxes()[1].box.title);
  EXPECT_EQ(ui.boxes()[2].box.icon, ui::Icon::Exclamation);
  EXPECT_EQ(ui::message_lines(ui.boxes()[0].box.text), (std::vector<std::string>{"a", "b"}));
}

TEST(Messages, StrictScriptFailsInsteadOfGuessing) {
  test::ScopedUi ui;
  EXPECT_THROW(MSG_PYTANIE("?"), ui::ScriptError);
}

TEST(Messages, ErrorWindowRecordsStatementAndMessage) {
  test::ScopedUi ui;
  ::ERRORWIN("select 1", "blad");
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].statement, "select 1");
  EXPECT_EQ(ui.ui().error_windows()[0].message, "blad");
}

}  // namespace
}  // namespace orv::frame
