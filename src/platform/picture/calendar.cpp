// Date and time pictures: the eighteen date and eight time layouts, and reading texts back.
#include "platform/picture/calendar.hpp"

#include <cctype>
#include <vector>

#include "platform/date/date.hpp"
#include "platform/picture/system_forms.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

using text::is_digit;

constexpr int32_t kFirstDay = 4;        // 1 Jan 1801
constexpr int32_t kLastDay = 2994626;   // 31 Dec 9999
constexpr int64_t kLastTime = 8640000;  // 23:59:59.99

// m month, d day, y two-digit year, Y four-digit year, N month abbreviation, L month name,
// '/' the separator slot; anything else is copied.
constexpr std::string_view kDateLayouts[] = {"",      "m/d/y", "m/d/Y", "N d, Y", "L d, Y", "d/m/y",
                                             "d/m/Y", "d N y", "d N Y", "y/m/d",  "Y/m/d",  "ymd",
                                             "Ymd",   "m/y",   "m/Y",   "y/m",    "Y/m"};
constexpr int kDateWidths[] = {0, 8, 10, 12, 18, 8, 10, 9, 11, 8, 10, 6, 8, 5, 7, 5, 7, 10, 28};

// h hours (12-hour when X is present), m minutes, s seconds, X AM/PM, ':' the separator slot.
constexpr std::string_view kTimeLayouts[] = {"", "h:m", "hm", "h:mX", "h:m:s", "hms", "h:m:sX"};
constexpr int kTimeWidths[] = {0, 5, 4, 7, 8, 6, 10};

bool take_layout(std::string_view& s, bool& zero_fill, int& layout, int max) {
  zero_fill = !s.empty() && s[0] == '0';
  if (zero_fill) s.remove_prefix(1);
  if (s.empty() || !is_digit(s[0])) return false;
  layout = s[0] - '0';
  s.remove_prefix(1);
  if (!s.empty() && is_digit(s[0]) && layout * 10 + (s[0] - '0') <= max) {
    layout = layout * 10 + (s[0] - '0');
    s.remove_prefix(1);
  }
  return layout >= 1 && layout <= max;
}

char take_separator(std::string_view& s, char standard) {
  if (s.empty()) return standard;
  char c = s[0];
  char sep = c == '.' ? '.' : c == '`' || c == '\'' ? ',' : c == '-' ? '-' : c == '_' ? ' ' : 0;
  if (!sep) return standard;
  s.remove_prefix(1);
  return sep;
}

bool take_blank_flag(std::string_view s, bool& blank_zero) {
  blank_zero = !s.empty() && (s[0] == 'B' || s[0] == 'b');
  if (blank_zero) s.remove_prefix(1);
  return s.empty();
}

// A numeric field that opens a layout without the zero flag is blank-padded to two places so the
// width stays fixed (" 1-05-2015"); every other numeric field shows two digits ("MAY 01, 2015").
void append_two(std::string& out, int value, bool pad_blank) {
  if (value < 10) out += pad_blank ? ' ' : '0';
  out += std::to_string(value);
}

std::string blanks_or_empty(bool blank_zero, int64_t value, int width) {
  return blank_zero && value == 0 ? std::string(width, ' ') : std::string();
}

std::string system_width_sample(int layout) {
  DisplayLocale locale = display_locale();
  Moment sample{2000, 12, 28, 23, 59, 59};
  if (layout == 17) return format_pattern(locale.short_date, sample);
  if (layout == 7) return format_pattern(locale.short_time, sample);
  return format_pattern(locale.long_time, sample);
}

}  // namespace

bool parse_date(std::string_view s, DateSpec& shape, bool& blank_zero) {
  shape = DateSpec{};
  if (!take_layout(s, shape.zero_fill, shape.layout, 18)) return false;
  shape.separator = take_separator(s, '/');
  if (!s.empty() && (s[0] == '<' || s[0] == '>')) {
    char direction = s[0];
    s.remove_prefix(1);
    int range = 0;
    std::size_t n = 0;
    while (n < s.size() && n < 2 && is_digit(s[n])) range = range * 10 + (s[n++] - '0');
    if (n == 0) return false;
    s.remove_prefix(n);
    shape.past = direction == '<' ? range : 99 - range;
  }
  return take_blank_flag(s, blank_zero);
}

bool parse_time(std::string_view s, TimeSpec& shape, bool& blank_zero) {
  shape = TimeSpec{};
  if (!take_layout(s, shape.zero_fill, shape.layout, 8)) return false;
  shape.separator = take_separator(s, ':');
  return take_blank_flag(s, blank_zero);
}

std::string format_date(int64_t day, const DateSpec& shape, bool blank_zero) {
  if (day < kFirstDay || day > kLastDay) {
    int width = shape.layout == 17 ? static_cast<int>(system_width_sample(17).size())
                                   : kDateWidths[shape.layout];
    return blanks_or_empty(blank_zero, day, width);
  }
  date::Civil c = date::civil(static_cast<int32_t>(day));
  if (shape.layout >= 17) {
    DisplayLocale locale = display_locale();
    Moment m{c.year, c.month, c.day};
    return format_pattern(shape.layout == 17 ? locale.short_date : locale.long_date, m);
  }
  std::string out;
  std::string_view layout = kDateLayouts[shape.layout];
  for (std::size_t i = 0; i < layout.size(); ++i) {
    bool pad_blank = i == 0 && !shape.zero_fill;
    switch (layout[i]) {
      case 'm':
        append_two(out, c.month, pad_blank);
        break;
      case 'd':
        append_two(out, c.day, pad_blank);
        break;
      case 'y':
        append_two(out, c.year % 100, false);
        break;
      case 'Y':
        out += std::to_string(c.year);
        break;
      case 'N':
        out += text::upper(english_month(c.month).substr(0, 3));
        break;
      case 'L':
        out += english_month(c.month);
        break;
      case '/':
        out += shape.separator;
        break;
      default:
        out += layout[i];
    }
  }
  return out;
}

std::string format_time(int64_t time, const TimeSpec& shape, bool blank_zero) {
  if (time < 1 || time > kLastTime) {
    int width = shape.layout >= 7 ? static_cast<int>(system_width_sample(shape.layout).size())
                                  : kTimeWidths[shape.layout];
    return blanks_or_empty(blank_zero, time, width);
  }
  int64_t t = time - 1;
  Moment m;
  m.hour = static_cast<int>(t / 360000);
  m.minute = static_cast<int>(t / 6000 % 60);
  m.second = static_cast<int>(t / 100 % 60);
  if (shape.layout >= 7) {
    DisplayLocale locale = display_locale();
    return format_pattern(shape.layout == 7 ? locale.short_time : locale.long_time, m);
  }
  std::string_view layout = kTimeLayouts[shape.layout];
  const bool twelve = layout.find('X') != std::string_view::npos;
  std::string out;
  for (char c : layout) {
    switch (c) {
      case 'h':
        append_two(out, twelve ? (m.hour + 11) % 12 + 1 : m.hour, !shape.zero_fill);
        break;
      case 'm':
        append_two(out, m.minute, false);
        break;
      case 's':
        append_two(out, m.second, false);
        break;
      case 'X':
        out += m.hour < 12 ? "AM" : "PM";
        break;
      default:
        out += shape.separator;
    }
  }
  return out;
}

}  // namespace orv::picture
