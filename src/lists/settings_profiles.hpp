// PROFILE_USTAWIEN_BRW: named settings profiles (orv_profile_ustawien), the current user's own
// and those shared with everyone, with a form to add, rename and edit them.
#pragma once

namespace orv::lists {

// Browses the profiles, or, opened with GLOBALREQUEST = Select, chooses one into the record
// buffer ORV_PROFILE_USTAWIEN (ID_PROFILU, NAZWA, ID_UZYTKOWNIKA, USTAWIENIA).
void PROFILE_USTAWIEN_BRW();

}  // namespace orv::lists
