// Replacement in single passes: no marker round trips, so no text can make a loop run forever.
#include "calc/text_replace.hpp"

#include <algorithm>

#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kReplaceAllCapacity = 50000;
constexpr std::size_t kSpaceCapacity = 1000;

// The text as a zero-terminated buffer of `capacity` bytes holds it: cut at a NUL and at the size.
std::string_view as_buffer(std::string_view s, std::size_t capacity) {
  s = s.substr(0, s.find('\0'));
  return s.substr(0, capacity - 1);
}

void clip_in_place(std::string& s) {
  s.resize(text::clip(s).size());
}

}  // namespace

std::string REPLACEPROC(std::string_view text, std::string_view find,
                        std::string_view replacement) {
  const std::size_t at = find.empty() ? std::string_view::npos : text.find(find);
  if (at == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() - find.size() + replacement.size());
  out.append(text.substr(0, at)).append(replacement).append(text.substr(at + find.size()));
  return out;
}

std::string REPLACEPROC2(std::string_view text, std::string_view find,
                         std::string_view replacement) {
  const std::size_t limit = kReplaceAllCapacity - 1;
  text = as_buffer(text, kReplaceAllCapacity);
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(std::min(limit, text.size() + text.size() / 8));
  std::size_t pos = 0;
  for (std::size_t at; out.size() < limit && (at = text.find(find, pos)) != std::string_view::npos;
       pos = at + find.size()) {
    out.append(text.substr(pos, at - pos)).append(replacement);
  }
  if (out.size() < limit) out.append(text.substr(pos));
  if (out.size() > limit) out.resize(limit);
  return out;
}

void REPLACETEXT(std::string& text, std::string_view find, std::string_view replacement,
                 uint8_t case_sensitive) {
  const std::string_view clipped_text = text::clip(text);
  if (find.empty()) {
    text.resize(clipped_text.size());
    return;
  }
  std::string folded_text, folded_find;
  std::string_view hay = text, needle = find;
  if (case_sensitive == 0) {
    folded_text = text::upper(text);
    folded_find = text::upper(find);
    hay = folded_text;
    needle = folded_find;
  }
  const std::string_view inserted = text::clip(replacement);
  std::string result;
  std::size_t pos = 0;
  std::size_t end = text.size();  // the rest is clipped after the first occurrence
  for (std::size_t at; (at = hay.substr(0, end).find(needle, pos)) != std::string_view::npos;) {
    clip_in_place(result);
    result.append(std::string_view(text).substr(pos, at - pos)).append(inserted);
    pos = at + find.size();
    end = std::max(pos, clipped_text.size());
  }
  clip_in_place(result);
  result.append(text::clip(std::string_view(text).substr(pos, end - pos)));
  text = std::move(result);
}

std::string REPLACEALLSPACE(std::string_view text) {
  text = as_buffer(text, kSpaceCapacity);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

}  // namespace orv::calc
