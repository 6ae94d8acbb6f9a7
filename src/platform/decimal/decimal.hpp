// Fixed-point decimal for money, rates and steps; rounding only where a caller names it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// A decimal number units * 10^-scale, exact for every amount the application handles.
// A value whose mantissa would pass ±10^36 is out of range: it holds the limit, `in_range()` is
// false, and so is every result computed from it. Callers test it and carry the double they
// started from, or refuse, so that no other number stands in for the value.
class Decimal {
 public:
  static constexpr int kMaxScale = 18;

  constexpr Decimal() = default;
  static Decimal from_units(__int128 units, int scale);
  static Decimal from_int(int64_t v) { return from_units(v, 0); }
  // Reads a double through its 15-significant-digit text, as the runtime does: 1.005 stays 1.005.
  // NaN and infinities read as 0; magnitudes of 10^36 and more are out of range.
  static Decimal from_double(double v);
  // A number by the runtime's reading rule (platform/text/numbers.hpp), every digit kept, places
  // beyond kMaxScale dropped. Returns false (and leaves `out` alone) for a text that holds no
  // number or one beyond 10^35.
  static bool parse(std::string_view text, Decimal& out);
  // Whether `v` can be held at `scale` places (its mantissa within ±10^36).
  static bool fits(double v, int scale);

  double to_double() const;
  // Plain text with exactly `scale()` places ("12.50", "-3", "0.0615").
  std::string to_string() const;
  __int128 units() const { return units_; }
  int scale() const { return scale_; }
  bool is_zero() const { return units_ == 0; }
  bool negative() const { return units_ < 0; }
  int sign() const { return units_ < 0 ? -1 : units_ > 0 ? 1 : 0; }
  bool in_range() const { return !out_of_range_; }

  // The same value at another scale; dropping places rounds half away from zero.
  Decimal rescale(int scale) const;
  // ROUND(v, step): the nearest multiple of a positive step, halves away from zero. A step of
  // zero or below leaves the value as it is.
  Decimal round(const Decimal& step) const;
  Decimal abs() const { return units_ < 0 ? -*this : *this; }

  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  Decimal operator-() const { return from_units(-units_, scale_).spoilt_if(out_of_range_); }
  // Quotient at `scale` places, halves away from zero; a zero divisor gives 0.
  static Decimal divide(const Decimal& a, const Decimal& b, int scale);

  friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
  friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
  friend bool operator>(const Decimal& a, const Decimal& b) { return compare(a, b) > 0; }
  friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }
  friend bool operator>=(const Decimal& a, const Decimal& b) { return compare(a, b) >= 0; }
  static int compare(const Decimal& a, const Decimal& b);

 private:
  // This value, marked out of range as well when `out_of_range` is true.
  Decimal spoilt_if(bool out_of_range) const;

  __int128 units_ = 0;
  int scale_ = 0;
  bool out_of_range_ = false;
};

// ROUND(v, step) on doubles, through Decimal: round_to(1.005, 0.01) == 1.01. A value too large to
// hold at the step's places is returned as it is: a double that large has no such places.
double round_to(double v, double step);

// The runtime's default number form: shortest text up to 15 significant digits, '.' point,
// no exponent, no trailing zeros ("0.5", "-12", "1000000", 1e35 in 36 digits). NaN and
// infinities give "0".
std::string plain_number(double v);

// A database identifier written into SQL: the whole number only ("4100001", never "4100001.0"),
// every digit of it however large.
std::string plain_id(double v);

}  // namespace orv
