// The order of a scheme's positions (LP, from 1, without gaps) as the editors change it: each
// change is one transaction, so a failure half-way leaves the order as it was.
#pragma once

#include <cstdint>

namespace orv::payments {

// A position just added (at the end) moves right after the one at `lp` (0: to the front).
bool place_after(double scheme_id, int32_t lp, double position_id);
// Deletes the position at `lp` and closes the gap behind it.
bool delete_position(double scheme_id, int32_t lp, double position_id);
// Swaps the position at `lp` with its neighbour below (`step` 1) or above (-1); false when there
// is none or the change failed.
bool move_position(double scheme_id, int32_t lp, double position_id, int step);

}  // namespace orv::payments
