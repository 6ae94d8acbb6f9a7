// The Qt Widgets backend: a script engine's windows and boxes shown on a desktop or offscreen.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/ui/backends.hpp"
#include "platform/ui/script.hpp"

namespace orv::ui::qt {

class WindowView;

// Shows what the engine runs: the engine keeps applying script commands and keeping records,
// this draws each window of the Qt thread as widgets. With `interactive`, what the script does
// not give is asked of a person, whose clicks and keys become commands of the same language.
class QtBackend : public Backend {
 public:
  QtBackend(ScriptedBackend& engine, UiOptions options);
  ~QtBackend() override;

  unsigned message(const MessageBox& box) override;
  void window_opened(Window& w) override;
  Event next_event(Window& w) override;
  void window_changed(const Window& w) override;
  void window_closed(const Window& w) override;
  std::optional<std::string> file_dialog(const FileDialog& dialog) override;
  int popup(const std::vector<std::string>& items) override;
  void help(const std::string& file, const std::string& topic) override;
  bool open_document(const std::string& path, std::string& error) override;
  bool start_program(const std::string& program, const std::vector<std::string>& args,
                     std::string& error) override;
  void busy(bool on) override;
  void set_clipboard(const std::string& text) override;
  std::string clipboard() override;
  void status_changed(int zone, const std::string& text) override;
  void failed(const std::string& message) override;

  // Pictures written to the screenshot folder so far.
  int screenshots() const { return shots_; }

 private:
  WindowView* view(const Window& w);
  std::optional<Event> wait_for_person(Window& w);
  void shoot(WindowView& v);
  bool person_answers() const;

  ScriptedBackend& engine_;
  UiOptions options_;
  std::map<const Window*, std::unique_ptr<WindowView>> views_;  // the Qt thread's only
  // Closed views kept hidden by layout key: a window opened again (a calendar, a prompt) is
  // drawn into them instead of building and tearing down its widgets each time.
  std::map<std::string, std::unique_ptr<WindowView>> spare_;
  std::set<const Window*> due_;  // windows a command acted on since their last picture
  int shots_ = 0;
  int busy_ = 0;
  std::chrono::steady_clock::time_point last_pump_{};
};

}  // namespace orv::ui::qt
