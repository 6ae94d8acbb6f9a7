// UZYTKOWNIK1_BRW: the list of the application's users, the chooser the forms' users tabs open.
#pragma once

namespace orv::lists {

// Browses the users, or, opened with GLOBALREQUEST = Select, chooses one: it is left in the
// record buffer UZYTKOWNIK1 (ID_UZYTKOWNIKA, NAZWA, IDENTYFIKATOR) and GLOBALRESPONSE says
// whether one was chosen.
void UZYTKOWNIK1_BRW();

}  // namespace orv::lists
