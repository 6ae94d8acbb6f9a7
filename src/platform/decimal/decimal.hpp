// Fixed-point decimal for money, rates and steps; rounding only where a caller names it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// A decimal number units * 10^-scale, exact for every amount the application handles.
// Mantissas beyond ±10^36 saturate: doubles that large carry no meaningful cents anyway.
class Decimal {
 public:
  static constexpr int kMaxScale = 18;

  constexpr Decimal() = default;
  static Decimal from_units(__int128 units, int scale);
  static Decimal from_int(int64_t v) { return from_units(v, 0); }
  // Reads a double through its 15-significant-digit text, as the runtime does: 1.005 stays 1.005.
  // NaN and infinities read as 0.
  static Decimal from_double(double v);
  // Plain decimal text: optional sign, digits, optional '.' and digits; blanks around are allowed.
  // Returns false (and leaves `out` alone) for anything else.
  static bool parse(std::string_view text, Decimal& out);

  double to_double() const;
  // Plain text with exactly `scale()` places ("12.50", "-3", "0.0615").
  std::string to_string() const;
  __int128 units() const { return units_; }
  int scale() const { return scale_; }
  bool is_zero() const { return units_ == 0; }
  bool negative() const { return units_ < 0; }
  int sign() const { return units_ < 0 ? -1 : units_ > 0 ? 1 : 0; }

  // The same value at another scale; dropping places rounds half away from zero.
  Decimal rescale(int scale) const;
  // ROUND(v, step): the nearest multiple of a positive step, halves away from zero. A step of
  // zero or below leaves the value as it is.
  Decimal round(const Decimal& step) const;
  Decimal abs() const { return units_ < 0 ? from_units(-units_, scale_) : *this; }

  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  Decimal operator-() const { return from_units(-units_, scale_); }
  // Quotient at `scale` places, halves away from zero; a zero divisor gives 0.
  static Decimal divide(const Decimal& a, const Decimal& b, int scale);

  friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
  friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
  friend bool operator>(const Decimal& a, const Decimal& b) { return compare(a, b) > 0; }
  friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }
  friend bool operator>=(const Decimal& a, const Decimal& b) { return compare(a, b) >= 0; }
  static int compare(const Decimal& a, const Decimal& b);

 private:
  __int128 units_ = 0;
  int scale_ = 0;
};

// ROUND(v, step) on doubles, through Decimal: round_to(1.005, 0.01) == 1.01.
double round_to(double v, double step);

// The runtime's default number form: shortest text up to 15 significant digits, '.' point,
// no exponent, no trailing zeros ("0.5", "-12", "1000000"). NaN and infinities give "0".
std::string plain_number(double v);

// A database identifier written into SQL: the whole number only ("4100001", never "4100001.0").
std::string plain_id(double v);

}  // namespace orv
