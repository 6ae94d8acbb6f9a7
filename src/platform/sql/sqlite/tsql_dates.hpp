// T-SQL date and time semantics over the values SQLite holds: ISO texts and day counts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::sql::sqlite {

// A moment as the server sees it: a number n means n days after 1900-01-01 (the fraction is the
// time of day), texts are ISO ("2025-01-01 13:45:00.000") or dd.mm.yyyy.
struct DateTime {
  int64_t days = 0;  // from 1900-01-01 (a Monday)
  int64_t ms = 0;    // of the day, 0 .. 86,399,999
};

enum class DatePart {
  Year,
  Quarter,
  Month,
  DayOfYear,
  Day,
  Week,
  Weekday,
  Hour,
  Minute,
  Second,
  Millisecond,
  Microsecond,
  Nanosecond,
  IsoWeek
};

// "dw", "weekday", "yy"... (case-insensitive, blanks and quotes around ignored).
std::optional<DatePart> parse_date_part(std::string_view name);

// Text to a moment; `style` 101/110 read month-first, anything else day-first when the year is
// last. nullopt when the text is no date.
std::optional<DateTime> parse_datetime(std::string_view text, int style = 0);
std::optional<DateTime> datetime_from_days(double days);

std::string format_datetime(const DateTime& dt);  // "YYYY-MM-DD HH:MM:SS.mmm"
std::string format_date(const DateTime& dt);      // "YYYY-MM-DD"
std::string format_time(const DateTime& dt);      // "HH:MM:SS.mmm"
// CONVERT(varchar, date, style) for the numbered styles; nullopt for an unknown style.
std::optional<std::string> format_datetime_style(const DateTime& dt, int style);
// Days from 1900-01-01 with the time as a fraction.
double to_days(const DateTime& dt);

// `datefirst` is the server's first day of the week, 1 = Monday .. 7 = Sunday.
int64_t datepart(DatePart part, const DateTime& dt, int datefirst);
// Month and weekday names of a Polish login; numbers as text for the other parts.
std::string datename(DatePart part, const DateTime& dt, int datefirst);
// nullopt when the result leaves the calendar this backend handles.
std::optional<DateTime> dateadd(DatePart part, int64_t n, const DateTime& dt);
// Boundaries of `part` crossed from a to b (weeks always on Sundays, as the server counts).
int64_t datediff(DatePart part, const DateTime& a, const DateTime& b);

// Now, from the library's settable clock.
DateTime now();

}  // namespace orv::sql::sqlite
