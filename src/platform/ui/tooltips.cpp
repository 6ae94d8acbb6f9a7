// The tooltip manager's tables, under one lock: windows of any thread register with it.
#include "platform/ui/tooltips.hpp"

#include "platform/ui/window.hpp"

namespace orv::ui {

void TooltipManager::register_window(const Window& w) {
  std::lock_guard lock(mutex_);
  windows_.insert(w.handle());
  for (const auto& c : w.controls()) {
    if (!c.tip.empty()) tips_[{w.handle(), c.number}] = c.tip;
  }
}

void TooltipManager::unregister_window(int32_t handle) {
  std::lock_guard lock(mutex_);
  windows_.erase(handle);
  std::erase_if(tips_, [&](const auto& entry) { return entry.first.first == handle; });
}

bool TooltipManager::registered(int32_t handle) const {
  std::lock_guard lock(mutex_);
  return windows_.count(handle) != 0;
}

void TooltipManager::set_tip(int32_t handle, int control, const std::string& text) {
  std::lock_guard lock(mutex_);
  tips_[{handle, control}] = text;
}

std::optional<std::string> TooltipManager::tip(int32_t handle, int control) const {
  std::lock_guard lock(mutex_);
  auto it = tips_.find({handle, control});
  if (it == tips_.end()) return std::nullopt;
  return it->second;
}

TooltipManager& xtooltip() {
  static TooltipManager m;
  return m;
}

}  // namespace orv::ui
