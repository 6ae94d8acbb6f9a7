// The host frame as the library sees it: status-bar zones, posted events, sizes, the mouse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::ui {

struct Size {
  int width = 0;
  int height = 0;
};

// The window system's measures that window geometry depends on, in pixels.
struct Metrics {
  int frame_width = 4;      // the sizing border's width
  int caption_height = 23;  // a caption bar's height
};

struct PostedEvent {
  int32_t thread = 0;
  int code = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

// The text of a zone of the main window's status bar.
void set_status_text(int zone, const std::string& text);
std::string status_text(int zone);

// Posts a user event (e.g. 1034, refresh) to a thread: every open window of that thread receives
// it, and the host frame keeps the list for hosts that run windows of their own.
void post_event(int32_t thread, int code);
std::vector<PostedEvent> posted_events();

// The host's main window, in the windows' own units.
Size main_window_size();
void set_main_window_size(Size size);
Metrics system_metrics();
void set_system_metrics(Metrics metrics);

void move_mouse(Point to);
Point mouse_position();

// Back to a frame with nothing shown (tests).
void reset_host();

}  // namespace orv::ui
