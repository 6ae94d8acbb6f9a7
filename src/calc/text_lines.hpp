// Lines and fields out of texts: the n-th CR LF line, word-wrap pieces, separated fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::calc {

// The outcome of POBIERZLINIE: its result and what the caller's variable receives (nothing when
// `line` is empty, the variable then unchanged).
struct LineAt {
  uint8_t found = 0;
  std::optional<std::string> line;
};
// The n-th line (from 1, separated by CR LF only) of the first 500 characters of `text`.
LineAt line_at(std::string_view text, int32_t n);
uint8_t POBIERZLINIE(std::string_view text, std::string& line, int32_t n);

// The next piece of `text` for wrapping at `width`, starting at `position` (from 1). On return
// `position` is where the piece ended (the blank or CR it broke at, or its last character); the
// caller resumes at position + 1 and stops when it is 0. The width is held to 1..100, the size of
// a piece, so that no piece is cut short of what the position skips and a wrap always advances.
std::string PODZIELLINIE(std::string_view text, int32_t& position, int32_t width);

// The n-th field (from 1) of a list separated by the first character of `separator`; the empty
// text when the list has fewer fields, n is below 1 or the separator is empty and n is above 1.
std::string SPLITSTRING(std::string_view text, int32_t n, std::string_view separator);

// A single-line description of the same length: CR becomes a blank, LF is removed, blanks pad.
std::string WYTNIJZNAKIZOPISU(std::string_view text);

}  // namespace orv::calc
