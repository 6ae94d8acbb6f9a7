// Small text helpers: file-name stems, hexadecimal digits and an address line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::calc {

// A file-name stem from the clipped text (at most 999 characters): "|", "/", "\", ">", "<", "*"
// and "?" become "_"; the grave accent, '"', ".", "~", "+", "-", ",", ";", ":", "[" and "]" are
// dropped.
std::string WALIDUJNAZWEPLIKU(std::string_view name);

// Two upper-case hexadecimal digits, high nibble first.
std::string BYTETOHEX(uint8_t value);
// Eight upper-case hexadecimal digits of the 32-bit pattern, most significant byte first.
std::string LONGTOHEX(int32_t value);

// "street number/flat" from clipped parts (at most 99 characters); a flat without a number is
// ignored, and with a blank street the line starts with the blank before the number.
std::string PODAJADRES(std::string_view street, std::string_view number = {},
                       std::string_view flat = {});

}  // namespace orv::calc
