// Rounding of doubles and decimals to digit strings: a fast path for everyday amounts, and an
// exact path through the 15-digit text for halves, huge values and many places.
#include "platform/picture/rounded_digits.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace orv::picture {
namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// `digits` (len of them) hold the value times 10^places: the last `places` are the fraction.
void split(const char* digits, int len, int places, RoundedDigits& out) {
  int int_total = len - places;
  out.int_len = 0;
  out.zero = true;
  for (int i = 0; i < int_total; ++i) {
    if (out.int_len == 0 && digits[i] == '0') continue;
    out.int_digits[out.int_len++] = digits[i];
    out.zero = false;
  }
  for (int j = 0; j < places; ++j) {
    int at = int_total + j;
    char c = at >= 0 ? digits[at] : '0';
    out.frac_digits[j] = c;
    if (c != '0') out.zero = false;
  }
}

void split_units(uint64_t units, int places, RoundedDigits& out) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, units);
  split(buf, static_cast<int>(res.ptr - buf), places, out);
}

// Rounds in binary when the value is far enough from a half that the 15-digit reading cannot
// move it across: the reading shifts a value by at most 5e-15 of itself.
bool round_fast(double a, int places, RoundedDigits& out) {
  if (places > 9) return false;
  double x = a * kPow10[places];
  if (!(x < 1e15)) return false;
  double whole = std::floor(x);
  double frac = x - whole;
  if (std::fabs(frac - 0.5) <= x * 1e-14) return false;
  split_units(static_cast<uint64_t>(whole) + (frac > 0.5 ? 1 : 0), places, out);
  return true;
}

void round_exact(double a, int places, RoundedDigits& out) {
  char buf[48];
  auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
  char sig[15];
  int n = 0;
  const char* p = buf;
  for (; p < res.ptr && *p != 'e'; ++p) {
    if (*p != '.' && n < 15) sig[n++] = *p;
  }
  // to_chars does not terminate its text: the exponent is read within what it wrote.
  int exponent = 0;
  if (p < res.ptr) {
    const char* e = p + 1 + (p[1] == '+');
    std::from_chars(e, res.ptr, exponent);
  }
  // The digits kept before the rounding position, counted from the first significant one.
  int keep = exponent + 1 + places;
  if (keep < 0) {
    split_units(0, places, out);
    return;
  }
  char work[RoundedDigits::kMaxInt + RoundedDigits::kMaxPlaces + 2];
  work[0] = '0';  // room for a carry out of the top digit
  for (int i = 0; i < keep; ++i) work[1 + i] = i < n ? sig[i] : '0';
  if (keep < n && sig[keep] >= '5') {
    int i = keep;
    while (work[i] == '9') work[i--] = '0';
    ++work[i];
  }
  split(work, keep + 1, places, out);
}

}  // namespace

void round_double(double value, int places, RoundedDigits& out) {
  places = places < 0 ? 0 : places > RoundedDigits::kMaxPlaces ? RoundedDigits::kMaxPlaces : places;
  out.places = places;
  out.infinite = std::isinf(value);
  out.negative = std::signbit(value) && !std::isnan(value);
  if (out.infinite) {
    out.zero = false;
    out.int_len = 0;
    return;
  }
  double a = std::isnan(value) ? 0.0 : std::fabs(value);
  if (!round_fast(a, places, out)) round_exact(a, places, out);
}

void round_decimal(const Decimal& value, int places, RoundedDigits& out) {
  places = places < 0 ? 0 : places > RoundedDigits::kMaxPlaces ? RoundedDigits::kMaxPlaces : places;
  out.places = places;
  out.infinite = false;
  out.negative = value.negative();
  Decimal r = places < value.scale() ? value.rescale(places) : value;
  __int128 u = r.units() < 0 ? -r.units() : r.units();
  // Digits of u, then zeros up to the places: together they are the value times 10^places.
  char buf[48 + RoundedDigits::kMaxPlaces];
  char rev[48];
  int n = 0;
  do {
    rev[n++] = static_cast<char>('0' + static_cast<int>(u % 10));
    u /= 10;
  } while (u != 0);
  int len = 0;
  while (n > 0) buf[len++] = rev[--n];
  for (int i = r.scale(); i < places; ++i) buf[len++] = '0';
  split(buf, len, places, out);
}

}  // namespace orv::picture
