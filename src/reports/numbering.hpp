// Numbering formats of documents and the order-status dictionary with its list captions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::reports {

// Reloads FORMAT_NUMERACJI_Q with the current company's definitions (groups 11-20 left out).
void LADUJFORMATYNUMERACJI();

// What a document is numbered with; the numbering engine gives the period and parameters their
// meaning.
struct NumberingFormat {
  std::string format;  // at most 49 characters
  uint8_t period = 0;
  uint8_t parameter1 = 0;
  uint8_t parameter2 = 0;
};

// The format of a document: the exact definition, then the type's, then the group's fill in
// what is missing. True when both parameters were found; otherwise a warning names what lacks a
// definition. `out` is always written.
bool POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                            NumberingFormat& out);

// Reloads the dictionary of order statuses (KOLEJKASTATUSOWZAMOWIEN), descriptions lower-cased.
void LADUJSTATUSYZAMOWIEN();

// A status caption in the layout "O" (description), "SO" ("(code) description") or "OS"
// ("description (code)"); empty for an unknown code or layout. Loads the dictionary when empty.
std::string PODAJOPISSTATUSUZAMOWIENIA(std::string_view code, std::string_view layout);

// Fills Q_STATUSY with the statuses order lists filter by; with reload 1 it starts afresh and
// reloads the dictionary, otherwise a filled table stays as it is.
void INICJUJKOLEJKESTATUSOW(std::optional<uint8_t> reload = std::nullopt);

}  // namespace orv::reports
