// File-name stems, hexadecimal formatting and address lines.
#include "calc/text_utils.hpp"

#include <array>

#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kFileNameCapacity = 1000;
constexpr std::size_t kAddressCapacity = 100;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// 0 marks a dropped byte. "*" and "?" join the characters made "_": as wildcards they would leave
// a stem that no file system takes literally.
constexpr std::array<uint8_t, 256> file_name_map() {
  std::array<uint8_t, 256> m{};
  for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<uint8_t>(i);
  for (char c : std::string_view("|/\\><*?")) m[static_cast<unsigned char>(c)] = '_';
  for (char c : std::string_view("`\".~+-,;:[]")) m[static_cast<unsigned char>(c)] = 0;
  return m;
}
constexpr std::array<uint8_t, 256> kFileNameMap = file_name_map();

}  // namespace

std::string WALIDUJNAZWEPLIKU(std::string_view name) {
  std::string out;
  for (char c : text::clip(name)) {
    // A NUL of the input ends the text as the zero-terminated result would.
    if (out.size() == kFileNameCapacity - 1 || c == '\0') break;
    const uint8_t m = kFileNameMap[static_cast<unsigned char>(c)];
    if (m != 0) out += static_cast<char>(m);
  }
  return out;
}

std::string BYTETOHEX(uint8_t value) {
  return {kHexDigits[value >> 4], kHexDigits[value & 0x0F]};
}

std::string LONGTOHEX(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  std::string out;
  for (int shift = 24; shift >= 0; shift -= 8)
    out += BYTETOHEX(static_cast<uint8_t>(bits >> shift));
  return out;
}

std::string PODAJADRES(std::string_view street, std::string_view number, std::string_view flat) {
  street = text::clip(street);
  number = text::clip(number);
  flat = text::clip(flat);
  std::string out(street);
  if (!number.empty()) {
    out.append(" ").append(number);
    if (!flat.empty()) out.append("/").append(flat);
  }
  return text::fit(out, kAddressCapacity);
}

}  // namespace orv::calc
