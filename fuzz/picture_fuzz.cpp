// Fuzzes the picture engine: input = picture, newline, value. The value is read as a number
// (or, after a 0x01 byte, as the raw bits of a double) and as text, through every entry point.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/amount_words.hpp"
#include "platform/picture/picture.hpp"

namespace {

double value_of(std::string_view v) {
  double d = 0;
  if (v.size() >= 9 && v[0] == '\x01') {
    std::memcpy(&d, v.data() + 1, sizeof d);
    return d;
  }
  std::from_chars(v.data(), v.data() + v.size(), d);
  return d;
}

void exercise(std::string_view picture_text, std::string_view value_text) {
  using namespace orv::picture;
  const double value = value_of(value_text);
  Picture p = parse(picture_text);
  std::string shown = format(value, p);
  format(orv::Decimal::from_double(value), p);
  format_text(value_text, p);
  deformat_number(value_text, p);
  deformat(value_text, p);
  // Reading back what was shown must not fail either.
  deformat_number(shown, p);
  if (p.kind == Kind::Number) {
    std::string out(static_cast<std::size_t>(p.number.size), '\0');
    if (format_number(value, p, out.data()) != out.size()) __builtin_trap();
    if (out != shown) __builtin_trap();  // the buffer path and the text path must agree
  }
  char words[orv::calc::kWordsWidth];
  orv::calc::write_slownie(value, picture_text, words);
  orv::calc::write_slowniekrotko(value, words);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto cut = input.find('\n');
  if (cut == std::string_view::npos) {
    exercise(input, "1234.5");
    return 0;
  }
  exercise(input.substr(0, cut), input.substr(cut + 1));
  return 0;
}
