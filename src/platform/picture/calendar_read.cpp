// Reading dates and times back from text: tokens in the picture's order, month names, two-digit
// years in a window around the current year.
#include <string>
#include <vector>

#include "platform/date/date.hpp"
#include "platform/picture/calendar.hpp"
#include "platform/picture/system_forms.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

using text::is_digit;

struct Token {
  std::string_view text;
  bool digits = false;
};

constexpr std::size_t kMaxTokens = 4;

bool is_letter(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

// Runs of digits and runs of letters; everything else separates. False when there are too many.
bool tokenize(std::string_view s, std::vector<Token>& out) {
  std::size_t i = 0;
  while (i < s.size()) {
    bool digit = is_digit(s[i]);
    if (!digit && !is_letter(s[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < s.size() && (digit ? is_digit(s[j]) : is_letter(s[j]))) ++j;
    if (out.size() == kMaxTokens) return false;
    out.push_back({s.substr(i, j - i), digit});
    i = j;
  }
  return true;
}

std::string order_of(const DateSpec& shape) {
  if (shape.layout <= 4) return "mdy";
  if (shape.layout <= 8) return "dmy";
  if (shape.layout <= 12) return "ymd";
  if (shape.layout <= 14) return "my";
  if (shape.layout <= 16) return "ym";
  DisplayLocale locale = display_locale();
  return date_order(shape.layout == 17 ? locale.short_date : locale.long_date);
}

// One all-digit token ("01052015", "150501") cut by position in the picture's order.
bool split_digits(Token t, const std::string& order, std::vector<Token>& out) {
  const std::size_t n = t.text.size();
  const bool long_year = order.size() == 3 ? n == 8 : n == 6;
  const bool short_year = order.size() == 3 ? n == 6 : n == 4;
  if (!long_year && !short_year) return false;
  out.clear();
  std::size_t at = 0;
  for (char field : order) {
    std::size_t w = field == 'y' && long_year ? 4 : 2;
    out.push_back({t.text.substr(at, w), true});
    at += w;
  }
  return true;
}

int number_of(std::string_view t) {
  if (t.size() > 4) return -1;
  int v = 0;
  for (char c : t) v = v * 10 + (c - '0');
  return v;
}

int window_year(int yy, int past) {
  int low = date::civil(date::today()).year - past;
  return low + ((yy - low) % 100 + 100) % 100;
}

struct TimeParts {
  int values[4] = {0, 0, 0, 0};
  int count = 0;
};

// "h", "hhmm", "hhmmss" (and their one-digit-hour forms) without separators.
bool split_time_digits(std::string_view t, TimeParts& p) {
  if (t.size() > 6) return false;
  std::size_t hour_len = t.size() <= 2 ? t.size() : t.size() % 2 ? 1 : 2;
  p.values[0] = number_of(t.substr(0, hour_len));
  p.count = 1;
  for (std::size_t at = hour_len; at < t.size(); at += 2) {
    p.values[p.count++] = number_of(t.substr(at, 2));
  }
  return true;
}

bool split_time(std::string_view s, TimeParts& p) {
  if (s.find_first_not_of("0123456789") == std::string_view::npos) return split_time_digits(s, p);
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t j = i;
    while (j < s.size() && is_digit(s[j])) ++j;
    if (j == i || j - i > 2 || p.count == 4) return false;
    p.values[p.count++] = number_of(s.substr(i, j - i));
    if (j == s.size()) break;
    if (std::string_view(":.,- ").find(s[j]) == std::string_view::npos) return false;
    i = j + 1;
  }
  return p.count > 0;
}

}  // namespace

int32_t read_date(std::string_view text, const DateSpec& shape) {
  std::vector<Token> tokens;
  if (!tokenize(text, tokens) || tokens.empty()) return 0;
  const std::string order = order_of(shape);
  if (tokens.size() == 1 && tokens[0].digits && tokens[0].text.size() > 2 &&
      !split_digits(tokens[0], order, tokens)) {
    return 0;
  }
  if (tokens.size() > order.size()) return 0;
  const date::Civil now = date::civil(date::today());
  int year = -1, month = -1, day = -1;
  bool short_year = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (order[i] == 'm' && !t.digits) {
      month = month_from_name(t.text);
      continue;
    }
    int value = t.digits ? number_of(t.text) : -1;
    if (value < 0) return 0;
    (order[i] == 'y' ? year : order[i] == 'm' ? month : day) = value;
    if (order[i] == 'y') short_year = t.text.size() <= 2;
  }
  if (year < 0) year = now.year;
  if (month < 0) month = now.month;
  if (day < 0) day = order.size() == 2 ? 1 : -1;
  if (short_year) year = window_year(year, shape.past);
  if (year < 1801 || year > 9999 || month < 1 || month > 12) return 0;
  if (day < 1 || day > date::days_in_month(month, year)) return 0;
  return date::make(month, day, year);
}

int32_t read_time(std::string_view input) {
  std::string_view s = text::trim(input);
  if (s.empty()) return 0;
  // A trailing AM/PM, A or P, in either case, switches to the 12-hour clock.
  std::size_t letters = s.size();
  while (letters > 0 && is_letter(s[letters - 1])) --letters;
  std::string suffix = text::upper(s.substr(letters));
  if (!suffix.empty() && suffix != "AM" && suffix != "PM" && suffix != "A" && suffix != "P") {
    return 0;
  }
  s = text::trim(s.substr(0, letters));
  TimeParts p;
  if (s.empty() || !split_time(s, p)) return 0;
  int hour = p.values[0];
  if (!suffix.empty()) {
    if (hour < 1 || hour > 12) return 0;
    hour = hour % 12 + (suffix[0] == 'P' ? 12 : 0);
  }
  if (hour > 23 || p.values[1] > 59 || p.values[2] > 59 || p.values[3] > 99) return 0;
  return date::make_time(hour, p.values[1], p.values[2], p.values[3]);
}

}  // namespace orv::picture
