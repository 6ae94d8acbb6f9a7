// The picture engine's front: reading a picture's kind and dispatching FORMAT and DEFORMAT.
#include "platform/picture/picture.hpp"

#include <cmath>

#include "platform/picture/calendar.hpp"
#include "platform/picture/mask.hpp"
#include "platform/picture/numeric.hpp"
#include "platform/picture/rounded_digits.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

// Pattern and key-in bodies run to the closing delimiter of the same case and may hold '@'.
Picture parse_mask(char delimiter, std::string_view rest) {
  Picture p;
  const bool keyin = delimiter == 'K' || delimiter == 'k';
  std::size_t end = keyin ? keyin_mask_end(rest, delimiter) : rest.find(delimiter);
  if (end == std::string_view::npos || end == 0 || end > kMaxMaskSize) return p;
  std::string_view after = rest.substr(end + 1);
  p.blank_zero = !after.empty() && (after[0] == 'B' || after[0] == 'b');
  if (p.blank_zero) after.remove_prefix(1);
  if (!after.empty() && after[0] != '@') return Picture{};
  p.mask = rest.substr(0, end);
  p.kind = keyin ? Kind::KeyIn : Kind::Pattern;
  return p;
}

bool parse_string(std::string_view s, int& size) {
  size = 0;
  if (s.empty() || s[0] == '0') return false;
  for (char c : s) {
    if (!text::is_digit(c)) return false;
    size = size * 10 + (c - '0');
    if (size > kMaxStringSize) return false;
  }
  return true;
}

// Dates and times take the whole part of a number; values beyond any day number are invalid.
int64_t whole(double v) {
  if (std::isnan(v) || std::fabs(v) > 1e10) return -1;
  return static_cast<int64_t>(std::trunc(v));
}

// The plain text of a decimal: no trailing zeros, no exponent.
std::string plain_decimal(const Decimal& v) {
  std::string s = v.to_string();
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

// The whole part of |v| without leading zeros ("" for zero), and whether v is below zero.
std::string whole_digits(const Decimal& v, bool& negative) {
  std::string s = plain_decimal(v.abs());
  s = s.substr(0, s.find('.'));
  if (s == "0") s.clear();
  negative = v.negative() && !s.empty();
  return s;
}

std::string format_number_text(const RoundedDigits& digits, const Picture& p) {
  std::string out(p.number.size, ' ');
  compose_number(p.number, p.blank_zero, digits, out.data());
  return out;
}

Decimal read_decimal(std::string_view value) {
  Decimal d;
  if (!Decimal::parse(text::trim(value), d)) return Decimal{};
  return d;
}

}  // namespace

Picture parse(std::string_view text) {
  std::string_view s = text::trim(text);
  if (!s.empty() && s[0] == '@') s.remove_prefix(1);
  if (s.empty()) return Picture{};
  const char kind = text::upper(s[0]);
  std::string_view rest = s.substr(1);
  if (kind == 'P' || kind == 'K') return parse_mask(s[0], rest);
  rest = rest.substr(0, rest.find('@'));
  Picture p;
  bool ok = false;
  switch (kind) {
    case 'N':
      p.kind = Kind::Number;
      ok = parse_number(rest, p.number, p.blank_zero);
      break;
    case 'E':
      p.kind = Kind::Scientific;
      ok = parse_scientific(rest, p.scientific, p.blank_zero);
      break;
    case 'S':
      p.kind = Kind::String;
      ok = parse_string(rest, p.string_size);
      break;
    case 'D':
      p.kind = Kind::Date;
      ok = parse_date(rest, p.date, p.blank_zero);
      break;
    case 'T':
      p.kind = Kind::Time;
      ok = parse_time(rest, p.time, p.blank_zero);
      break;
    default:
      break;
  }
  return ok ? p : Picture{};
}

std::size_t format_number(double value, const Picture& p, char* out) {
  if (p.kind != Kind::Number) return 0;
  RoundedDigits digits;
  round_double(value, p.number.places, digits);
  compose_number(p.number, p.blank_zero, digits, out);
  return static_cast<std::size_t>(p.number.size);
}

std::string format(double value, const Picture& p) {
  switch (p.kind) {
    case Kind::Number: {
      RoundedDigits digits;
      round_double(value, p.number.places, digits);
      return format_number_text(digits, p);
    }
    case Kind::Scientific:
      return format_scientific(value, p.scientific, p.blank_zero);
    case Kind::Date:
      return format_date(whole(value), p.date, p.blank_zero);
    case Kind::Time:
      return format_time(whole(value), p.time, p.blank_zero);
    case Kind::Pattern:
      // Beyond 10^18 a double's reading saturates; no mask has that many digit positions.
      if (!(std::fabs(value) < 1e18) && !std::isnan(value)) return std::string(p.mask.size(), '#');
      return format(Decimal::from_double(value), p);
    case Kind::String:
      return text::pad_right(plain_number(value), p.string_size);
    case Kind::KeyIn:
      return format_keyin_mask(plain_number(value), p.mask, p.blank_zero);
    case Kind::Invalid:
      break;
  }
  return plain_number(value);
}

std::string format(const Decimal& value, const Picture& p) {
  switch (p.kind) {
    case Kind::Number: {
      RoundedDigits digits;
      round_decimal(value, p.number.places, digits);
      return format_number_text(digits, p);
    }
    case Kind::Pattern: {
      bool negative = false;
      std::string digits = whole_digits(value, negative);
      return format_pattern_mask(digits, negative, p.mask, p.blank_zero);
    }
    case Kind::String:
      return text::pad_right(plain_decimal(value), p.string_size);
    case Kind::KeyIn:
      return format_keyin_mask(plain_decimal(value), p.mask, p.blank_zero);
    case Kind::Invalid:
      return plain_decimal(value);
    default:
      return format(value.to_double(), p);
  }
}

std::string format_text(std::string_view value, const Picture& p) {
  switch (p.kind) {
    case Kind::Invalid:
      return std::string(value);
    case Kind::String:
      return text::pad_right(value, p.string_size);
    case Kind::KeyIn:
      return format_keyin_mask(value, p.mask, p.blank_zero);
    default:
      return format(read_decimal(value), p);
  }
}

double deformat_number(std::string_view text, const Picture& p) {
  switch (p.kind) {
    case Kind::Number:
      return read_number(text, p.number);
    case Kind::Scientific:
      return read_scientific(text, p.scientific);
    case Kind::Date:
      return read_date(text, p.date);
    case Kind::Time:
      return read_time(text);
    case Kind::Pattern:
      return read_pattern_mask(text, p.mask);
    case Kind::KeyIn:
      return read_plain(read_keyin_mask(text, p.mask));
    case Kind::String:
    case Kind::Invalid:
      break;
  }
  return read_plain(text);
}

std::string deformat(std::string_view text, const Picture& p) {
  if (p.kind == Kind::String) return std::string(text);
  if (p.kind == Kind::KeyIn) return read_keyin_mask(text, p.mask);
  return plain_number(deformat_number(text, p));
}

std::string format(double value, std::string_view picture) {
  return format(value, parse(picture));
}
std::string format(const Decimal& value, std::string_view picture) {
  return format(value, parse(picture));
}
std::string format_text(std::string_view value, std::string_view picture) {
  return format_text(value, parse(picture));
}
double deformat_number(std::string_view text, std::string_view picture) {
  return deformat_number(text, parse(picture));
}
std::string deformat(std::string_view text, std::string_view picture) {
  return deformat(text, parse(picture));
}

}  // namespace orv::picture
