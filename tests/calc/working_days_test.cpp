// The last working day before a date: weekends skipped, negative day numbers, LONG limits, CLI.
#include "calc/working_days.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "exports/orvrun.h"
#include "platform/date/date.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

struct DayCase {
  int id;
  int32_t date;
  int32_t expected;
};

// 5 January 2026 is a Monday.
const int32_t kMonday = date::make(1, 5, 2026);

class LastWorkingDay : public ::testing::TestWithParam<DayCase> {};

TEST_P(LastWorkingDay, SkipsSaturdaysAndSundays) {
  EXPECT_EQ(PODAJOSTATNIDZIENROBOCZY(GetParam().date), GetParam().expected);
  EXPECT_EQ(::PODAJOSTATNIDZIENROBOCZY(GetParam().date), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastWorkingDay,
    ::testing::Values(DayCase{1, kMonday, kMonday - 3},      // Monday → Friday before
                      DayCase{2, kMonday + 1, kMonday},      // Tuesday → Monday
                      DayCase{3, kMonday + 5, kMonday + 4},  // Saturday → Friday
                      DayCase{4, kMonday + 6, kMonday + 4},  // Sunday → Friday
                      DayCase{5, kMonday + 4, kMonday + 3},  // Friday → Thursday
                      DayCase{6, 1, -2},                     // day 0 is a Sunday
                      DayCase{7, 0, -2},                     // Saturday -1 and Sunday 0
                      DayCase{8, -6, -9},                    // negative: Monday → Friday
                      DayCase{9, std::numeric_limits<int32_t>::max(),  // the largest LONG: Monday
                              std::numeric_limits<int32_t>::max() - 3},
                      // the day before the smallest LONG is not representable: no wrap-round
                      DayCase{10, std::numeric_limits<int32_t>::min(), 0}),
    [](const auto& info) { return "case" + std::to_string(info.param.id); });

TEST(LastWorkingDay, ResultIsAlwaysAWeekday) {
  for (int32_t d = kMonday - 30; d < kMonday + 30; ++d) {
    int32_t r = PODAJOSTATNIDZIENROBOCZY(d);
    EXPECT_LT(r, d);
    EXPECT_GE(d - r, 1);
    EXPECT_LE(d - r, 3);
    EXPECT_NE(date::weekday(r), 0);
    EXPECT_NE(date::weekday(r), 6);
  }
}

TEST(LastWorkingDay, CommandLine) {
  auto r = test::run_cli({"call", "PODAJOSTATNIDZIENROBOCZY", std::to_string(kMonday)});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::to_string(kMonday - 3) + "\n");
  EXPECT_EQ(test::run_cli({"call", "PODAJOSTATNIDZIENROBOCZY", "1.5"}).status, 2);  // not a LONG
}

}  // namespace
}  // namespace orv::calc
