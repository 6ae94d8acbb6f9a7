// The host's list windows: built here, kept open until the host closes them.
#include "host/list_window.hpp"

#include <map>
#include <memory>

#include "platform/ui/window.hpp"

namespace orv::host {
namespace {

// Owned per thread: a window belongs to the thread that opened it.
thread_local std::map<int32_t, std::unique_ptr<ui::Window>> t_lists;

}  // namespace

int32_t open_list_window(const std::string& title) {
  auto w = std::make_unique<ui::Window>("ListaHosta", title);
  ui::Control& list = w->add(ui::ControlKind::List, 1, "LISTA", title);
  list.columns = {{"Id", 10}};
  w->add(ui::ControlKind::Image, 2, "ZAZNACZONE");
  w->open();
  const int32_t handle = w->handle();
  t_lists[handle] = std::move(w);
  return handle;
}

bool close_list_window(int32_t handle) {
  auto it = t_lists.find(handle);
  if (it == t_lists.end()) return false;
  it->second->close();
  t_lists.erase(it);
  return true;
}

}  // namespace orv::host
