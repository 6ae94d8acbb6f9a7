// Pattern (@P…P) and key-in (@K…K) pictures: digits or characters placed into a mask.
#pragma once

#include <string>
#include <string_view>

namespace orv::picture {

// `digits` is the integer part of the value without sign or leading zeros ("" for zero).
std::string format_pattern_mask(std::string_view digits, bool negative, std::string_view mask,
                                bool blank_zero);
double read_pattern_mask(std::string_view text, std::string_view mask);

std::string format_keyin_mask(std::string_view value, std::string_view mask, bool blank_zero);
std::string read_keyin_mask(std::string_view text, std::string_view mask);
// Where a key-in mask's closing K stands: the first one not made literal by a backslash.
std::size_t keyin_mask_end(std::string_view rest, char delimiter);

}  // namespace orv::picture
