// Reading a text as a number: the runtime's one rule for LONG, BYTE and REAL, and a strict form.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orv::text {

// The runtime's assignment of a text to a number, used wherever a field, an INI or configuration
// value, or a server's answer is read as a LONG, BYTE or REAL:
//
// - Blanks (space, tab, CR, LF) around the number are ignored, on both sides alike.
// - The rest must be one decimal number, all of it: an optional sign, digits with an optional
//   '.' and fraction (".5" and "5." are numbers), an optional exponent ("1.5e3", "2E-4").
//   The point is always '.', whatever the process locale says: "2,5" is not a number.
// - Everything else reads as 0: the empty text, "12abc", "- 5", "0x1F", "nan", "inf".
// - REAL: the nearest double. A magnitude beyond the double range ("1e400") reads as 0, never
//   as infinity or the largest double; one too small to hold ("1e-400") is a number that
//   rounds to 0.
// - LONG: the whole part, the fraction dropped toward zero ("2.5" → 2, "-2.5" → -2,
//   "1e3" → 1000). A whole part outside the LONG range reads as 0, never as the range's end.
// - BYTE: as LONG, then 0…255; outside that ("300", "-1") it reads as 0.
//
// So "0", "000", "" and "abc" all read as 0: callers that must tell "no number" from zero use
// the read_* forms, which give nullopt for a text that holds no number in the type's range.
std::optional<double> read_real(std::string_view s);
std::optional<int32_t> read_long(std::string_view s);
std::optional<uint8_t> read_byte(std::string_view s);

double real_of(std::string_view s);
int32_t long_of(std::string_view s);
uint8_t byte_of(std::string_view s);

// The rule's syntax split into its parts, for readers that keep every digit (Decimal): nullopt
// when the text is not one number. The exponent is held within ±100000, far beyond any double.
struct WrittenNumber {
  bool negative = false;
  std::string_view whole;     // digits before the point, possibly empty
  std::string_view fraction;  // digits after it, possibly empty (not both)
  int64_t exponent = 0;
  std::string_view unsigned_text;  // the number without blanks and sign
};
std::optional<WrittenNumber> scan_number(std::string_view s);

// Command-line arguments, read strictly: the syntax above (blanks ignored on both sides), and
// nullopt for everything the lenient rule would turn into 0 or change:
// - REAL: not a number, out of the double range, or a non-zero value too small to hold.
// - LONG / BYTE: additionally any number that is not whole ("2.5"; "2.0" and "1e3" are whole)
//   or lies outside -2147483648…2147483647 / 0…255.
std::optional<double> real_argument(std::string_view s);
std::optional<int32_t> long_argument(std::string_view s);
std::optional<uint8_t> byte_argument(std::string_view s);

// A number a host hands over as a double, for a LONG or a BYTE: itself when it is whole and
// within [low, high], else nullopt (never rounded or wrapped).
std::optional<double> whole_in(double v, double low, double high);

}  // namespace orv::text
