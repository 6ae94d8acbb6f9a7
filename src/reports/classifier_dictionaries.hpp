// The value dictionaries of the classifier fields (KLASYFIKATOR_SLOWNIK and its values): their
// lists and forms.
#pragma once

#include <string>

namespace orv::reports {

// The list of dictionaries, with its form and a button to each one's values.
void SLOWNIK_KLAS_BRW();

// One dictionary's values. Opened with GLOBALREQUEST Select it chooses: the chosen value (as
// stored: dates as day numbers), "" when closed without a choice. Adding, changing and deleting
// need the permission "PolaDodatkowe".
std::string SLOWNIK_KLAS_WAR_BRW(double dictionary_id);

// The dictionaries and the highlighted one's values side by side; changes need "SLOWNIKIDOD".
void SLOWNIK_KLASWAR_BRW();

}  // namespace orv::reports
