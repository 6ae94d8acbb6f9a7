// Fuzzes the text utilities, code-page conversions and identifier checks through the C ABI and the
// C++ functions, aborting when a result breaks the limits the procedures promise.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "calc/code_pages.hpp"
#include "calc/iban.hpp"
#include "calc/identifiers.hpp"
#include "calc/text_lines.hpp"
#include "calc/text_replace.hpp"
#include "calc/text_utils.hpp"
#include "exports/orvrun.h"
#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

#include "fuzz_input.hpp"

namespace {

using orv::fuzz::require;
using orv::fuzz::split_texts;

std::string take(char* r) {
  require(r != nullptr);
  std::string s(r);
  ORVRUN_FREE(r);
  return s;
}

void conversions(const std::string& a) {
  require(take(::TYLKOZNAKINUMERYCZNE(a.c_str())).size() <= 49);
  require(take(::MAZOVIATOWINDOWS(a.c_str())).size() <= 199);
  require(take(::WINDOWSTOMAZOVIA(a.c_str())).size() <= 199);
  const std::string plain = take(::TEKSTZPOLNAANG(a.c_str()));
  require(plain.size() <= 999);
  for (char c : plain)
    require(c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'));
  require(take(::BEZPL(a.c_str())).size() <= 500);
  const std::string single = take(::WYTNIJZNAKIZOPISU(a.c_str()));
  require(single.size() == a.size() && single.find_first_of("\r\n") == std::string::npos);
  const std::string collapsed = take(::REPLACEALLSPACE(a.c_str()));
  require(collapsed.size() <= 999 && collapsed.find("  ") == std::string::npos);
  require(take(::WALIDUJNAZWEPLIKU(a.c_str())).find_first_of("|/\\<>*?") == std::string::npos);
}

void identifiers(const std::string& a) {
  require(::NIPOK(a.c_str()) <= 1 && ::PESELOK(a.c_str()) <= 1 && ::REGONOK(a.c_str()) == 1);
  require(take(::IBAN_OBLICZSUMEKONTROLNA(a.c_str())).size() == 2);
  const std::string full = take(::IBAN_KONWERSJA(a.c_str()));
  require(full.empty() || full.size() == 50);
  // Whatever the conversion makes, the validation must accept.
  if (!full.empty()) require(::IBAN_CZYPOPRAWNY(full.c_str()) == 1);
  require(take(::NIPUE(a.c_str(), a.c_str(), nullptr)).size() <= 20);
}

void lines(const std::string& a, const std::string& b, int32_t n, int32_t width) {
  char line[501];
  ORVRUN_TEXT ref{line, sizeof line};
  require(::POBIERZLINIE(a.c_str(), &ref, n) <= 1);
  int32_t pos = n;
  for (std::size_t steps = 0; pos != 0; ++steps) {
    require(steps <= a.size() + 2);  // every piece advances at least one character
    require(take(::PODZIELLINIE(a.c_str(), &pos, width)).size() <= 100);
    if (pos != 0) ++pos;
  }
  require(take(::SPLITSTRING(a.c_str(), n, b.c_str())).size() <= a.size());
}

void replacements(const std::string& a, const std::string& b, const std::string& c, uint8_t flag) {
  const std::string first = take(::REPLACEPROC(a.c_str(), b.c_str(), c.c_str()));
  require(first.size() <= a.size() + c.size());
  require(take(::REPLACEPROC2(a.c_str(), b.c_str(), c.c_str())).size() <= 49999);
  // The caller's buffer with a fence behind it.
  std::vector<char> buf(a.size() + 1 + 8, '\x5A');
  std::memcpy(buf.data(), a.c_str(), a.size() + 1);
  std::vector<char> find(b.c_str(), b.c_str() + b.size() + 1),
      repl(c.c_str(), c.c_str() + c.size() + 1);
  ORVRUN_TEXT t{buf.data(), a.size() + 1}, f{find.data(), find.size()}, r{repl.data(), repl.size()};
  ::REPLACETEXT(&t, &f, &r, flag & 1 ? &flag : nullptr);
  for (std::size_t i = a.size() + 1; i < buf.size(); ++i) require(buf[i] == '\x5A');
}

// The C++ functions take texts with NULs inside, which the C ABI never passes.
void raw(std::string_view data) {
  using namespace orv::calc;
  require(TYLKOZNAKINUMERYCZNE(data).size() <= 49);
  require(MAZOVIATOWINDOWS(data).size() <= 199 && WINDOWSTOMAZOVIA(data).size() <= 199);
  require(REPLACEALLSPACE(data).size() <= 999 && WALIDUJNAZWEPLIKU(data).size() <= 999);
  require(REPLACEPROC2(data, data.substr(0, 3), data).size() <= 49999);
  require(IBAN_CZYPOPRAWNY(data) <= 1 && NIPOK(data) <= 1 && PESELOK(data) <= 1);
  std::string t(data);
  REPLACETEXT(t, data.substr(data.size() / 2), "x", 0);
}

// The reading rule: lenient forms agree with the read_* forms, the strict forms never accept what
// the lenient ones read otherwise, and Decimal reads the same numbers to the same value.
void numbers(std::string_view s) {
  using namespace orv::text;
  const auto real = read_real(s);
  require(std::isfinite(real_of(s)) && real_of(s) == real.value_or(0.0));
  require(long_of(s) == read_long(s).value_or(0) && byte_of(s) == read_byte(s).value_or(0));
  if (auto a = real_argument(s)) require(real && *real == *a);
  if (auto a = long_argument(s)) require(read_long(s) == *a && real && *real == *a);
  if (auto a = byte_argument(s)) require(read_byte(s) == *a);
  orv::Decimal d;
  if (orv::Decimal::parse(s, d)) {
    require(real.has_value() && d.in_range());
    const double got = d.to_double();
    require(std::fabs(got - *real) <= 1e-12 * std::fabs(*real) + 1e-18);
  }
  // The runtime's number form reads back as the same 15 significant digits.
  if (real && std::fabs(*real) >= 1e-6) {
    const auto back = read_real(orv::plain_number(*real));
    require(back.has_value() && std::fabs(*back - *real) <= 1e-14 * std::fabs(*real));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size < 3) return 0;
  const auto n = static_cast<int32_t>(static_cast<int8_t>(bytes[0]));
  const auto width = static_cast<int32_t>(static_cast<int8_t>(bytes[1]));
  const uint8_t flag = bytes[2];
  const std::string_view data(reinterpret_cast<const char*>(bytes + 3), size - 3);
  const std::vector<std::string> t = split_texts(data, 3);
  conversions(t[0]);
  identifiers(t[0]);
  lines(t[0], t[1], n, width);
  replacements(t[0], t[1], t[2], flag);
  raw(data);
  numbers(data);
  return 0;
}
