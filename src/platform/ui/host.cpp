// The host frame's state, shared by every thread under one lock.
#include "platform/ui/host.hpp"

#include <map>
#include <mutex>

#include "platform/ui/ui.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {
namespace {

// A main window of 800 x 600 dialog units unless the host says otherwise.
struct Host {
  std::mutex mutex;
  std::map<int, std::string> status;
  std::vector<PostedEvent> posted;
  Size main{800, 600};
  Metrics metrics;
  Point mouse;
};

Host& host() {
  static Host h;
  return h;
}

}  // namespace

void set_status_text(int zone, const std::string& text) {
  {
    std::lock_guard lock(host().mutex);
    host().status[zone] = text;
  }
  backend().status_changed(zone, text);
}

std::string status_text(int zone) {
  std::lock_guard lock(host().mutex);
  auto it = host().status.find(zone);
  return it == host().status.end() ? std::string() : it->second;
}

void post_event(int32_t thread, int code) {
  {
    std::lock_guard lock(host().mutex);
    host().posted.push_back({thread, code});
  }
  post_to_thread(thread, Event{EventKind::User, 0, {}, code});
}

std::vector<PostedEvent> posted_events() {
  std::lock_guard lock(host().mutex);
  return host().posted;
}

Size main_window_size() {
  std::lock_guard lock(host().mutex);
  return host().main;
}

void set_main_window_size(Size size) {
  std::lock_guard lock(host().mutex);
  host().main = size;
}

Metrics system_metrics() {
  std::lock_guard lock(host().mutex);
  return host().metrics;
}

void set_system_metrics(Metrics metrics) {
  std::lock_guard lock(host().mutex);
  host().metrics = metrics;
}

void move_mouse(Point to) {
  std::lock_guard lock(host().mutex);
  host().mouse = to;
}

Point mouse_position() {
  std::lock_guard lock(host().mutex);
  return host().mouse;
}

void reset_host() {
  std::lock_guard lock(host().mutex);
  host().status.clear();
  host().posted.clear();
  host().main = Size{800, 600};
  host().metrics = Metrics{};
  host().mouse = Point{};
}

}  // namespace orv::ui
