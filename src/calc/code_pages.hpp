// Byte-for-byte conversion of Polish text: Mazovia <-> Windows-1250, Windows-1250 -> IBM 852, and
// plain-ASCII forms.
#pragma once

#include <string>
#include <string_view>

namespace orv::calc {

// Mazovia to Windows-1250 over the first 199 characters; the apostrophe becomes "_".
std::string MAZOVIATOWINDOWS(std::string_view text);
// Windows-1250 to Mazovia over the first 199 characters; the apostrophe stays.
std::string WINDOWSTOMAZOVIA(std::string_view text);
// Windows-1250 to IBM 852 ("Latin" in payment files): the eighteen Polish letters translated,
// every other byte unchanged, the whole text (no buffer limit).
std::string windows_to_latin(std::string_view text);
// A plain identifier: Polish letters to their base letters, blank, "_" and "/" to "_", other
// characters but ASCII letters and digits dropped; at most 999 characters.
std::string TEKSTZPOLNAANG(std::string_view text);
// The clipped text with Polish letters replaced by their base letters, everything else kept; at
// most 500 characters.
std::string BEZPL(std::string_view text);

}  // namespace orv::calc
