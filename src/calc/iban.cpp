// Mod-97 check digits in three 8-digit steps, and the two account-number procedures around them.
#include "calc/iban.hpp"

#include "frame/messages.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kBlock = 8;
constexpr std::size_t kDomesticDigits = 24;
constexpr std::size_t kFullDigits = 26;
constexpr std::size_t kConversionWidth = 50;

constexpr const char* kNotConverted =
    "Numer rachunku niezgodny z formatem IBAN.|Numer nie został skonwertowany!"_w1250;
constexpr const char* kAlphabetic = "W numerze rachunku nie może być znaków alfabetycznych!"_w1250;
constexpr const char* kNot26 = "W numerze rachunku musi być 26 znaków numerycznych!"_w1250;
constexpr const char* kIncorrect = "Numer rachunku nie jest poprawny!";

// Digits of a block known to hold only digits.
uint32_t digits_value(const char* p, std::size_t n) {
  uint32_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v = v * 10 + static_cast<uint32_t>(p[i] - '0');
  return v;
}

// A block read by position: surrounding blanks ignored, anything but plain digits counts as 0.
uint32_t block_value(std::string_view domestic, std::size_t index) {
  const std::size_t at = index * kBlock;
  if (at >= domestic.size()) return 0;
  std::string_view block = text::trim(domestic.substr(at, kBlock));
  for (char c : block) {
    if (!text::is_digit(c)) return 0;
  }
  return digits_value(block.data(), block.size());
}

void check_text(int value, char* out) {
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
}

// Check digits of 24 contiguous digits.
int check_of_digits(const char* digits) {
  return iban_check_value(digits_value(digits, kBlock), digits_value(digits + kBlock, kBlock),
                          digits_value(digits + 2 * kBlock, kBlock));
}

}  // namespace

int iban_check_value(uint32_t b1, uint32_t b2, uint32_t b3) {
  // 81 = 10^8 mod 97, 27 = 10^6 mod 97, 94 = 252100 mod 97 ("PL00" moved behind the number).
  const uint64_t r1 = (uint64_t{b1} * 81 + b2) % 97;
  const uint64_t r2 = (r1 * 81 + b3) % 97;
  const uint64_t x = (r2 * 27 + 94) % 97;
  return static_cast<int>(98 - x);
}

std::string IBAN_OBLICZSUMEKONTROLNA(std::string_view domestic) {
  char out[2];
  check_text(iban_check_value(block_value(domestic, 0), block_value(domestic, 1),
                              block_value(domestic, 2)),
             out);
  return std::string(out, 2);
}

std::string IBAN_KONWERSJA(std::string_view number) {
  std::string digits;
  for (char c : text::clip(number)) {
    if (text::is_digit(c)) digits += c;
  }
  if (digits.size() != kDomesticDigits) {
    frame::MSG_OSTRZEZENIE(kNotConverted);
    return {};
  }
  char check[2];
  check_text(check_of_digits(digits.data()), check);
  std::string out(check, 2);
  out += digits;
  out.resize(kConversionWidth, ' ');
  return out;
}

uint8_t IBAN_CZYPOPRAWNY(std::string_view number) {
  char digits[kFullDigits];
  std::size_t n = 0;
  for (char c : text::clip(number)) {
    if (text::is_digit(c)) {
      if (n < kFullDigits) digits[n++] = c;  // digits past the 26th fall off the field
    } else if (c != ' ') {
      frame::MSG_OSTRZEZENIE(kAlphabetic);
      return 0;
    }
  }
  if (n != kFullDigits) {
    frame::MSG_OSTRZEZENIE(kNot26);
    return 0;
  }
  char computed[2];
  check_text(check_of_digits(digits + 2), computed);
  if (computed[0] != digits[0] || computed[1] != digits[1]) {
    frame::MSG_OSTRZEZENIE(kIncorrect);
    return 0;
  }
  return 1;
}

}  // namespace orv::calc
