// Day numbers from 28 December 1800 and the settable clock.
#include "platform/date/date.hpp"

#include <gtest/gtest.h>

namespace orv::date {
namespace {

TEST(Date, EpochAndWeekdays) {
  EXPECT_EQ(make(1, 1, 1801), 4);
  EXPECT_EQ(make(2, 1, 2024), 81484);
  EXPECT_EQ(weekday(make(2, 1, 2024)), 4);  // a Thursday
  EXPECT_EQ(weekday(make(12, 28, 1800)), 0);
}

TEST(Date, MonthThirteenAndDayZeroRollOver) {
  EXPECT_EQ(make(13, 1, 2023), make(1, 1, 2024));
  EXPECT_EQ(make(3, 0, 2024), make(2, 29, 2024));
  EXPECT_EQ(make(0, 1, 2024), make(12, 1, 2023));
  EXPECT_EQ(make(1, 1, 0), 0);  // before the epoch: no date
}

TEST(Date, CivilRoundTrip) {
  for (int32_t n = 1; n < 100000; n += 37) {
    Civil c = civil(n);
    EXPECT_EQ(make(c.month, c.day, c.year), n);
  }
  Civil c = civil(make(2, 29, 2000));
  EXPECT_EQ(c.year, 2000);
  EXPECT_EQ(c.month, 2);
  EXPECT_EQ(c.day, 29);
}

TEST(Date, FixedClock) {
  set_now(Moment{make(5, 1, 2015), make_time(10, 30, 0)});
  EXPECT_EQ(today(), make(5, 1, 2015));
  EXPECT_EQ(clock(), 3780001);
  set_now(std::nullopt);
  EXPECT_GT(today(), make(1, 1, 2020));
}

}  // namespace
}  // namespace orv::date
