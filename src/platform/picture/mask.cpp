// Pattern and key-in masks: digit positions filled from the right, input positions in order.
#include "platform/picture/mask.hpp"

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

bool digit_slot(char c) {
  return c == '#' || c == '<';
}
bool input_slot(char c) {
  return std::string_view("@#<?^_").find(c) != std::string_view::npos;
}

// '<' shows a blank for a zero that leads its run of digit positions ("<#lb. <#oz." shows 902
// as " 9lb.  2oz."); a '#' always shows its digit.
void blank_leading_zeros(std::string& out, std::string_view mask) {
  bool leading = true;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (!digit_slot(mask[i])) {
      leading = true;
      continue;
    }
    if (leading && mask[i] == '<' && out[i] == '0') {
      out[i] = ' ';
      continue;
    }
    leading = false;
  }
}

}  // namespace

std::string format_pattern_mask(std::string_view digits, bool negative, std::string_view mask,
                                bool blank_zero) {
  std::size_t slots = 0;
  for (char c : mask) slots += digit_slot(c);
  if (digits.empty() && blank_zero) return std::string(mask.size(), ' ');
  if (negative || digits.size() > slots) return std::string(mask.size(), '#');
  std::string out(mask);
  std::size_t k = 0;
  for (std::size_t i = mask.size(); i-- > 0;) {
    if (!digit_slot(mask[i])) continue;
    out[i] = k < digits.size() ? digits[digits.size() - 1 - k] : '0';
    ++k;
  }
  blank_leading_zeros(out, mask);
  return out;
}

double read_pattern_mask(std::string_view text, std::string_view mask) {
  std::string digits;
  for (std::size_t i = 0; i < text.size() && i < mask.size(); ++i) {
    if (digit_slot(mask[i]) && text::is_digit(text[i])) digits += text[i];
  }
  return text::real_of(digits);
}

std::size_t keyin_mask_end(std::string_view rest, char delimiter) {
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '\\') {
      ++i;
    } else if (rest[i] == delimiter) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string format_keyin_mask(std::string_view value, std::string_view mask, bool blank_zero) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    if (c == '\\' && i + 1 < mask.size()) {
      out += mask[++i];
    } else if (c == '|') {
      if (next >= value.size()) break;  // the input may end here: keep what came before
    } else if (!input_slot(c)) {
      out += c;
    } else if (next < value.size()) {
      char v = value[next++];
      out += c == '^' ? text::upper(v) : c == '_' ? text::lower(v) : v;
    } else {
      out += ' ';
    }
  }
  if (blank_zero && text::trim(value).empty()) return std::string(out.size(), ' ');
  return out;
}

std::string read_keyin_mask(std::string_view text, std::string_view mask) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t i = 0; i < mask.size() && at < text.size(); ++i) {
    char c = mask[i];
    if (c == '|') continue;
    if (c == '\\' && i + 1 < mask.size()) {
      ++i;
    } else if (input_slot(c)) {
      out += text[at];
    }
    ++at;
  }
  return std::string(text::clip(out));
}

}  // namespace orv::picture
