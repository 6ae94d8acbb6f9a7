// Making the QApplication: a library has no main(), so it keeps its own arguments alive.
#include "platform/ui/qt/qt_app.hpp"

#include <QApplication>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/ui/backends.hpp"

namespace orv::ui::qt {
namespace {

int g_argc = 1;
std::atomic<std::thread::id> g_gui_thread{};
char g_name[] = "orvrun";
char* g_argv[] = {g_name, nullptr};

}  // namespace

QApplication& application() {
  static std::once_flag once;
  std::call_once(once, [] {
    g_gui_thread = std::this_thread::get_id();
    if (QCoreApplication::instance()) return;
    // Without a display the windows still exist, are driven and can be photographed.
    if (!display_available() && !std::getenv("QT_QPA_PLATFORM"))
      setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    // Never deleted: windows may be shown until the process ends, after static destructors run.
    new QApplication(g_argc, g_argv);
  });
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Asked from worker threads too, where Qt's own answer would adopt the thread into Qt.
bool on_gui_thread() {
  return std::this_thread::get_id() == g_gui_thread.load();
}

}  // namespace orv::ui::qt
