// The decimal digits of a value rounded to a number of places, halves away from zero.
#pragma once

#include "platform/decimal/decimal.hpp"

namespace orv::picture {

struct RoundedDigits {
  // A double reaches 309 integer digits; one more for a carry out of the top digit.
  static constexpr int kMaxInt = 312;
  static constexpr int kMaxPlaces = 255;

  bool negative = false;  // the value's sign, kept even when it rounds to zero
  bool zero = true;       // every digit is zero after rounding
  bool infinite = false;  // no digits at all: shown as overflow
  int int_len = 0;        // integer digits without leading zeros; 0 for a zero integer part
  int places = 0;
  char int_digits[kMaxInt];
  char frac_digits[kMaxPlaces];
};

// Doubles are read through their shortest text of at most 15 significant digits, so 2.675 rounds
// to 2.68 as its written form says. NaN reads as 0. `places` is cut to 0..kMaxPlaces.
void round_double(double value, int places, RoundedDigits& out);
void round_decimal(const Decimal& value, int places, RoundedDigits& out);

}  // namespace orv::picture
