// The values of the system fields taken apart from a transfer's texts: postal code and town of a
// city line, the parts of an account, the amount in grosze, the date by its pattern, a text in
// pieces. Pure functions: no database, no window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/decimal/decimal.hpp"

namespace orv::payments {

// "00-590" out of "00-590 Warszawa": the two characters before the first "-" and the "-" with
// the three after it, when that "-" stands at position 3 to 7; else the whole line.
std::string postal_code(std::string_view city_line);
// "Warszawa" out of "00-590 Warszawa": what follows the first blank at or after the first "-"
// (position 3 to 7), or from 4 characters past the "-" without such a blank; else the whole line.
std::string town(std::string_view city_line);

enum class AccountPart {
  SortCode,      // the bank's 8 digits
  Number,        // without check digits and sort code
  WithoutCheck,  // without the check digits
};
// A part of an account. With a "-" in it, the parts are found around its first "-" at or after
// position 8 (none: empty); without one, by position (3-10, from 11, from 3).
std::string account_part(std::string_view account, AccountPart part);
// The account's first two characters; for an account with a "-", only when its first "-" at or
// after position 8 stands at position 11 or later.
std::string check_digits(std::string_view account);

// The amount in grosze, as a whole number; with a separator, the grosze split off behind it
// ("1234,50"; at least one digit before it: "0,05").
std::string amount_text(const Decimal& amount, std::string_view separator);

// The date by a pattern of R (year), M (month) and D (day) runs: the year in four digits when
// the pattern holds "RRRR", else in two; month and day in two. A separator that is not blank
// stands between runs. Other letters are copied as they are.
std::string date_text(int32_t date, std::string_view pattern, std::string_view separator);

// A text spread over consecutive positions of one field: each piece at most `length`
// characters, broken after the last blank that fits (which the piece keeps), or hard at
// `length` when none does.
class Pieces {
 public:
  void load(std::string_view text) { rest_.assign(text); }
  std::string next(std::size_t length);
  const std::string& rest() const { return rest_; }

 private:
  std::string rest_;
};

}  // namespace orv::payments
