// EXPORT_TXT_MC: the window that picks a scheme and a file and writes the marked transfers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/window.hpp"

namespace orv::payments {

// "Elektroniczne Polecenie Przelewu - generowanie pliku": the schemes, the file name (both
// remembered per user as DomSchematEPP and DomFileNameEPP), the folder button and "Wykonaj",
// which asks, stores the choice, exports the marked transfers of `usage` and closes.
void EXPORT_TXT_MC(int32_t usage);

// The window as designed, before the schemes are read.
ui::Window export_window();

// A name the save dialog gave, with ".txt" appended unless a "." is its fourth character from
// the end.
std::string with_extension(std::string name);

}  // namespace orv::payments
