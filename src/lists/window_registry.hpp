// The registries of open windows (OKNAQ) and open objects (GLO:KOLEJKAOTWARTYCHOKIEN).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::lists {

// A window name as OKNAQ keys it: clipped, upper-cased, cut to 20 characters, clipped again.
std::string window_key(std::string_view name);

// 1 when the window was registered now, 0 when it already was (nothing changes then).
uint8_t DODAJOKNO(std::string_view name);
// Removes the window, releasing the flags that refer to it; always clears GLO:BRWOPENING.
void SKASUJOKNO(std::string_view name);
// The value the host stored with the window, 0 when it is not registered.
int32_t WEZOKNO(std::string_view name);
// Stores the host's value with a registered window; false when the window is not registered.
bool set_window_value(std::string_view name, int32_t value);

// Open objects, keyed by (name, qualifier) compared as stored: cut to 254 and 99 characters,
// trailing blanks ignored, case kept.
void ADDKOO(std::string_view name, std::string_view qualifier);
void DELKOO(std::string_view name, std::string_view qualifier);
uint8_t ISKOO(std::string_view name, std::string_view qualifier);
void FREEKOO();

}  // namespace orv::lists
