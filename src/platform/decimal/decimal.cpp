// Fixed-point decimal arithmetic on a 128-bit mantissa.
#include "platform/decimal/decimal.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/text/numbers.hpp"

namespace orv {
namespace {

constexpr __int128 pow10(int n) {
  __int128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

constexpr __int128 kLimit = pow10(36);
// Stands for "beyond the limit" in intermediate results; from_units marks it out of range.
constexpr __int128 kBeyond = kLimit + 1;

__int128 saturate(__int128 v) {
  if (v > kLimit) return kLimit;
  if (v < -kLimit) return -kLimit;
  return v;
}

bool beyond(__int128 v) {
  return v > kLimit || v < -kLimit;
}

// Multiplies without overflow: results beyond the limit give ±kBeyond.
__int128 mul_sat(__int128 a, __int128 b) {
  __int128 r;
  if (__builtin_mul_overflow(a, b, &r) || beyond(r)) return (a < 0) != (b < 0) ? -kBeyond : kBeyond;
  return r;
}

// Multiplies by 10^n; shifts beyond any mantissa give ±kBeyond unless the value is 0.
__int128 shift_up(__int128 v, int n) {
  if (v == 0) return 0;
  if (n > 36) return v < 0 ? -kBeyond : kBeyond;
  return mul_sat(v, pow10(n));
}

// Divides rounding halves away from zero.
__int128 div_round(__int128 num, __int128 den) {
  if (den == 0) return 0;
  bool neg = (num < 0) != (den < 0);
  __int128 n = num < 0 ? -num : num;
  __int128 d = den < 0 ? -den : den;
  __int128 q = n / d;
  if ((n % d) * 2 >= d) ++q;
  return neg ? -q : q;
}

// Both mantissas at the larger scale; true when either went beyond the limit on the way, or
// either value already was out of range.
bool align(const Decimal& a, const Decimal& b, __int128& ua, __int128& ub, int& scale) {
  scale = a.scale() > b.scale() ? a.scale() : b.scale();
  ua = mul_sat(a.units(), pow10(scale - a.scale()));
  ub = mul_sat(b.units(), pow10(scale - b.scale()));
  return beyond(ua) || beyond(ub) || !a.in_range() || !b.in_range();
}

// The 15 significant digits of a finite non-zero double, trailing zeros dropped, and the power
// of ten of the first one: 1234.5 → "12345", 3.
std::string significant_digits(double v, int& exponent) {
  char buf[64];
  auto written =
      std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  std::string_view s(buf, static_cast<std::size_t>(written.ptr - buf));
  auto e = s.find('e');
  std::from_chars(s.data() + e + 1 + (s[e + 1] == '+'), s.data() + s.size(), exponent);
  std::string digits;
  for (char c : s.substr(0, e)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

}  // namespace

Decimal Decimal::from_units(__int128 units, int scale) {
  Decimal d;
  if (scale < 0) {
    units = shift_up(units, -scale);
    scale = 0;
  }
  while (scale > kMaxScale) {
    units = div_round(units, 10);
    --scale;
  }
  d.out_of_range_ = beyond(units);
  d.units_ = saturate(units);
  d.scale_ = scale;
  return d;
}

Decimal Decimal::spoilt_if(bool out_of_range) const {
  Decimal d = *this;
  d.out_of_range_ = out_of_range_ || out_of_range;
  return d;
}

Decimal Decimal::from_double(double v) {
  if (!std::isfinite(v) || v == 0) return {};
  int exponent = 0;
  const std::string written = significant_digits(v, exponent);
  __int128 digits = 0;
  for (char c : written) digits = digits * 10 + (c - '0');
  // The value is digits * 10^-scale.
  int scale = static_cast<int>(written.size()) - 1 - exponent;
  if (scale > kMaxScale) {
    // Beyond 10^36 the divisor would overflow; 15 digits over more than 10^16 round to 0.
    digits = scale - kMaxScale > 36 ? 0 : div_round(digits, pow10(scale - kMaxScale));
    scale = kMaxScale;
  }
  return from_units(v < 0 ? -digits : digits, scale);
}

bool Decimal::parse(std::string_view text, Decimal& out) {
  auto n = text::scan_number(text);
  if (!n) return false;
  // The last written digit stands at 10^-places; digits finer than kMaxScale are dropped.
  const int64_t places = static_cast<int64_t>(n->fraction.size()) - n->exponent;
  const int64_t scale = std::clamp<int64_t>(places, 0, kMaxScale);
  const std::size_t total = n->whole.size() + n->fraction.size();
  __int128 units = 0;
  for (std::size_t i = 0; i < total; ++i) {
    // Digit i stands at 10^-place; the last one at 10^-places.
    const int64_t place = places - static_cast<int64_t>(total - 1 - i);
    if (place > scale) break;
    const char c = i < n->whole.size() ? n->whole[i] : n->fraction[i - n->whole.size()];
    units = units * 10 + (c - '0');
    if (units > pow10(35)) return false;  // beyond any amount the application can hold
  }
  if (places < 0) {
    if (units != 0 && -places > 35) return false;
    units = shift_up(units, static_cast<int>(-places));
    if (units > pow10(35)) return false;
  }
  out = from_units(n->negative ? -units : units, static_cast<int>(scale));
  return true;
}

bool Decimal::fits(double v, int scale) {
  if (!std::isfinite(v)) return false;
  return from_double(v).rescale(scale).in_range();
}

double Decimal::to_double() const {
  // Both operands exact: one IEEE division gives the double nearest the decimal value, the same
  // as reading its text would.
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  constexpr __int128 kMantissa = static_cast<__int128>(1) << 53;
  if (units_ < kMantissa && units_ > -kMantissa) {
    return static_cast<double>(static_cast<int64_t>(units_)) / kExact[scale_];
  }
  return text::real_of(to_string());
}

std::string Decimal::to_string() const {
  __int128 u = units_ < 0 ? -units_ : units_;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    u /= 10;
  } while (u != 0);
  if (scale_ > 0) {
    if (static_cast<int>(digits.size()) <= scale_)
      digits.insert(0, scale_ + 1 - digits.size(), '0');
    digits.insert(digits.size() - scale_, 1, '.');
  }
  return units_ < 0 ? "-" + digits : digits;
}

Decimal Decimal::rescale(int scale) const {
  if (scale >= scale_) {
    return from_units(shift_up(units_, scale - scale_), scale).spoilt_if(out_of_range_);
  }
  return from_units(div_round(units_, pow10(scale_ - scale)), scale).spoilt_if(out_of_range_);
}

Decimal Decimal::round(const Decimal& step) const {
  if (step.units_ <= 0) return *this;
  __int128 a, s;
  int scale;
  const bool over = align(*this, step, a, s, scale);
  return from_units(mul_sat(div_round(a, s), s), scale).spoilt_if(over);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
  __int128 x, y;
  int scale;
  const bool over = align(a, b, x, y, scale);
  return Decimal::from_units(x + y, scale).spoilt_if(over);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
  return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  int scale = a.scale() + b.scale();
  __int128 ua = a.units(), ub = b.units();
  // Keep the product inside 128 bits: drop places from the longer factor first.
  while ((ua > pow10(19) || ua < -pow10(19)) && (ub > pow10(19) || ub < -pow10(19))) {
    ua = div_round(ua, 10);
    --scale;
  }
  return Decimal::from_units(mul_sat(ua, ub), scale).spoilt_if(!a.in_range() || !b.in_range());
}

Decimal Decimal::divide(const Decimal& a, const Decimal& b, int scale) {
  if (b.units_ == 0) return from_units(0, scale).spoilt_if(a.out_of_range_);
  // a/b at `scale` = a.units * 10^(scale + b.scale - a.scale) / b.units
  int shift = scale + b.scale_ - a.scale_;
  __int128 num = a.units_, den = b.units_;
  if (shift >= 0) {
    num = shift_up(num, shift);
  } else {
    den = shift_up(den, -shift);
  }
  const bool spoilt = a.out_of_range_ || b.out_of_range_;
  // A divisor beyond the limit leaves a quotient far below the last place.
  if (beyond(den)) return from_units(0, scale).spoilt_if(spoilt);
  return from_units(div_round(num, den), scale).spoilt_if(spoilt || beyond(num));
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
  __int128 x, y;
  int scale;
  align(a, b, x, y, scale);
  return x < y ? -1 : x > y ? 1 : 0;
}

double round_to(double v, double step) {
  Decimal r = Decimal::from_double(v).round(Decimal::from_double(step));
  return r.in_range() ? r.to_double() : v;
}

namespace {

// The 15 significant digits with the point put in place, no exponent, at any magnitude.
std::string positional(double v) {
  int exponent = 0;
  std::string digits = significant_digits(v, exponent);
  const auto n = static_cast<int>(digits.size());
  if (exponent >= n - 1) {
    digits.append(static_cast<std::size_t>(exponent + 1 - n), '0');
  } else if (exponent >= 0) {
    digits.insert(static_cast<std::size_t>(exponent + 1), 1, '.');
  } else {
    digits.insert(0, "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0'));
  }
  return v < 0 ? "-" + digits : digits;
}

}  // namespace

std::string plain_number(double v) {
  if (!std::isfinite(v) || v == 0) return "0";
  return positional(v);
}

std::string plain_id(double v) {
  if (!std::isfinite(v)) return "0";
  Decimal d = Decimal::from_double(v).rescale(0);
  return d.in_range() ? d.to_string() : positional(v);
}

}  // namespace orv
