// Numeric and scientific pictures: token grammar, digit layout with overflow, and reading back.
#include "platform/picture/numeric.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

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

bool take_places(std::string_view& s, NumberSpec& spec) {
  if (s.size() < 2 || !is_digit(s[1])) return true;
  switch (s[0]) {
    case '.':
      spec.point = '.';
      break;
    case '`':
    case '\'':
      spec.point = ',';
      break;
    case 'v':
    case 'V':
      spec.point = 0;
      break;
    default:
      return true;
  }
  s.remove_prefix(1);
  return take_int(s, spec.places, kMaxNumberSize);
}

// Without an explicit grouping: commas, or periods under a comma decimal point; a zero or blank
// fill turns grouping off (@N09 -> 004550000) while '*' keeps it (@N*9 -> ***45,000).
char resolve_group(char explicit_group, const NumberSpec& spec) {
  if (explicit_group) return explicit_group;
  if (spec.fill == '0' || spec.fill == ' ') return 0;
  return spec.point == ',' ? '.' : ',';
}

bool signs_agree(const NumberSpec& spec) {
  if (spec.lead_sign == '(' || spec.trail_sign == ')') {
    return spec.lead_sign == '(' && spec.trail_sign == ')';
  }
  return !(spec.lead_sign && spec.trail_sign);
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

bool parse_number(std::string_view s, NumberSpec& spec, bool& blank_zero) {
  spec = NumberSpec{};
  if (take_currency(s, spec.lead_currency) == Got::Bad) return false;
  if (!s.empty() && (s[0] == '-' || s[0] == '(')) {
    spec.lead_sign = s[0];
    s.remove_prefix(1);
  }
  if (take(s, '0'))
    spec.fill = '0';
  else if (take(s, '_'))
    spec.fill = ' ';
  else if (take(s, '*'))
    spec.fill = '*';
  if (s.empty() || s[0] == '0' || !take_int(s, spec.size, kMaxNumberSize)) return false;
  char group = 0;
  if (!s.empty() && s[0] == '.' && (s.size() < 2 || !is_digit(s[1])))
    group = '.';
  else if (!s.empty() && s[0] == '_')
    group = ' ';
  if (group) s.remove_prefix(1);
  if (!take_places(s, spec)) return false;
  if (!s.empty() && (s[0] == '-' || s[0] == ')')) {
    spec.trail_sign = s[0];
    s.remove_prefix(1);
  }
  if (take_currency(s, spec.trail_currency) == Got::Bad) return false;
  if (!take_blank_flag(s, blank_zero)) return false;
  spec.group = resolve_group(group, spec);
  return signs_agree(spec) && spec.places < spec.size;
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

bool plan(const NumberSpec& spec, const RoundedDigits& r, Layout& l) {
  l.neg = r.negative && !r.zero && (spec.lead_sign || spec.trail_sign);
  l.lead_sign = l.neg && spec.lead_sign;
  l.lead_len = static_cast<int>(spec.lead_currency.size()) + (l.lead_sign ? 1 : 0);
  const int trail_len = static_cast<int>(spec.trail_currency.size()) + (spec.trail_sign ? 1 : 0);
  l.places = std::min(spec.places, r.places);
  const int tail_len = (spec.point && l.places ? 1 : 0) + l.places;
  l.room = spec.size - l.lead_len - trail_len - tail_len;
  const int n = r.int_len;
  if (l.room < 0 || n > digit_capacity(l.room, spec.group)) return false;
  l.seps = spec.group && n > 0 ? (n - 1) / 3 : 0;
  l.dropped = std::max(0, n + l.seps - l.room);
  return true;
}

// Writes from `end` leftwards: currency, sign slot, places, point, integer digits. Returns the
// position of the leftmost character written.
char* write_right(const NumberSpec& spec, const RoundedDigits& r, const Layout& l, char* p) {
  p -= spec.trail_currency.size();
  std::copy_n(spec.trail_currency.data(), spec.trail_currency.size(), p);
  if (spec.trail_sign) *--p = l.neg ? spec.trail_sign : ' ';
  p -= l.places;
  std::memcpy(p, r.frac_digits, l.places);
  if (spec.point && l.places) *--p = spec.point;
  for (int i = r.int_len - 1, k = 0; i >= 0; --i, ++k) {
    // The separator after this digit is the (seps - k/3)-th from the left.
    if (k > 0 && k % 3 == 0 && l.seps - k / 3 >= l.dropped) *--p = spec.group;
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

void compose_number(const NumberSpec& spec, bool blank_zero, const RoundedDigits& r, char* out) {
  std::memset(out, ' ', spec.size);
  if (r.infinite) return overflow(out, spec.size);
  if (blank_zero && r.zero) return;
  Layout l;
  if (!plan(spec, r, l)) return overflow(out, spec.size);
  char* p = write_right(spec, r, l, out + spec.size);
  // Without a fill, currency and sign float next to the digits; with one they hold the far left.
  char* left = spec.fill ? out : p - l.lead_len;
  std::copy_n(spec.lead_currency.data(), spec.lead_currency.size(), left);
  if (l.lead_sign) left[spec.lead_currency.size()] = spec.lead_sign;
  if (spec.fill) std::fill(out + l.lead_len, p, spec.fill);
}

double read_number(std::string_view input, const NumberSpec& spec) {
  std::string s(text::trim(input));
  for (const std::string* cur : {&spec.lead_currency, &spec.trail_currency}) {
    auto at = cur->empty() ? std::string::npos : s.find(*cur);
    if (at != std::string::npos) s.erase(at, cur->size());
  }
  std::string_view v = text::trim(s);
  const bool neg = strip_sign(v);
  if (spec.fill == '*') v = v.substr(std::min(v.find_first_not_of('*'), v.size()));
  const char point = spec.point ? spec.point : '\x01';
  std::string plain = neg ? "-" : "";
  bool any = false, seen_point = false;
  for (char c : v) {
    if (is_digit(c)) {
      plain += c;
      any = true;
    } else if (c == point && !seen_point) {
      plain += '.';
      seen_point = true;
    } else if (c != ' ' && c != spec.group) {
      return 0;
    }
  }
  double value = 0;
  auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (!any || res.ec != std::errc()) return 0;
  return !spec.point && spec.places ? value / std::pow(10.0, spec.places) : value;
}

bool parse_scientific(std::string_view s, ScientificSpec& spec, bool& blank_zero) {
  spec = ScientificSpec{};
  if (s.empty() || s[0] == '0' || !take_int(s, spec.size, kMaxNumberSize)) return false;
  // The separator codes ".", "..", "_." keep a period as the point; "`" makes it a comma.
  if (s.starts_with("..") || s.starts_with("_."))
    s.remove_prefix(2);
  else if (take(s, '`'))
    spec.point = ',';
  else if (!take(s, '.'))
    return false;
  if (!take_int(s, spec.int_digits, kMaxNumberSize)) return false;
  return take_blank_flag(s, blank_zero) && spec.int_digits < spec.size;
}

namespace {

// The mantissa with `int_digits` digits before the point and `places` after, then "e±XX".
std::string scientific_text(double value, const ScientificSpec& spec, int places) {
  char buf[400];
  const int precision = spec.int_digits - 1 + places;
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
  exponent = value == 0 ? 0 : exponent - (spec.int_digits - 1);
  digits.resize(spec.int_digits + places, '0');
  std::string out = value < 0 ? "-" : "";
  out += digits.substr(0, spec.int_digits);
  if (places > 0) out += spec.point + digits.substr(spec.int_digits);
  std::string exp = std::to_string(std::abs(exponent));
  if (exp.size() < 2) exp.insert(exp.begin(), '0');
  return out + (exponent < 0 ? "e-" : "e+") + exp;
}

}  // namespace

std::string format_scientific(double value, const ScientificSpec& spec, bool blank_zero) {
  if (std::isnan(value)) value = 0;
  if (blank_zero && value == 0) return std::string(spec.size, ' ');
  // One position for the sign, the point, and "e+XX"; the rest are places after the point.
  int places = spec.size - 1 - spec.int_digits - 1 - 4;
  while (places >= 0 && !std::isinf(value)) {
    std::string out = scientific_text(value, spec, places);
    const int excess = static_cast<int>(out.size()) - spec.size;
    if (excess <= 0) return std::string(-excess, ' ') + out;
    places -= excess;  // a three-digit exponent
  }
  return std::string(spec.size, '#');
}

double read_scientific(std::string_view input, const ScientificSpec& spec) {
  std::string plain;
  for (char c : text::trim(input)) {
    if (c == spec.point)
      plain += '.';
    else if (c != ' ' && c != (spec.point == ',' ? '.' : ','))
      plain += c;
  }
  double value = 0;
  auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) return 0;
  return value;
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
  if (!any) return 0;
  double value = 0;
  std::from_chars(plain.data(), plain.data() + plain.size(), value);
  return value;
}

}  // namespace orv::picture
