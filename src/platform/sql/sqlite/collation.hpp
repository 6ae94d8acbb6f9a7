// The server's text comparison (PL_CI_AS) and Polish-aware case folding over UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::sql::sqlite {

// One code point of UTF-8 text at s[i], advancing i. A malformed byte reads as the code point of
// the same value and `valid` is cleared, so callers can copy it through untouched.
char32_t next_code_point(std::string_view s, std::size_t& i, bool* valid = nullptr);
void append_code_point(std::string& out, char32_t cp);

// Simple case mapping for the Latin (incl. Polish), Greek and Cyrillic letters.
char32_t fold_lower(char32_t cp);
char32_t fold_upper(char32_t cp);
std::string lower_utf8(std::string_view s);
std::string upper_utf8(std::string_view s);

// Where a character sorts: letters by the Polish alphabet (a ą b c ć ... z ź ż) with case
// ignored, other accented letters next to their base letter but distinct from it.
struct Weight {
  uint32_t primary = 0;
  uint32_t secondary = 0;  // 0 for unaccented letters and non-letters
  friend bool operator==(const Weight&, const Weight&) = default;
  friend bool operator<(const Weight& a, const Weight& b) {
    return a.primary != b.primary ? a.primary < b.primary : a.secondary < b.secondary;
  }
};
Weight weight(char32_t cp);

// PL_CI_AS: case-insensitive, accent-sensitive, trailing blanks ignored, Polish alphabet order.
// Returns <0, 0 or >0.
int compare_pl_ci_as(std::string_view a, std::string_view b);

}  // namespace orv::sql::sqlite
