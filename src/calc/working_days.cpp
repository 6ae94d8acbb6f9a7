// The last working day before a date, by weekday alone.
#include "calc/working_days.hpp"

#include <limits>

namespace orv::calc {
namespace {

// 0 = Sunday .. 6 = Saturday, also for day numbers below zero.
int64_t weekday_of(int64_t day) {
  return ((day % 7) + 7) % 7;
}

}  // namespace

int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date) {
  // In 64 bits: the day before the smallest LONG must not wrap round to the largest.
  int64_t d = int64_t{date} - 1;
  while (weekday_of(d) == 0 || weekday_of(d) == 6) --d;
  if (d < std::numeric_limits<int32_t>::min()) return 0;
  return static_cast<int32_t>(d);
}

}  // namespace orv::calc
