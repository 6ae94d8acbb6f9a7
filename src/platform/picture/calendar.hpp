// Date (@D) and time (@T) pictures: layouts, the system forms behind D17/D18/T7/T8, reading back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/picture/picture.hpp"

namespace orv::picture {

bool parse_date(std::string_view body, DateSpec& shape, bool& blank_zero);
bool parse_time(std::string_view body, TimeSpec& shape, bool& blank_zero);

// A day number outside 4 (1 Jan 1801) .. 2994626 (31 Dec 9999), or a time outside
// 1 .. 8640000, gives an empty text; with B, zero gives the layout's width in blanks.
std::string format_date(int64_t day, const DateSpec& shape, bool blank_zero);
std::string format_time(int64_t time, const TimeSpec& shape, bool blank_zero);

// Day number or time (hundredths + 1); 0 for an empty text or one that is not a valid date/time.
int32_t read_date(std::string_view text, const DateSpec& shape);
int32_t read_time(std::string_view text);

}  // namespace orv::picture
