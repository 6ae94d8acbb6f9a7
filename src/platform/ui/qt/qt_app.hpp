// The process's one Qt application: made on first use, offscreen when there is no display.
#pragma once

class QApplication;

namespace orv::ui::qt {

// The host's own QApplication when it has one, else one made now on the calling thread; the
// thread of the first call is taken for the application's.
QApplication& application();
// True on the thread the application lives on, the only one that may touch widgets.
bool on_gui_thread();

}  // namespace orv::ui::qt
