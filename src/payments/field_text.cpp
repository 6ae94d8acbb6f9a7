// System field values taken apart from the transfer's texts; positions in comments are 1-based
// as the writer's description counts them, the code's indexes 0-based.
#include "payments/field_text.hpp"

#include <cstdio>
#include <utility>

#include "platform/date/date.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

constexpr std::size_t npos = std::string_view::npos;

std::string part(std::string_view s, std::size_t from, std::size_t length = npos) {
  return from < s.size() ? std::string(s.substr(from, length)) : std::string();
}

// The index of the first "-" when it stands at position 3 to 7, else npos.
std::size_t code_dash(std::string_view line) {
  const std::size_t d = line.find('-');
  return d != npos && d >= 2 && d <= 6 ? d : npos;
}

std::string digits_of(unsigned __int128 v) {
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  } while (v != 0);
  return out;
}

std::string two_digits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v % 100);
  return buf;
}

std::string run_text(char letter, std::size_t length, const date::Civil& c, bool long_year) {
  if (letter == 'R') return long_year ? std::to_string(c.year) : two_digits(c.year);
  if (letter == 'M') return two_digits(c.month);
  if (letter == 'D') return two_digits(c.day);
  return std::string(length, letter);
}

}  // namespace

std::string postal_code(std::string_view city_line) {
  const std::size_t d = code_dash(city_line);
  if (d == npos) return std::string(city_line);
  return part(city_line, d - 2, 2) + part(city_line, d, 4);
}

std::string town(std::string_view city_line) {
  const std::size_t d = code_dash(city_line);
  if (d == npos) return std::string(city_line);
  const std::size_t blank = city_line.find(' ', d);
  return blank != npos ? part(city_line, blank + 1) : part(city_line, d + 4);
}

std::string account_part(std::string_view account, AccountPart which) {
  if (account.find('-') == npos) {
    if (which == AccountPart::SortCode) return part(account, 2, 8);
    return part(account, which == AccountPart::Number ? 10 : 2);
  }
  const std::size_t f = account.find('-', 7);
  if (f == npos) return {};
  // The 8 characters before the "-" (only 7 when it stands at position 8).
  const std::size_t start = f >= 8 ? f - 8 : 0;
  if (which == AccountPart::SortCode) return part(account, start, f - start);
  return part(account, which == AccountPart::Number ? f + 1 : start);
}

std::string check_digits(std::string_view account) {
  if (account.find('-') != npos) {
    const std::size_t f = account.find('-', 7);
    if (f == npos || f < 10) return {};
  }
  return part(account, 0, 2);
}

std::string amount_text(const Decimal& amount, std::string_view separator) {
  const __int128 grosze = amount.rescale(2).units();
  const bool negative = grosze < 0;
  std::string digits = digits_of(static_cast<unsigned __int128>(negative ? -grosze : grosze));
  const std::string_view sep = text::clip(separator);
  if (!sep.empty()) {
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, sep);
  }
  return negative ? "-" + digits : digits;
}

std::string date_text(int32_t date, std::string_view pattern, std::string_view separator) {
  const date::Civil c = date::civil(date);
  const std::string_view p = text::clip(pattern);
  const std::string_view sep = text::clip(separator);
  const bool long_year = p.find("RRRR") != npos;
  std::string out;
  for (std::size_t i = 0; i < p.size();) {
    std::size_t end = p.find_first_not_of(p[i], i);
    if (end == npos) end = p.size();
    if (i > 0) out += sep;
    out += run_text(p[i], end - i, c, long_year);
    i = end;
  }
  return out;
}

std::string Pieces::next(std::size_t length) {
  if (rest_.size() <= length) return std::exchange(rest_, std::string());
  if (length == 0) return {};
  const std::size_t blank = rest_.rfind(' ', length - 1);
  const std::size_t cut = blank != npos ? blank + 1 : length;
  std::string piece = rest_.substr(0, cut);
  rest_.erase(0, cut);
  return piece;
}

}  // namespace orv::payments
