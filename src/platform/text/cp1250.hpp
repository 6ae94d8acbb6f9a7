// The Windows-1250 code page, and Polish texts written in UTF-8 but stored as its bytes.
#pragma once

#include <array>
#include <cstddef>

namespace orv::text {

// Unicode code points of bytes 0x80-0xFF; the five unassigned bytes map to U+0080-block twins so
// that every byte survives a round trip through UTF-8.
// clang-format off
inline constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// The byte of a code point, or -1 when the code page has none.
constexpr int cp1250_byte(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kCp1250High.size(); ++i) {
    if (kCp1250High[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// A string literal's UTF-8 bytes, carried as a template argument to the conversion.
template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  constexpr Utf8Literal(const char (&s)[N]) {  // NOLINT(google-explicit-constructor)
    for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
  }
};

namespace detail {

// Throwing while a constant is evaluated is what turns a bad literal into a compile error.
constexpr char32_t next_code_point(const char* s, std::size_t n, std::size_t& i) {
  auto b = static_cast<unsigned char>(s[i]);
  int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : -1;
  if (extra < 0 || i + extra >= n) throw "a _w1250 literal is not valid UTF-8";
  char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) throw "a _w1250 literal is not valid UTF-8";
    cp = (cp << 6) | (c & 0x3F);
  }
  i += extra + 1;
  return cp;
}

template <Utf8Literal S>
constexpr auto to_cp1250() {
  constexpr std::size_t n = sizeof(S.bytes);
  std::array<char, n> out{};
  std::size_t length = 0;
  for (std::size_t i = 0; i + 1 < n;) {
    int byte = cp1250_byte(next_code_point(S.bytes, n - 1, i));
    if (byte < 0) throw "a _w1250 literal holds a character Windows-1250 has not";
    out[length++] = static_cast<char>(byte);
  }
  return out;
}

template <Utf8Literal S>
inline constexpr auto kCp1250Literal = to_cp1250<S>();

}  // namespace detail
}  // namespace orv::text

namespace orv {

// "Zażółć"_w1250 is the NUL-terminated Windows-1250 text, converted while compiling; a character
// the code page lacks, or bytes that are not UTF-8, fail the build.
template <text::Utf8Literal S>
consteval const char* operator""_w1250() {
  return text::detail::kCp1250Literal<S>.data();
}

}  // namespace orv
