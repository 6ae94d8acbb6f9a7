// The one way a value a user typed, a file brought or the database returned enters the SQL of
// the list windows and their forms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::lists {

// The value between single quotes: trailing blanks removed, cut to `width` characters when
// `width` is not 0, every apostrophe doubled. "O'Neil" → "'O''Neil'".
std::string quote(std::string_view value, std::size_t width = 0);

// A number the database returned or a user typed, as SQL: its plain form when it reads as a
// number, else 0, so that no text ever stands unquoted in a statement.
std::string number(std::string_view value);

}  // namespace orv::lists
