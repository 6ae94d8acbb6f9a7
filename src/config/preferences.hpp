// The user's window parameters in memory and the write-back of his preferences to the server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::config {

// A window parameter the host loaded into INI_PAR_OKNO, keyed by window and parameter name
// (each cut to 50 characters); the empty text when there is no such row.
std::string POBIERZPARAMETROKNA(std::string_view window, std::string_view parameter);
// Changes a loaded parameter in memory (clipped, cut to 50 characters): 1, or 0 when there is
// no such row (none is added). Nothing goes to the server until the write-back.
uint8_t ZAPISZPARAMETROKNA(std::string_view window, std::string_view parameter,
                           std::string_view value);

// Writes the user's preferences back: the last date range (ZakrWys, Data_Od, Data_Do through
// USTAWPARAMKONF), every row of INI_KOL_BRO and of INI_PAR_OKNO, updating only rows the server
// has for `user`. Texts travel with their apostrophes doubled; the first statement the server
// refuses is shown in the SQL error window, and the rest are still sent.
void ZAPISZPREFERENCJEUZYTKOWNIKA(double user);

}  // namespace orv::config
