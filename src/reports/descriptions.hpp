// Standard description texts of financial documents and their positions (opis_dok_poz_fin).
#pragma once

#include <cstdint>
#include <string>

namespace orv::reports {

// The default text of a company's list for a document type and level, "" when there is none.
std::string DOMYSLNYOPISDOK(uint8_t level, double type_id);

// The list of the texts of one type and level, with their form, the "Domyślny" mark and the
// generated standard texts.
void OPIS_DOK_POZ_BRW(double type_id, uint8_t level);

}  // namespace orv::reports
