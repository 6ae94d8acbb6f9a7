// Reading a text as a number, without the C library's locale-dependent readers.
#include "platform/text/numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace orv::text {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view strip_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

using Written = WrittenNumber;

constexpr int64_t kExponentCap = 100000;

std::size_t digits_at(std::string_view s, std::size_t at) {
  std::size_t end = at;
  while (end < s.size() && is_digit(s[end])) ++end;
  return end - at;
}

bool read_exponent(std::string_view s, int64_t& out) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || digits_at(s, 0) != s.size()) return false;
  int64_t v = 0;
  for (char c : s) v = std::min<int64_t>(v * 10 + (c - '0'), kExponentCap);
  out = negative ? -v : v;
  return true;
}

// Position of the leading significant digit relative to the point: 1 for "5", 0 for "0.5",
// -1 for "0.05" (then shifted by the exponent). Only meaningful for a non-zero number.
int64_t magnitude(const Written& w) {
  std::size_t lead = w.whole.find_first_not_of('0');
  if (lead != std::string_view::npos) {
    return static_cast<int64_t>(w.whole.size() - lead) + w.exponent;
  }
  std::size_t frac_lead = w.fraction.find_first_not_of('0');
  return -static_cast<int64_t>(frac_lead) + w.exponent;
}

bool all_zero(const Written& w) {
  return w.whole.find_first_not_of('0') == std::string_view::npos &&
         w.fraction.find_first_not_of('0') == std::string_view::npos;
}

// The double nearest the number; nullopt beyond the double range. A magnitude too small to
// hold gives 0 and sets `underflow`.
std::optional<double> to_double(const Written& w, bool& underflow) {
  underflow = false;
  if (all_zero(w)) return w.negative ? -0.0 : 0.0;
  double v = 0;
  const char* end = w.unsigned_text.data() + w.unsigned_text.size();
  auto [ptr, ec] = std::from_chars(w.unsigned_text.data(), end, v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (magnitude(w) > 0) return std::nullopt;
    underflow = true;
    return 0.0;
  }
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (v == 0) underflow = true;
  return w.negative ? -v : v;
}

// Digit k of the number's digit string (whole then fraction), '0' outside it.
char digit(const Written& w, int64_t k) {
  const auto n_whole = static_cast<int64_t>(w.whole.size());
  if (k < 0) return '0';
  if (k < n_whole) return w.whole[static_cast<std::size_t>(k)];
  k -= n_whole;
  if (k < static_cast<int64_t>(w.fraction.size())) return w.fraction[static_cast<std::size_t>(k)];
  return '0';
}

// The whole part, exactly (no trip through a double): nullopt when it exceeds 64 bits' worth of
// room for a LONG. `whole_number` tells whether the dropped fraction was all zeros.
std::optional<int64_t> whole_part(const Written& w, bool& whole_number) {
  const int64_t point = static_cast<int64_t>(w.whole.size()) + w.exponent;
  const int64_t total = static_cast<int64_t>(w.whole.size() + w.fraction.size());
  whole_number = true;
  for (int64_t k = std::max<int64_t>(point, 0); k < total; ++k) {
    if (digit(w, k) != '0') whole_number = false;
  }
  int64_t v = 0;
  for (int64_t k = 0; k < point; ++k) {
    v = v * 10 + (digit(w, k) - '0');
    if (v > int64_t{1} << 40) return std::nullopt;  // far beyond any LONG; no overflow
  }
  return w.negative ? -v : v;
}

std::optional<int32_t> in_long_range(std::optional<int64_t> v) {
  if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(*v);
}

std::optional<uint8_t> in_byte_range(std::optional<int32_t> v) {
  if (!v || *v < 0 || *v > 255) return std::nullopt;
  return static_cast<uint8_t>(*v);
}

}  // namespace

// The syntax of the rule, all of the (blank-stripped) text or nothing.
std::optional<WrittenNumber> scan_number(std::string_view s) {
  s = strip_blanks(s);
  Written w;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    w.negative = s.front() == '-';
    s.remove_prefix(1);
  }
  w.unsigned_text = s;
  std::size_t at = digits_at(s, 0);
  w.whole = s.substr(0, at);
  if (at < s.size() && s[at] == '.') {
    std::size_t n = digits_at(s, at + 1);
    w.fraction = s.substr(at + 1, n);
    at += 1 + n;
  }
  if (w.whole.empty() && w.fraction.empty()) return std::nullopt;
  if (at == s.size()) return w;
  if (s[at] != 'e' && s[at] != 'E') return std::nullopt;
  if (!read_exponent(s.substr(at + 1), w.exponent)) return std::nullopt;
  return w;
}

std::optional<double> read_real(std::string_view s) {
  auto w = scan_number(s);
  if (!w) return std::nullopt;
  bool underflow = false;
  return to_double(*w, underflow);
}

std::optional<int32_t> read_long(std::string_view s) {
  auto w = scan_number(s);
  if (!w) return std::nullopt;
  bool whole_number = true;
  return in_long_range(whole_part(*w, whole_number));
}

std::optional<uint8_t> read_byte(std::string_view s) {
  return in_byte_range(read_long(s));
}

double real_of(std::string_view s) {
  return read_real(s).value_or(0.0);
}
int32_t long_of(std::string_view s) {
  return read_long(s).value_or(0);
}
uint8_t byte_of(std::string_view s) {
  return read_byte(s).value_or(0);
}

std::optional<double> real_argument(std::string_view s) {
  auto w = scan_number(s);
  if (!w) return std::nullopt;
  bool underflow = false;
  auto v = to_double(*w, underflow);
  if (underflow) return std::nullopt;
  return v;
}

std::optional<int32_t> long_argument(std::string_view s) {
  auto w = scan_number(s);
  if (!w) return std::nullopt;
  bool whole_number = true;
  auto v = whole_part(*w, whole_number);
  if (!whole_number) return std::nullopt;
  return in_long_range(v);
}

std::optional<uint8_t> byte_argument(std::string_view s) {
  return in_byte_range(long_argument(s));
}

std::optional<double> whole_in(double v, double low, double high) {
  if (!std::isfinite(v) || v != std::floor(v) || v < low || v > high) return std::nullopt;
  return v;
}

}  // namespace orv::text
