// A position's value formatted by its type ("A", "N", "D") and the scheme's code page, and the
// test of a required value. Pure functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "payments/scheme.hpp"

namespace orv::payments {

// STRONA_KODOWA of a scheme, upper-cased: "LATIN" (IBM 852), "MAZOVIA", "BEZ PL" (Polish
// letters to their base letters); anything else writes Windows-1250 unchanged.
CodePage code_page(std::string_view strona_kodowa);
// An alphanumeric value in the code page.
std::string to_code_page(std::string_view value, CodePage page);

// The formatted value, or `refused` when formatting would change it: a number longer than the
// position (its leading digits would be lost).
struct Formatted {
  std::string text;
  bool refused = false;
};

// "A": converted, cut to the length, padded with blanks when fixed (at most 100). "N": only
// digits, "-", "." and "," kept, "0" when nothing is left, padded with zeros on the left when
// fixed (at most 100); longer than the length: refused. "D": as it is.
Formatted format_value(std::string_view value, const Position& p, CodePage page);

// A required value is missing when the formatted value is empty or blank (a fixed field's
// padding is not a value), or for "N" when it holds no
// digit but zeros and is not exactly "0" ("000", "0,00"), or for "D" when the date is 0.
bool missing_value(std::string_view formatted, const Position& p, int32_t date);

}  // namespace orv::payments
