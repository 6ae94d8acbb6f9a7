// Polish tax and personal identifiers: the digit filter, NIP and PESEL checks, REGON, the EU NIP.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::calc {

// The digits among the first 49 characters of `text`, in order (at most 49).
std::string TYLKOZNAKINUMERYCZNE(std::string_view text);

// 1 for an acceptable NIP: a text whose first non-blank character is not a digit is accepted
// unchecked (a foreign number with its country prefix); a blank text is refused.
uint8_t NIPOK(std::string_view text);
// 1 when the first eleven digits form a PESEL with a correct check digit.
uint8_t PESELOK(std::string_view text);
// Accepts every text, the empty one included: callers pass REGON fields that may stay unfilled.
uint8_t REGONOK(std::string_view text);


// The statement of the server path, apostrophes of both texts doubled.
std::string nipue_statement(std::string_view number, std::string_view second);
// The EU form of a NIP (at most 20 characters): from the server when `flag` is 1, otherwise the
// number clipped.
std::string NIPUE(std::string_view number, std::string_view second, uint8_t flag = 0);

}  // namespace orv::calc
