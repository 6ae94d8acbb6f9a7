// The execution log and watches: exact statements, their channels, and the stop box.
#include "frame/exec_log.hpp"

#include <gtest/gtest.h>

#include "exports/orvrun.h"
#include "frame/marked_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/dict/context.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

class ExecLog : public ::testing::Test {
 protected:
  void SetUp() override {
    dict::glo().ID_FIRMY = 2;
    dict::glo().ID_MAGAZYNU = 31;
    dict::glo().ID_UZYTKOWNIKA = 4100001;
  }
  test::SqlStack db;
};

TEST_F(ExecLog, EventIsWrittenOnTheMarkedRecordChannel) {
  test::ScopedUi ui;
  ZAPISZDOLOGU(0, "SYSTEM  ", 1, "Skrypt 'A'   ");
  ::ZAPISZDOLOGU(1234567, "FV", 4, "It's");
  EXPECT_EQ(
      db.recording.statements(),
      (std::vector<std::string>{"call AP_ZapiszDoLogu(2,31,4100001,0,'SYSTEM',1,'Skrypt \"A\"',3)",
                                "call AP_ZapiszDoLogu(2,31,4100001,1234567,'FV',4,'It\"s',3)"}));
  EXPECT_EQ(VAXZAZ().opens(), 1u);  // not the main channel: its results stay pending
  EXPECT_EQ(VAX().opens(), 0u);
}

TEST_F(ExecLog, FailedEventShowsTheErrorWindowOnly) {
  test::ScopedUi ui;
  db.faults.fail_next(-1, sql::Fault::rejected("no procedure"));
  ZAPISZDOLOGU(0, "SYSTEM", 1, "x");
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].message, "no procedure");
}

TEST_F(ExecLog, WatchIsRegisteredOnChannelTwoAndClosed) {
  test::ScopedUi ui;
  ADDWATCH("RM_Przelicz   ");
  EXPECT_EQ(db.recording.statements(),
            (std::vector<std::string>{"call JL_AddWatchProcedure('RM_Przelicz',4100001)"}));
  EXPECT_FALSE(VAX2().is_open());
  EXPECT_TRUE(ui.boxes().empty());
}

int g_halts = 0;

TEST_F(ExecLog, FailedWatchAsksInAStopBox) {
  g_halts = 0;
  HaltHandler previous = set_halt_handler([] { ++g_halts; });
  db.faults.fail_next(-1, sql::Fault::rejected("Could not find stored procedure"));
  {
    test::ScopedUi ui({"ignore", "abort"});
    ADDWATCH("X");
    EXPECT_EQ(g_halts, 0);  // going on
    ADDWATCH("X");
    EXPECT_EQ(g_halts, 1);  // ending the program
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].box.text, "Could not find stored procedure");
    EXPECT_EQ(ui.boxes()[0].box.buttons, ui::kAbort | ui::kIgnore);
    EXPECT_EQ(ui.boxes()[0].box.default_button, ui::kIgnore);
    EXPECT_TRUE(ui.ui().error_windows().empty());
  }
  EXPECT_FALSE(VAX2().is_open());
  set_halt_handler(previous);
}

}  // namespace
}  // namespace orv::frame
