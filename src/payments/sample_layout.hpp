// What a scheme position looks like in the file, as the positions list shows it: the sample
// layout of its value and the summary of its format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::payments {

// The longest sample kept (FORMAT_DISPLAY_2 holds 255 characters), whatever length was typed.
inline constexpr int32_t kSampleLimit = 255;

// The value's sample: "A" gives `length` letters X; "N" `length` nines, or with a decimal
// separator and a length over 3 the nines, the separator and two nines within the length;
// "D" the date pattern with the separator wherever the letter changes (RRRR-MM-DD).
std::string sample_value(char format_type, int32_t length, std::string_view separator,
                         std::string_view pattern);

// FORMAT_DISPLAY_2: prefix, sample, suffix and separator, a blank between each.
std::string sample_layout(std::string_view prefix, std::string_view sample, std::string_view suffix,
                          std::string_view separator);

// FORMAT_DISPLAY_1: the length, the type letter in lower case, F (fixed) or V (variable).
std::string format_summary(int32_t length, char format_type, bool fixed);

}  // namespace orv::payments
