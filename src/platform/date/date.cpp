// Civil-calendar arithmetic on day numbers and the settable clock.
#include "platform/date/date.hpp"

#include "platform/text/cp1250.hpp"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>

namespace orv::date {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
int64_t days_from_civil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

const int64_t kEpoch = days_from_civil(1800, 12, 28);

std::atomic<bool> g_fixed{false};
std::atomic<int32_t> g_day{0};
std::atomic<int32_t> g_time{0};

}  // namespace

bool leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int month, int year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && leap(year) ? 29 : kDays[month - 1];
}

int32_t make(int month, int day, int year) {
  int64_t m = month - 1;
  int64_t y = year + (m >= 0 ? m / 12 : (m - 11) / 12);
  m = ((m % 12) + 12) % 12;
  if (y < 1 || y > 1000000) return 0;
  int64_t n = days_from_civil(y, m + 1, 1) - kEpoch + (day - 1);
  if (n < 1 || n > INT32_MAX) return 0;
  return static_cast<int32_t>(n);
}

Civil civil(int32_t day_number) {
  int64_t z = day_number + kEpoch + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  return {y, m, d};
}

int weekday(int32_t day_number) {
  return ((day_number % 7) + 7) % 7;
}

int32_t make_time(int hour, int minute, int second, int hundredths) {
  return ((hour * 60 + minute) * 60 + second) * 100 + hundredths + 1;
}

void set_now(std::optional<Moment> moment) {
  if (moment) {
    g_day = moment->day;
    g_time = moment->time;
  }
  g_fixed = moment.has_value();
}

std::string_view month_name(int month) {
  // Literals are split after a hex escape that a letter would otherwise continue.
  static constexpr std::string_view kNames[] = {
      "styczeń"_w1250, "luty",          "marzec",         "kwiecień"_w1250, "maj",
      "czerwiec",      "lipiec",        "sierpień"_w1250, "wrzesień"_w1250, "październik"_w1250,
      "listopad",      "grudzień"_w1250};
  return month >= 1 && month <= 12 ? kNames[month - 1] : std::string_view{};
}

int32_t today() {
  if (g_fixed) return g_day;
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return make(tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
}

int32_t clock() {
  if (g_fixed) return g_time;
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  return make_time(tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>((ms % 1000) / 10));
}

}  // namespace orv::date
