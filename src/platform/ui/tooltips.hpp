// The shared tooltip manager (XTOOLTIP): extended tips of the registered windows' controls.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace orv::ui {

class Window;

class TooltipManager {
 public:
  // Takes the window's controls' tips; later changes come through set_tip.
  void register_window(const Window& w);
  void unregister_window(int32_t handle);
  bool registered(int32_t handle) const;
  void set_tip(int32_t handle, int control, const std::string& text);
  std::optional<std::string> tip(int32_t handle, int control) const;
  const std::string& title() const { return title_; }

 private:
  std::string title_ = "Informacja";
  std::set<int32_t> windows_;
  std::map<std::pair<int32_t, int>, std::string> tips_;
  mutable std::mutex mutex_;
};

TooltipManager& xtooltip();

}  // namespace orv::ui
