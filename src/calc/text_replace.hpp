// Substring replacement: first occurrence, every occurrence, in place, and blank runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::calc {

// The first occurrence of `find` (case-sensitive, trailing blanks counting) replaced; an empty
// `find` occurs nowhere.
std::string REPLACEPROC(std::string_view text, std::string_view find, std::string_view replacement);

// Every occurrence replaced in one left-to-right pass over the first 49999 characters; replaced
// text is never searched again, so the replacement may contain `find` ("'" -> "''"). The result
// is cut to 49999 characters.
std::string REPLACEPROC2(std::string_view text, std::string_view find,
                         std::string_view replacement);

// Every occurrence replaced in place; case-insensitive (Polish letters folded) when
// `case_sensitive` is 0. The result is built from clipped pieces, so blanks just before an
// occurrence replaced by nothing are lost ("a  x b", x -> "" gives "a b").
void REPLACETEXT(std::string& text, std::string_view find, std::string_view replacement,
                 uint8_t case_sensitive = 0);

// Runs of blanks collapsed to one blank over the first 999 characters.
std::string REPLACEALLSPACE(std::string_view text);

}  // namespace orv::calc
