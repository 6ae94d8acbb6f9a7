// KLASYFIKATORY_OKNO: the window of a group's additional fields, built from their definitions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "reports/classifiers.hpp"

namespace orv::reports {

// The window's modes.
inline constexpr uint8_t kGroupChangeMode = 0;  // each row has a change flag
inline constexpr uint8_t kNewObjectMode = 1;
inline constexpr uint8_t kChangeMode = 2;
inline constexpr uint8_t kViewMode = 6;
inline constexpr uint8_t kFilterMode = 7;  // each row has a check box and an operator

// Shows the group's active fields with `values` (day numbers shown as dates). OK returns
// lists::kRequestCompleted and writes the values back (a date of 0 blank, a blank number "0")
// and, when `extra` is given, the change flags ("1"/"0", mode 0) or the operators of the checked
// rows (blank for the others, mode 7). Closing returns kRequestCancelled and writes nothing, as
// does a group without an active field (after its warning).
int32_t KLASYFIKATORY_OKNO(std::string_view group, ClassifierValues& values,
                           std::optional<uint8_t> mode, ClassifierValues* extra);

}  // namespace orv::reports
