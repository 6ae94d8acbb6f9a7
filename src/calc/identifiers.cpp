// NIP and PESEL check digits over the filtered digits; the EU NIP through the main channel.
#include "calc/identifiers.hpp"

#include <algorithm>

#include "frame/sql_channels.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

// The filter copies the text into a 50-byte zero-terminated buffer: 49 characters, cut at a NUL.
constexpr std::size_t kFilterWindow = 49;
constexpr std::size_t kNipDigits = 10;
constexpr std::size_t kPeselDigits = 11;
constexpr std::size_t kNipueWidth = 20;

constexpr uint8_t kNipWeights[kNipDigits - 1] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
constexpr uint8_t kPeselWeights[kPeselDigits - 1] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};

// The first `want` digits the filter keeps, as values; digits past the field's width are dropped.
std::size_t filtered_digits(std::string_view text, uint8_t* out, std::size_t want) {
  std::size_t n = 0;
  const std::size_t end = std::min(text.size(), kFilterWindow);
  for (std::size_t i = 0; i < end && n < want; ++i) {
    if (text[i] == '\0') break;
    const unsigned d = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    if (d < 10) out[n++] = static_cast<uint8_t>(d);
  }
  return n;
}

template <std::size_t N>
uint32_t weighted_sum(const uint8_t* digits, const uint8_t (&weights)[N]) {
  uint32_t sum = 0;
  for (std::size_t i = 0; i < N; ++i) sum += uint32_t{digits[i]} * weights[i];
  return sum;
}

}  // namespace

std::string TYLKOZNAKINUMERYCZNE(std::string_view text) {
  std::string out;
  const std::size_t end = std::min(text.size(), kFilterWindow);
  for (std::size_t i = 0; i < end && text[i] != '\0'; ++i) {
    if (text::is_digit(text[i])) out += text[i];
  }
  return out;
}

uint8_t NIPOK(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  // A blank NIP is no NIP: refused rather than waved through as a prefixed foreign number.
  if (first == std::string_view::npos) return 0;
  if (!text::is_digit(text[first])) return 1;
  uint8_t d[kNipDigits];
  if (filtered_digits(text, d, kNipDigits) < kNipDigits) return 0;
  // A remainder of 10 never equals a single digit, so such numbers are refused.
  return weighted_sum(d, kNipWeights) % 11 == d[kNipDigits - 1] ? 1 : 0;
}

uint8_t PESELOK(std::string_view text) {
  uint8_t d[kPeselDigits];
  if (filtered_digits(text, d, kPeselDigits) < kPeselDigits) return 0;
  const uint32_t r = weighted_sum(d, kPeselWeights) % 10;
  const uint32_t expected = r == 0 ? 0 : 10 - r;
  return expected == d[kPeselDigits - 1] ? 1 : 0;
}

uint8_t REGONOK(std::string_view) {
  return 1;
}

std::string nipue_statement(std::string_view number, std::string_view second) {
  // Both texts are typed by users: quotes doubled so a name like O'Neil cannot end the literal.
  return "select dbo.AP_Func_PodajNip('" + text::double_apostrophes(text::clip(number)) + "','" +
         text::double_apostrophes(text::clip(second)) + "',1)";
}

std::string NIPUE(std::string_view number, std::string_view second, uint8_t flag) {
  std::string result;
  if (flag == 1) {
    result = frame::FUNCSQL(nipue_statement(number, second)).substr(0, kNipueWidth);
  } else {
    result = std::string(text::clip(number).substr(0, kNipueWidth));
  }
  frame::CLOSESQL();
  return result;
}

}  // namespace orv::calc
