// Giving a control its tooltip, in step with the tooltip manager's extended tips.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::lists {

// `window` is an open window's handle (0: the calling thread's current window). Sets the
// control's tip; with GLO:TOOLTIPTYPE 2 also the tooltip manager's tip for that control. An
// unknown window or control changes nothing.
void USTAWTOOLTIP(int32_t window, int32_t control, std::string_view text);

}  // namespace orv::lists
