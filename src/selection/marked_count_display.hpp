// The marked count shown on a list's control: its tip and its box icon.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orv::selection {

// `window` is an open window's handle (0: the calling thread's current one). The tip reads
// "Ilość zaznaczonych <label> : <count>" followed by "/<total>" when a total is known, else by a
// line break and the hint that the right mouse button counts them all; the icon is the ticked
// box when anything is marked. An unknown window or control changes nothing.
void DISPLAYZAZNACZONE(int32_t window, int32_t control, int32_t count, std::string_view label,
                       std::optional<int32_t> total = std::nullopt);

}  // namespace orv::selection
