// Windows-1250 text: clipping, fixed capacities, Polish-aware case folding, UTF-8 at the edges.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv::text {

// Trailing blanks never matter: procedures clip before building SQL or messages.
std::string_view clip(std::string_view s);
std::string_view trim_left(std::string_view s);
std::string_view trim(std::string_view s);

// A buffer of `capacity` bytes holds capacity - 1 characters; longer texts are cut, never overflow.
std::string fit(std::string_view s, std::size_t capacity);

// Pads with blanks (or cuts) to exactly `width` characters, as fixed-length strings are kept.
std::string pad_right(std::string_view s, std::size_t width);

// Case folding over the whole Windows-1250 table, Polish letters included.
char upper(char c);
char lower(char c);
std::string upper(std::string_view s);
std::string lower(std::string_view s);

// Case-insensitive, trailing-blank-insensitive equality (the server's comparison of text).
bool equal_ci(std::string_view a, std::string_view b);

// Encoding edges. Characters with no Windows-1250 form become '?'.
std::string to_utf8(std::string_view cp1250);
std::string from_utf8(std::string_view utf8);
char32_t code_point(char cp1250);
// The strict edge for what people type: invalid UTF-8 and characters Windows-1250 cannot hold
// are refused (nullopt, `error` naming the byte offset or the character), never replaced.
std::optional<std::string> from_utf8_strict(std::string_view utf8, std::string& error);

// A value placed between single quotes in SQL: every apostrophe doubled, nothing else touched.
std::string double_apostrophes(std::string_view s);

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace orv::text
