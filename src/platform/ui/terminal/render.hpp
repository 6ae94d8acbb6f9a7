// Windows and boxes drawn as UTF-8 text for a terminal.
#pragma once

#include <string>

#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {

// The whole window: title, each visible control with its id, buttons with their keys.
std::string render_window(const Window& w);
// A progress control as a bar: "[█████░░░░░]  50%".
std::string render_bar(int percent, int width = 30);
// The visible progress bars and labels on one line, for redraws while a timer runs.
std::string render_progress_line(const Window& w);
std::string render_box(const MessageBox& box);

}  // namespace orv::ui
