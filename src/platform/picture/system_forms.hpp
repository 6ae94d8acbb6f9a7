// Month names and the configurable system date and time forms (D17, D18, T7, T8).
#pragma once

#include <string>
#include <string_view>

namespace orv::picture {

struct Moment {
  int year = 0, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

std::string_view english_month(int month);  // "January"; month 1..12
// A month named by a whole name or an unambiguous prefix, English or Polish (either case form),
// compared without regard to letter case; 0 when none or more than one month matches.
int month_from_name(std::string_view name);

// A DisplayLocale pattern applied to a moment.
std::string format_pattern(std::string_view pattern, const Moment& moment);
// The order of day, month and year in a date pattern: "dmy", "mdy" or "ymd".
std::string date_order(std::string_view pattern);

}  // namespace orv::picture
