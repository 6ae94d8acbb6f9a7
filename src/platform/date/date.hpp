// Day numbers, times of day and the one clock every "now" and "today" comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orv::date {

// Day 0 is 28 December 1800, a Sunday: day % 7 gives the weekday with 0 = Sunday.
struct Civil {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

// DATE(m, d, y): months and days outside their ranges roll over (month 13 is January of the next
// year, day 0 the last day of the previous month). Results before day 1 give 0, the runtime's
// "no date".
int32_t make(int month, int day, int year);
Civil civil(int32_t day_number);
int weekday(int32_t day_number);  // 0 = Sunday .. 6 = Saturday
int days_in_month(int month, int year);
bool leap(int year);

// A time of day: hundredths of a second since midnight, plus one (0 means "no time").
int32_t make_time(int hour, int minute, int second, int hundredths = 0);

// The month's Polish name in Windows-1250, lower case, nominative ("styczeń"); empty outside
// 1..12.
std::string_view month_name(int month);

int32_t today();
int32_t clock();  // the time of day now

// Tests fix the clock; nullopt returns it to the system's local time.
struct Moment {
  int32_t day;
  int32_t time;
};
void set_now(std::optional<Moment> moment);

}  // namespace orv::date
