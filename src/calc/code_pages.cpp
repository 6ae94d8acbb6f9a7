// Translation tables built once from the eighteen Polish letters; every byte is mapped exactly
// once.
#include "calc/code_pages.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kMazoviaCapacity = 200;
constexpr std::size_t kAsciiCapacity = 1000;
constexpr std::size_t kBezplWidth = 500;

struct Letter {
  uint8_t mazovia;
  uint8_t windows;
  char base;
  uint8_t latin;  // IBM 852
};

// The same byte values stand for different letters in the two pages (0x8F, 0x9C, 0xA3, 0xA5),
// which is why conversion goes through a table indexed by the input byte, never in place twice.
constexpr Letter kLetters[] = {
    {0x8F, 0xA5, 'A', 0xA4}, {0x95, 0xC6, 'C', 0x8F}, {0x90, 0xCA, 'E', 0xA8},
    {0x9C, 0xA3, 'L', 0x9D}, {0xA5, 0xD1, 'N', 0xE3}, {0xA3, 0xD3, 'O', 0xE0},
    {0x98, 0x8C, 'S', 0x97}, {0xA0, 0x8F, 'Z', 0x8D}, {0xA1, 0xAF, 'Z', 0xBD},
    {0x86, 0xB9, 'a', 0xA5}, {0x8D, 0xE6, 'c', 0x86}, {0x91, 0xEA, 'e', 0xA9},
    {0x92, 0xB3, 'l', 0x88}, {0xA4, 0xF1, 'n', 0xE4}, {0xA2, 0xF3, 'o', 0xA2},
    {0x9E, 0x9C, 's', 0x98}, {0xA6, 0x9F, 'z', 0xAB}, {0xA7, 0xBF, 'z', 0xBE},
};

using ByteMap = std::array<uint8_t, 256>;

constexpr ByteMap identity() {
  ByteMap m{};
  for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<uint8_t>(i);
  return m;
}

constexpr ByteMap mazovia_to_windows() {
  ByteMap m = identity();
  for (const Letter& l : kLetters) m[l.mazovia] = l.windows;
  m['\''] = '_';
  return m;
}

constexpr ByteMap windows_to_mazovia() {
  ByteMap m = identity();
  for (const Letter& l : kLetters) m[l.windows] = l.mazovia;
  return m;
}

constexpr ByteMap windows_to_latin() {
  ByteMap m = identity();
  for (const Letter& l : kLetters) m[l.windows] = l.latin;
  return m;
}

constexpr ByteMap windows_to_base() {
  ByteMap m = identity();
  for (const Letter& l : kLetters) m[l.windows] = static_cast<uint8_t>(l.base);
  return m;
}

// 0 marks a dropped byte.
constexpr ByteMap windows_to_identifier() {
  ByteMap m{};
  for (int c = '0'; c <= '9'; ++c) m[c] = static_cast<uint8_t>(c);
  for (int c = 'A'; c <= 'Z'; ++c) m[c] = static_cast<uint8_t>(c);
  for (int c = 'a'; c <= 'z'; ++c) m[c] = static_cast<uint8_t>(c);
  m[' '] = m['_'] = m['/'] = '_';
  for (const Letter& l : kLetters) m[l.windows] = static_cast<uint8_t>(l.base);
  return m;
}

constexpr ByteMap kMazoviaToWindows = mazovia_to_windows();
constexpr ByteMap kWindowsToMazovia = windows_to_mazovia();
constexpr ByteMap kWindowsToLatin = windows_to_latin();
constexpr ByteMap kWindowsToBase = windows_to_base();
constexpr ByteMap kWindowsToIdentifier = windows_to_identifier();

// The text as a zero-terminated buffer of `capacity` bytes holds it: cut at a NUL and at the size.
std::string_view as_buffer(std::string_view s, std::size_t capacity) {
  s = s.substr(0, s.find('\0'));
  return s.substr(0, capacity - 1);
}

std::string translate(std::string_view s, const ByteMap& map) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace

std::string MAZOVIATOWINDOWS(std::string_view text) {
  return translate(as_buffer(text, kMazoviaCapacity), kMazoviaToWindows);
}

std::string WINDOWSTOMAZOVIA(std::string_view text) {
  return translate(as_buffer(text, kMazoviaCapacity), kWindowsToMazovia);
}

std::string windows_to_latin(std::string_view text) {
  return translate(text, kWindowsToLatin);
}

std::string TEKSTZPOLNAANG(std::string_view text) {
  std::string_view in = text::clip(text);
  std::string out(std::min(in.size(), kAsciiCapacity - 1), '\0');
  std::size_t n = 0;
  for (std::size_t i = 0; i < in.size() && n < out.size(); ++i) {
    const uint8_t c = kWindowsToIdentifier[static_cast<unsigned char>(in[i])];
    out[n] = static_cast<char>(c);
    n += c != 0;
  }
  out.resize(n);
  return out;
}

std::string BEZPL(std::string_view text) {
  return translate(text::clip(text).substr(0, kBezplWidth), kWindowsToBase);
}

}  // namespace orv::calc
