// Module lifecycle: INIT and KILL act once, null handlers keep the module's own.
#include "frame/lifecycle.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "exports/orvrun.h"

namespace orv::frame {
namespace {

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override { reset_module(); }
  void TearDown() override { reset_module(); }
};

TEST_F(Lifecycle, NullHandlersKeepOwnAndStillInitialiseDictionary) {
  ::ORVRUN_INIT(nullptr, nullptr);
  EXPECT_EQ(&current_error_handler(), &own_error_handler());
  EXPECT_EQ(&current_ini(), &own_ini());
  EXPECT_EQ(dictionary_state().inits, 1);
  EXPECT_EQ(own_error_handler().attached().size(), 57u);
}

TEST_F(Lifecycle, SecondInitDoesNotReplaceHandlers) {
  ErrorHandler first, second;
  ini::IniFile first_ini, second_ini;
  ::ORVRUN_INIT(&first, &first_ini);
  ::ORVRUN_INIT(&second, &second_ini);
  EXPECT_EQ(&current_error_handler(), &first);
  EXPECT_EQ(&current_ini(), &first_ini);
  EXPECT_EQ(dictionary_state().inits, 1);
  EXPECT_TRUE(second.attached().empty());
}

TEST_F(Lifecycle, SecondKillDoesNothing) {
  ::ORVRUN_INIT(nullptr, nullptr);
  ::ORVRUN_KILL();
  ::ORVRUN_KILL();
  EXPECT_EQ(dictionary_state().kills, 1);
}

TEST_F(Lifecycle, ProcedureNameIsPerThread) {
  own_error_handler().set_procedure("ErrorWin");
  std::string seen = "unset";
  std::thread([&] { seen = own_error_handler().procedure(); }).join();
  EXPECT_EQ(seen, "");
  EXPECT_EQ(own_error_handler().procedure(), "ErrorWin");
  own_error_handler().set_procedure("");
}

}  // namespace
}  // namespace orv::frame
