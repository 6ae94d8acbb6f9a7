// NAWIGATOR: the host's open windows (OKNAQ) and open objects, to switch to one of them.
#pragma once

#include <cstdint>

namespace orv::lists {

// The chosen open window's value (what the host registered with it, its window to bring to the
// front); 0 when the user closed the navigator without choosing or chose an open object, whose
// name and qualifier are then left in the record buffer NAWIGATOR (NAZWA, KWALIFIKATOR).
int32_t NAWIGATOR();

}  // namespace orv::lists
