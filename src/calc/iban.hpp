// Polish bank account numbers in the 26-digit form: check digits, conversion, validation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::calc {

// The two check digits (02-98) of a domestic number read as three 8-digit blocks, the country
// code PL built into the mod-97 arithmetic.
int iban_check_value(uint32_t b1, uint32_t b2, uint32_t b3);

// Check digits of the 24-character domestic number, read by position without validation: a block
// that is not a plain number (blanks around it allowed) counts as 0.
std::string IBAN_OBLICZSUMEKONTROLNA(std::string_view domestic);
// The 26-digit form, blank-padded to 50 characters, of a 24-digit domestic number written with any
// separators; otherwise a warning and the empty text.
std::string IBAN_KONWERSJA(std::string_view number);
// 1 for a correct 26-digit number (digits and blanks only); otherwise a warning and 0.
uint8_t IBAN_CZYPOPRAWNY(std::string_view number);

}  // namespace orv::calc
