// Numeric (@N) and scientific (@E) pictures: reading the tokens, laying out digits, reading back.
#pragma once

#include <string>
#include <string_view>

#include "platform/picture/picture.hpp"
#include "platform/picture/rounded_digits.hpp"

namespace orv::picture {

// `body` follows the kind letter; false when it is not a well-formed numeric picture.
bool parse_number(std::string_view body, NumberSpec& shape, bool& blank_zero);
bool parse_scientific(std::string_view body, ScientificSpec& shape, bool& blank_zero);

// Writes exactly shape.size characters into `out`.
void compose_number(const NumberSpec& shape, bool blank_zero, const RoundedDigits& digits,
                    char* out);
std::string format_scientific(double value, const ScientificSpec& shape, bool blank_zero);

double read_number(std::string_view text, const NumberSpec& shape);
double read_scientific(std::string_view text, const ScientificSpec& shape);
// Reading without a picture: digits, the first '.', and a '-' ahead of the digits; the rest is
// ignored. Nothing readable gives 0.
double read_plain(std::string_view text);

}  // namespace orv::picture
