// The sample layout of a scheme position and its format summary.
#include "payments/sample_layout.hpp"

#include <algorithm>

#include "platform/text/text.hpp"

namespace orv::payments {
namespace {

std::string repeated(char c, int32_t length) {
  return std::string(static_cast<std::size_t>(std::clamp(length, 0, kSampleLimit)), c);
}

std::string numeric_sample(int32_t length, std::string_view separator) {
  if (separator.empty() || length <= 3) return repeated('9', length);
  return repeated('9', length - 3) + std::string(separator) + "99";
}

std::string date_sample(std::string_view pattern, std::string_view separator) {
  std::string out;
  for (std::size_t k = 0; k < pattern.size() && out.size() < kSampleLimit; ++k) {
    if (k > 0 && pattern[k] != pattern[k - 1]) out += separator;
    out += pattern[k];
  }
  return out;
}

}  // namespace

std::string sample_value(char format_type, int32_t length, std::string_view separator,
                         std::string_view pattern) {
  const std::string_view sep = text::clip(separator);
  switch (text::upper(format_type)) {
    case 'N':
      return numeric_sample(length, sep);
    case 'D':
      return date_sample(text::clip(pattern), sep);
    default:
      return repeated('X', length);
  }
}

std::string sample_layout(std::string_view prefix, std::string_view sample, std::string_view suffix,
                          std::string_view separator) {
  std::string out(text::clip(prefix));
  out += ' ';
  out += sample;
  out += ' ';
  out += text::clip(suffix);
  out += ' ';
  out += text::clip(separator);
  return out;
}

std::string format_summary(int32_t length, char format_type, bool fixed) {
  const char type = text::lower(format_type);
  return std::to_string(length) + " " + type + (fixed ? " F" : " V");
}

}  // namespace orv::payments
