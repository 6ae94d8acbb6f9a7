// Window geometry: maximising inside the host frame and moving a splitter.
#pragma once

#include <cstdint>

namespace orv::config {

// Places the calling thread's current window at the top left of the host's main window, sized
// to its usable area (less the user's margins "OknoSzerMarg" and "OknoWysMarg", the frame and
// caption, and the ribbon or icon bar). 1 when it moved or resized, 0 when it already stood so
// (or no window is open). The host frame and the windows share one unit; the frame and caption
// metrics are taken in it as they come.
uint8_t MAKSYMALIZUJ();

// In the current window: the splitter and the right control move right by `distance`, the left
// control grows by it and the right one shrinks by it (a negative distance moves left).
void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right, int32_t distance);

}  // namespace orv::config
