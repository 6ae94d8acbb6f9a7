// How every window of the library opens: INI position, F1 help, tooltips, Alt alone as F10.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/window.hpp"

namespace orv::frame {

// "orv2000.chm" in the host's local folder (GLO:LOCALPATH).
std::string help_file();

// Opens `w` on the calling thread: position and size from the current INI file under the
// window's name (saved there again when it closes), F1 shows `help_topic` of the help file,
// tooltips register with the tooltip manager when GLO:TOOLTIPTYPE is 2, and on the first
// thread Alt alone is F10. The window closes when it is destroyed, if its logic has not.
void open_window(ui::Window& w, std::string_view help_topic = {});

// A window the user maximised is placed and sized inside the host frame instead, by the rule of
// the user's preferences (MAKSYMALIZUJ), which lives in a layer above this one and installs
// itself here. True when the current window moved or changed size; false as well when nothing
// is installed (the window then keeps its place).
using HostFrameFit = uint8_t (*)();
void set_host_frame_fit(HostFrameFit fit);
bool fit_into_host_frame();

}  // namespace orv::frame
