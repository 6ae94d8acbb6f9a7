// Working days on day numbers: Monday to Friday, holidays not considered.
#pragma once

#include <cstdint>

namespace orv::calc {

// The last Monday-Friday strictly before `date`. Returns 0 (no date) when that day would lie
// below the range of a LONG.
int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date);

}  // namespace orv::calc
