// Numeric and scientific pictures: token grammar, digit layout with overflow, and reading back.
#include "platform/picture/numeric.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

using text::is_digit;

enum class Got { None, Yes, Bad };

Got take_currency(std::string_view& s, std::string& out) {
  if (s.empty()) return Got::None;
  if (s[0] == '$') {
    out.assign(1, '$');
    s.remove_prefix(1);
    return Got::Yes;
  }
  if (s[0] != '~') return Got::None;
  auto end = s.find('~', 1);
  if (end == std::string_view::npos) return Got::Bad;
  out = s.substr(1, end - 1);
  s.remove_prefix(end + 1);
  return Got::Yes;
}

// Reads a run of digits no larger than `max`; false when there is none or it is too large.
bool take_int(std::string_view& s, int& value, int max) {
  std::size_t n = 0;
  value = 0;
  while (n < s.size() && is_digit(s[n])) {
    value = value * 10 + (s[n] - '0');
    if (value > max) return false;
    ++n;
  }
  s.remove_prefix(n);
  return n > 0;
}

bool take(std::string_view& s, char c) {
  if (s.empty() || s[0] != c) return false;
  s.remove_prefix(1);
  return true;
}

bool take_blank_flag(std::string_view& s, bool& blank_zero) {
  blank_zero = !s.empty() && (s[0] == 'B' || s[0] == 'b');
  if (blank_zero) s.remove_prefix(1);
  return s.empty();
}

bool take_places(std::string_view& s, NumberSpec& shape) {
  if (s.size() < 2 || !is_digit(s[1])) return true;
  switch (s[0]) {
    case '.':
      shape.point = '.';
      break;
    case '`':
    case '\'':
      shape.point = ',';
      break;
    case 'v':
    case 'V':
      shape.point = 0;
      break;
    default:
      return true;
  }
  s.remove_prefix(1);
  return take_int(s, shape.places, kMaxNumberSize);
}

// Without an explicit grouping: commas, or periods under a comma decimal point; a zero or blank
// fill turns grouping off (@N09 -> 004550000) while '*' keeps it (@N*9 -> ***45,000).
char resolve_group(char explicit_group, const NumberSpec& shape) {
  if (explicit_group) return explicit_group;
  if (shape.fill == '0' || shape.fill == ' ') return 0;
  return shape.point == ',' ? '.' : ',';
}

bool signs_agree(const NumberSpec& shape) {
  if (shape.lead_sign == '(' || shape.trail_sign == ')') {
    return shape.lead_sign == '(' && shape.trail_sign == ')';
  }
  return !(shape.lead_sign && shape.trail_sign);
}

// The digits a field of `room` characters holds. Laid out from the right as ddd,ddd,..., a field
// whose leftmost position would be a separator lends that position to a digit (@n8 shows
// 7123456 as 7123,456), but no other separator is given up (@N9 cannot show 57123456).
int digit_capacity(int room, char group) {
  if (!group || room <= 0) return room;
  return room - room / 4 + (room % 4 == 0 ? 1 : 0);
}

void overflow(char* out, int size) {
  std::memset(out, '#', size);
}

}  // namespace

bool parse_number(std::string_view s, NumberSpec& shape, bool& blank_zero) {
  shape = NumberSpec{};
  if (take_currency(s, shape.lead_currency) == Got::Bad) return false;
  if (!s.empty() && (s[0] == '-' || s[0] == '(')) {
    shape.lead_sign = s[0];
    s.remove_prefix(1);
  }
  if (take(s, '0'))
    shape.fill = '0';
  else if (take(s, '_'))
    shape.fill = ' ';
  else if (take(s, '*'))
    shape.fill = '*';
  if (s.empty() || s[0] == '0' || !take_int(s, shape.size, kMaxNumberSize)) return false;
  char group = 0;
  if (!s.empty() && s[0] == '.' && (s.size() < 2 || !is_digit(s[1])))
    group = '.';
  else if (!s.empty() && s[0] == '_')
    group = ' ';
  if (group) s.remove_prefix(1);
  if (!take_places(s, shape)) return false;
  if (!s.empty() && (s[0] == '-' || s[0] == ')')) {
    shape.trail_sign = s[0];
    s.remove_prefix(1);
  }
  if (take_currency(s, shape.trail_currency) == Got::Bad) return false;
  if (!take_blank_flag(s, blank_zero)) return false;
  shape.group = resolve_group(group, shape);
  return signs_agree(shape) && shape.places < shape.size;
}

namespace {

// Where the parts of a number go: everything but the integer digits has a fixed length, and the
// integer digits with their separators take the `room` left over.
struct Layout {
  bool neg = false;
  bool lead_sign = false;
  int lead_len = 0;
  int places = 0;
  int room = 0;
  int seps = 0;
  int dropped = 0;  // separators given up from the high-order end
};

bool plan(const NumberSpec& shape, const RoundedDigits& r, Layout& l) {
  l.neg = r.negative && !r.zero && (shape.lead_sign || shape.trail_sign);
  l.lead_sign = l.neg && shape.lead_sign;
  l.lead_len = static_cast<int>(shape.lead_currency.size()) + (l.lead_sign ? 1 : 0);
  const int trail_len = static_cast<int>(shape.trail_currency.size()) + (shape.trail_sign ? 1 : 0);
  l.places = std::min(shape.places, r.places);
  const int tail_len = (shape.point && l.places ? 1 : 0) + l.places;
  l.room = shape.size - l.lead_len - trail_len - tail_len;
  const int n = r.int_len;
  if (l.room < 0 || n > digit_capacity(l.room, shape.group)) return false;
  l.seps = shape.group && n > 0 ? (n - 1) / 3 : 0;
  l.dropped = std::max(0, n + l.seps - l.room);
  return true;
}

// Writes from `end` leftwards: currency, sign slot, places, point, integer digits. Returns the
// position of the leftmost character written.
char* write_right(const NumberSpec& shape, const RoundedDigits& r, const Layout& l, char* p) {
  p -= shape.trail_currency.size();
  std::copy_n(shape.trail_currency.data(), shape.trail_currency.size(), p);
  if (shape.trail_sign) *--p = l.neg ? shape.trail_sign : ' ';
  p -= l.places;
  std::memcpy(p, r.frac_digits, l.places);
  if (shape.point && l.places) *--p = shape.point;
  for (int i = r.int_len - 1, k = 0; i >= 0; --i, ++k) {
    // The separator after this digit is the (seps - k/3)-th from the left.
    if (k > 0 && k % 3 == 0 && l.seps - k / 3 >= l.dropped) *--p = shape.group;
    *--p = r.int_digits[i];
  }
  if (r.int_len == 0 && l.room > 0) *--p = '0';
  return p;
}

// A leading sign in parentheses or a minus, or a trailing minus, makes the text negative.
bool strip_sign(std::string_view& v) {
  if (v.size() >= 2 && v.front() == '(' && v.back() == ')') {
    v = v.substr(1, v.size() - 2);
    return true;
  }
  if (v.empty() || (v.front() != '-' && v.back() != '-')) return false;
  v = v.front() == '-' ? v.substr(1) : v.substr(0, v.size() - 1);
  return true;
}

}  // namespace

void compose_number(const NumberSpec& shape, bool blank_zero, const RoundedDigits& r, char* out) {
  std::memset(out, ' ', shape.size);
  if (r.infinite) return overflow(out, shape.size);
  if (blank_zero && r.zero) return;
  Layout l;
  if (!plan(shape, r, l)) return overflow(out, shape.size);
  char* p = write_right(shape, r, l, out + shape.size);
  // Without a fill, currency and sign float next to the digits; with one they hold the far left.
  char* left = shape.fill ? out : p - l.lead_len;
  std::copy_n(shape.lead_currency.data(), shape.lead_currency.size(), left);
  if (l.lead_sign) left[shape.lead_currency.size()] = shape.lead_sign;
  if (shape.fill) std::fill(out + l.lead_len, p, shape.fill);
}

double read_number(std::string_view input, const NumberSpec& shape) {
  std::string s(text::trim(input));
  for (const std::string* cur : {&shape.lead_currency, &shape.trail_currency}) {
    auto at = cur->empty() ? std::string::npos : s.find(*cur);
    if (at != std::string::npos) s.erase(at, cur->size());
  }
  std::string_view v = text::trim(s);
  const bool neg = strip_sign(v);
  if (shape.fill == '*') v = v.substr(std::min(v.find_first_not_of('*'), v.size()));
  const char point = shape.point ? shape.point : '\x01';
  std::string plain = neg ? "-" : "";
  bool any = false, seen_point = false;
  for (char c : v) {
    if (is_digit(c)) {
      plain += c;
      any = true;
    } else if (c == point && !seen_point) {
      plain += '.';
      seen_point = true;
    } else if (c != ' ' && c != shape.group) {
      return 0;
    }
  }
  if (!any) return 0;
  const double value = text::real_of(plain);
  return !shape.point && shape.places ? value / std::pow(10.0, shape.places) : value;
}

bool parse_scientific(std::string_view s, ScientificSpec& shape, bool& blank_zero) {
  shape = ScientificSpec{};
  if (s.empty() || s[0] == '0' || !take_int(s, shape.size, kMaxNumberSize)) return false;
  // The separator codes ".", "..", "_." keep a period as the point; "`" makes it a comma.
  if (s.starts_with("..") || s.starts_with("_."))
    s.remove_prefix(2);
  else if (take(s, '`'))
    shape.point = ',';
  else if (!take(s, '.'))
    return false;
  if (!take_int(s, shape.int_digits, kMaxNumberSize)) return false;
  return take_blank_flag(s, blank_zero) && shape.int_digits < shape.size;
}

namespace {

// The mantissa with `int_digits` digits before the point and `places` after, then "e±XX".
std::string scientific_text(double value, const ScientificSpec& shape, int places) {
  char buf[400];
  const int precision = shape.int_digits - 1 + places;
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           precision);
  std::string_view t(buf, res.ptr - buf);
  const auto e = t.find('e');
  std::string digits;
  for (char c : t.substr(0, e)) {
    if (c != '.') digits += c;
  }
  int exponent = 0;
  std::from_chars(t.data() + e + 1 + (t[e + 1] == '+'), t.data() + t.size(), exponent);
  exponent = value == 0 ? 0 : exponent - (shape.int_digits - 1);
  digits.resize(shape.int_digits + places, '0');
  std::string out = value < 0 ? "-" : "";
  out += digits.substr(0, shape.int_digits);
  if (places > 0) out += shape.point + digits.substr(shape.int_digits);
  std::string exp = std::to_string(std::abs(exponent));
  if (exp.size() < 2) exp.insert(exp.begin(), '0');
  return out + (exponent < 0 ? "e-" : "e+") + exp;
}

}  // namespace

std::string format_scientific(double value, const ScientificSpec& shape, bool blank_zero) {
  if (std::isnan(value)) value = 0;
  if (blank_zero && value == 0) return std::string(shape.size, ' ');
  // One position for the sign, the point, and "e+XX"; the rest are places after the point.
  int places = shape.size - 1 - shape.int_digits - 1 - 4;
  while (places >= 0 && !std::isinf(value)) {
    std::string out = scientific_text(value, shape, places);
    const int excess = static_cast<int>(out.size()) - shape.size;
    if (excess <= 0) return std::string(-excess, ' ') + out;
    places -= excess;  // a three-digit exponent
  }
  return std::string(shape.size, '#');
}

double read_scientific(std::string_view input, const ScientificSpec& shape) {
  std::string plain;
  for (char c : text::trim(input)) {
    if (c == shape.point)
      plain += '.';
    else if (c != ' ' && c != (shape.point == ',' ? '.' : ','))
      plain += c;
  }
  return text::real_of(plain);
}

double read_plain(std::string_view input) {
  std::string plain;
  bool any = false, point = false;
  for (char c : input) {
    if (is_digit(c)) {
      plain += c;
      any = true;
    } else if (c == '.' && !point) {
      plain += '.';
      point = true;
    } else if (c == '-' && !any && plain.empty()) {
      plain += '-';
    }
  }
  return any ? text::real_of(plain) : 0;
}

}  // namespace orv::picture
