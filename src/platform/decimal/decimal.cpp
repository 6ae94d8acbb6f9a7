// Fixed-point decimal arithmetic on a 128-bit mantissa.
#include "platform/decimal/decimal.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orv {
namespace {

constexpr __int128 pow10(int n) {
  __int128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

constexpr __int128 kLimit = pow10(36);

__int128 saturate(__int128 v) {
  if (v > kLimit) return kLimit;
  if (v < -kLimit) return -kLimit;
  return v;
}

// Multiplies without overflow: results beyond the limit saturate.
__int128 mul_sat(__int128 a, __int128 b) {
  __int128 r;
  if (__builtin_mul_overflow(a, b, &r)) return (a < 0) != (b < 0) ? -kLimit : kLimit;
  return saturate(r);
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

void align(const Decimal& a, const Decimal& b, __int128& ua, __int128& ub, int& scale) {
  scale = a.scale() > b.scale() ? a.scale() : b.scale();
  ua = mul_sat(a.units(), pow10(scale - a.scale()));
  ub = mul_sat(b.units(), pow10(scale - b.scale()));
}

}  // namespace

Decimal Decimal::from_units(__int128 units, int scale) {
  Decimal d;
  if (scale < 0) {
    units = mul_sat(units, pow10(-scale > 36 ? 36 : -scale));
    scale = 0;
  }
  while (scale > kMaxScale) {
    units = div_round(units, 10);
    --scale;
  }
  d.units_ = saturate(units);
  d.scale_ = scale;
  return d;
}

Decimal Decimal::from_double(double v) {
  if (!std::isfinite(v)) return {};
  char buf[64];
  auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  // d.dddddddddddddde±X: 15 significant digits in a fixed shape.
  std::string_view s(buf, static_cast<std::size_t>(written.ptr - buf));
  bool neg = s[0] == '-';
  if (neg) s.remove_prefix(1);
  auto e = s.find('e');
  std::string_view exp_text = s.substr(e + 1);
  if (!exp_text.empty() && exp_text.front() == '+') exp_text.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);
  __int128 digits = 0;
  for (char c : s.substr(0, e)) {
    if (c != '.') digits = digits * 10 + (c - '0');
  }
  // digits holds 15 digits = value * 10^(14 - exponent)
  int scale = 14 - exponent;
  while (scale > 0 && digits % 10 == 0) {
    digits /= 10;
    --scale;
  }
  if (scale > kMaxScale) {
    // Beyond 10^36 the divisor would overflow; 15 digits over more than 10^16 round to 0.
    digits = scale - kMaxScale > 36 ? 0 : div_round(digits, pow10(scale - kMaxScale));
    scale = kMaxScale;
  }
  if (scale < -18) return from_units(neg ? -pow10(18) : pow10(18), 0);
  return from_units(neg ? -digits : digits, scale);
}

bool Decimal::parse(std::string_view text, Decimal& out) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool neg = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    neg = text.front() == '-';
    text.remove_prefix(1);
  }
  __int128 units = 0;
  int scale = 0;
  bool point = false;
  bool any = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return false;
    any = true;
    if (point && scale >= kMaxScale) continue;
    if (units > pow10(35)) return false;  // beyond any amount the application can hold
    units = units * 10 + (c - '0');
    if (point) ++scale;
  }
  if (!any) return false;
  out = from_units(neg ? -units : units, scale);
  return true;
}

double Decimal::to_double() const {
  // Both operands exact: one IEEE division gives the double nearest the decimal value, the same
  // as reading its text would.
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  constexpr __int128 kMantissa = static_cast<__int128>(1) << 53;
  if (units_ < kMantissa && units_ > -kMantissa) {
    return static_cast<double>(static_cast<int64_t>(units_)) / kExact[scale_];
  }
  return std::strtod(to_string().c_str(), nullptr);
}

std::string Decimal::to_string() const {
  __int128 u = units_ < 0 ? -units_ : units_;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    u /= 10;
  } while (u != 0);
  if (scale_ > 0) {
    if (static_cast<int>(digits.size()) <= scale_) digits.insert(0, scale_ + 1 - digits.size(), '0');
    digits.insert(digits.size() - scale_, 1, '.');
  }
  return units_ < 0 ? "-" + digits : digits;
}

Decimal Decimal::rescale(int scale) const {
  if (scale >= scale_) return from_units(mul_sat(units_, pow10(scale - scale_)), scale);
  return from_units(div_round(units_, pow10(scale_ - scale)), scale);
}

Decimal Decimal::round(const Decimal& step) const {
  if (step.units_ <= 0) return *this;
  __int128 a, s;
  int scale;
  align(*this, step, a, s, scale);
  return from_units(div_round(a, s) * s, scale);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
  __int128 x, y;
  int scale;
  align(a, b, x, y, scale);
  return Decimal::from_units(x + y, scale);
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
  int scale = a.scale() + b.scale();
  __int128 ua = a.units(), ub = b.units();
  // Keep the product inside 128 bits: drop places from the longer factor first.
  while ((ua > pow10(19) || ua < -pow10(19)) && (ub > pow10(19) || ub < -pow10(19))) {
    ua = div_round(ua, 10);
    --scale;
  }
  return Decimal::from_units(mul_sat(ua, ub), scale);
}

Decimal Decimal::divide(const Decimal& a, const Decimal& b, int scale) {
  if (b.units_ == 0) return from_units(0, scale);
  // a/b at `scale` = a.units * 10^(scale + b.scale - a.scale) / b.units
  int shift = scale + b.scale_ - a.scale_;
  __int128 num = a.units_, den = b.units_;
  if (shift >= 0) {
    num = mul_sat(num, pow10(shift > 36 ? 36 : shift));
  } else {
    den = mul_sat(den, pow10(-shift > 36 ? 36 : -shift));
  }
  return from_units(div_round(num, den), scale);
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
  __int128 x, y;
  int scale;
  align(a, b, x, y, scale);
  return x < y ? -1 : x > y ? 1 : 0;
}

double round_to(double v, double step) {
  return Decimal::from_double(v).round(Decimal::from_double(step)).to_double();
}

std::string plain_number(double v) {
  if (!std::isfinite(v)) return "0";
  Decimal d = Decimal::from_double(v);
  std::string s = d.to_string();
  if (s == "-0") return "0";
  return s;
}

std::string plain_id(double v) {
  if (!std::isfinite(v)) return "0";
  return Decimal::from_double(v).rescale(0).to_string();
}

}  // namespace orv
