// Code-page conversion of downloaded documents.
#include "table_text.hpp"

#include <array>

#include "platform/text/text.hpp"

namespace orv::torix {
namespace {

// ISO-8859-2 and Windows-1250 share their letters but place fifteen of them elsewhere.
char iso_8859_2_to_cp1250(char c) {
  static constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kMoved = {{
      {0xA1, 0xA5},
      {0xA5, 0xBC},
      {0xA6, 0x8C},
      {0xA9, 0x8A},
      {0xAB, 0x8D},
      {0xAC, 0x8F},
      {0xAE, 0x8E},
      {0xB1, 0xB9},
      {0xB5, 0xBE},
      {0xB6, 0x9C},
      {0xB7, 0xA1},
      {0xB9, 0x9A},
      {0xBB, 0x9D},
      {0xBC, 0x9F},
      {0xBE, 0x9E},
  }};
  const auto b = static_cast<unsigned char>(c);
  for (const auto& [from, to] : kMoved) {
    if (b == from) return static_cast<char>(to);
  }
  return c;
}

std::string_view declaration(std::string_view doc) {
  if (!doc.starts_with("<?xml")) return {};
  std::size_t end = doc.find("?>");
  return end == std::string_view::npos ? std::string_view{} : doc.substr(0, end + 2);
}

}  // namespace

std::string table_text(std::string_view doc) {
  if (doc.starts_with("\xEF\xBB\xBF")) doc.remove_prefix(3);
  std::string_view decl = declaration(doc);
  const bool latin2 = orv::text::lower(decl).find("iso-8859-2") != std::string::npos;
  doc.remove_prefix(decl.size());
  while (!doc.empty() && (doc.front() == '\r' || doc.front() == '\n')) doc.remove_prefix(1);
  if (!latin2) return orv::text::from_utf8(doc);
  std::string out(doc);
  for (char& c : out) c = iso_8859_2_to_cp1250(c);
  return out;
}

}  // namespace orv::torix
