// Display pictures: one engine that formats and reads back numbers, dates, times, texts and masks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/decimal/decimal.hpp"

namespace orv::picture {

// Masks come from the database and from host settings, so nothing here throws: a picture that
// cannot be read is Kind::Invalid, and formatting through it gives the value's plain text.
enum class Kind { Invalid, Number, Scientific, String, Date, Time, Pattern, KeyIn };

// Widths beyond these are refused as invalid pictures: no display field is that wide, and the
// limits keep every intermediate buffer bounded.
inline constexpr int kMaxNumberSize = 255;
inline constexpr int kMaxStringSize = 65535;
inline constexpr int kMaxMaskSize = 255;

struct NumberSpec {
  std::string lead_currency;   // "$" or the text between tildes, before the digits
  std::string trail_currency;  // the same after the digits
  char lead_sign = 0;          // '-' or '('
  char trail_sign = 0;         // '-' or ')'
  char fill = 0;               // '0', ' ' or '*'; 0 = leading zeros suppressed, sign floats
  char group = 0;              // ',', '.', ' ', or 0 for no grouping
  char point = '.';            // '.', ',' or 0 (implied decimal: digits only)
  int size = 0;                // the whole output width
  int places = 0;
};

struct ScientificSpec {
  int size = 0;
  int int_digits = 1;  // digits left of the decimal point
  char point = '.';
};

struct DateSpec {
  int layout = 0;  // 1..18
  bool zero_fill = false;
  char separator = '/';
  // Two-digit years when reading: `past` years back and 99 - past ahead of the current year.
  int past = 80;
};

struct TimeSpec {
  int layout = 0;  // 1..8
  bool zero_fill = false;
  char separator = ':';
};

struct Picture {
  Kind kind = Kind::Invalid;
  bool blank_zero = false;  // the B flag
  NumberSpec number;
  ScientificSpec scientific;
  DateSpec date;
  TimeSpec time;
  int string_size = 0;
  std::string mask;  // the body of @P…P or @K…K, delimiters removed

  bool valid() const { return kind != Kind::Invalid; }
};

// Accepts "N015.2", "@N015.2" and "@n-14_@" alike: one leading '@' is dropped, a second '@' ends
// the picture (except inside @P…P and @K…K, whose bodies may hold '@'). Blanks around are ignored.
Picture parse(std::string_view text);

// FORMAT. Numbers come as doubles (read through their 15-significant-digit text) or Decimals,
// dates as day numbers, times as hundredths of a second since midnight plus one.
std::string format(double value, std::string_view picture);
std::string format(double value, const Picture& picture);
std::string format(const Decimal& value, std::string_view picture);
std::string format(const Decimal& value, const Picture& picture);
// A text value: @S and @K use it as it is; every other kind reads it as a plain number first.
std::string format_text(std::string_view value, std::string_view picture);
std::string format_text(std::string_view value, const Picture& picture);

// The allocation-free path for hot callers: writes a numeric picture's text into `out`, which
// must hold picture.number.size bytes, and returns that width; returns 0 for any other kind.
std::size_t format_number(double value, const Picture& picture, char* out);

// DEFORMAT to a number: @N/@E amounts, @D day numbers, @T times, @P the digits read; @S and @K
// texts, and an empty or invalid picture, keep digits, one '.' and a leading '-'.
double deformat_number(std::string_view text, std::string_view picture);
double deformat_number(std::string_view text, const Picture& picture);
// DEFORMAT to text: @S unchanged, @K the characters at input positions; every other kind gives
// the plain text of deformat_number ("1234.56", "78286").
std::string deformat(std::string_view text, std::string_view picture);
std::string deformat(std::string_view text, const Picture& picture);

// The operating system's date and time forms behind @D17, @D18, @T7 and @T8. Patterns use d, dd,
// M, MM, MMM, MMMM (genitive month name), yy, yyyy, H, HH, h, hh, m, mm, s, ss, tt; text in
// single quotes and every other character are copied.
struct DisplayLocale {
  std::string short_date = "dd.MM.yyyy";
  std::string long_date = "d MMMM yyyy";
  std::string short_time = "HH:mm";
  std::string long_time = "HH:mm:ss";
};
void set_display_locale(const DisplayLocale& locale);
DisplayLocale display_locale();

}  // namespace orv::picture
