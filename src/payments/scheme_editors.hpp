// The editors of payment-file schemes: the scheme list and form, the field dictionary and the
// positions of a scheme with their order.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::payments {

// The list of schemes; "Wybierz" (hidden when `mode` reads as 0) gives the chosen scheme's id,
// else 0.
int32_t MULTICASH(std::string_view mode);

// The forms of MC_DEF_NAG, MC_DEF_POLA and MC_DEF_POZ, for GLOBALREQUEST, on the record buffer
// of the same name; they answer in GLOBALRESPONSE.
void UP_MULTICASH();
void UP_MC_SLOWNIK();
void UP_MC_POZYCJE();

// The field dictionary ("EPP - słownik") opened on `current`: the field chosen, else 0.
double choose_field(double current);
// The positions of one scheme, in order ("Elektroniczne Polecenie Przelewu - definicja
// schematu").
void positions_list(double scheme_id, std::string_view scheme_name);

}  // namespace orv::payments
