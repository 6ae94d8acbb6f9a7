// Formatting of one position's value; the code page applies to alphanumeric values only.
#include "payments/value_format.hpp"

#include <algorithm>

#include "calc/code_pages.hpp"
#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

constexpr std::size_t kMaxPadding = 100;
// WINDOWSTOMAZOVIA converts a 200-byte buffer: longer values go through it in parts, so the
// code page never cuts a value.
constexpr std::size_t kMazoviaPart = 199;

std::string mazovia(std::string_view v) {
  std::string out;
  for (std::size_t i = 0; i < v.size(); i += kMazoviaPart) {
    out += calc::WINDOWSTOMAZOVIA(v.substr(i, kMazoviaPart));
  }
  return out;
}

std::size_t length_of(const Position& p) {
  return static_cast<std::size_t>(std::max(0, p.length));
}

std::size_t padding(std::size_t have, std::size_t want) {
  return have < want ? std::min(want - have, kMaxPadding) : 0;
}

Formatted alphanumeric(std::string_view value, const Position& p, CodePage page) {
  std::string v = to_code_page(value, page);
  const std::size_t l = length_of(p);
  if (v.size() > l) v.resize(l);
  if (p.fixed) v.append(padding(v.size(), l), ' ');
  return {v, false};
}

Formatted numeric(std::string_view value, const Position& p) {
  std::string v;
  for (char c : value) {
    if (text::is_digit(c) || c == '-' || c == '.' || c == ',') v += c;
  }
  if (v.empty()) v = "0";
  const std::size_t l = length_of(p);
  if (v.size() > l) return {v, true};
  if (p.fixed) v.insert(0, padding(v.size(), l), '0');
  return {v, false};
}

}  // namespace

CodePage code_page(std::string_view strona_kodowa) {
  const std::string page = text::upper(text::clip(strona_kodowa));
  if (page == "LATIN") return CodePage::Latin;
  if (page == "MAZOVIA") return CodePage::Mazovia;
  if (page == "BEZ PL") return CodePage::NoPolish;
  return CodePage::Windows;
}

std::string to_code_page(std::string_view value, CodePage page) {
  switch (page) {
    case CodePage::Latin:
      return calc::windows_to_latin(value);
    case CodePage::Mazovia:
      return mazovia(value);
    case CodePage::NoPolish:
      return calc::BEZPL(value);
    case CodePage::Windows:
      break;
  }
  return std::string(value);
}

Formatted format_value(std::string_view value, const Position& p, CodePage page) {
  switch (text::upper(p.format_type)) {
    case 'A':
      return alphanumeric(value, p, page);
    case 'N':
      return numeric(value, p);
    default:
      return {std::string(value), false};
  }
}

// Blanks alone are no value: a fixed field pads an empty value with blanks, which must not pass
// for the value it lacks.
bool missing_value(std::string_view formatted, const Position& p, int32_t date) {
  if (text::clip(formatted).empty()) return true;
  const char type = text::upper(p.format_type);
  if (type == 'D') return date == 0;
  if (type != 'N' || formatted == "0") return false;
  return formatted.find_first_of("123456789") == std::string_view::npos;
}

}  // namespace orv::payments
