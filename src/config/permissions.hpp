// The current user's grants: loaded once from the server, then asked from memory on every screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::config {

// The administrator's identifier: granted everything without a look-up.
constexpr double kAdministrator = 4100001;

// Fills ACCESSQ (the user's grants in the current company, active groups only; where groups
// grant one key differently, full access wins over restricted), UPRAWNQ (the defined functions)
// and DOSTEPRAPORTOWQ. A statement that fails leaves its table empty; nothing is reported.
void LADUJUPRAWNIENIA();
// Fills DOSTEPRAPORTOWQ alone.
void LADUJUPRAWNIENIARAPORTU();

// 0 none, 1 full, 2 (or another stored level) restricted. A general grant (code, 0) is needed
// before any narrower one counts; full access at a wider level ends the search. A warehouse
// left out means the current one for functions granted per warehouse (kind "M"), else 0.
uint8_t POBIERZUPRAWNIENIE(std::string_view code, std::optional<int32_t> warehouse = std::nullopt,
                           std::optional<int32_t> second = std::nullopt);
// The state flags (20 characters, blank-padded) of a restricted general grant, else empty.
std::string POBIERZFLAGEUPRAWNIENIA(std::string_view code);
// 1 when those flags hold "W": the user may see only his own documents.
uint8_t DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code);
// The access level of a report, 0 without a grant. Where the user's groups grant one report
// differently, full access (1) wins, as it does for functions; otherwise the first row loaded.
uint8_t DOSTEPDORAPORTUOK(int32_t report);

}  // namespace orv::config
