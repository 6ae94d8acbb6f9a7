// The writing progress window: opened, advanced and closed by the writer, no event loop.
#include "payments/write_progress.hpp"

#include <algorithm>
#include <string>

#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/registry.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

enum : int { kPrompt = 1, kBar };

const ui::WindowRegistrar kProgressWin("ZapisPlikuEPP", "EXPORT_TXT_MC", &progress_window);

}  // namespace

ui::Window progress_window() {
  ui::Window w("ZapisPlikuEPP", "ORVEX: Informacja");
  w.rect = {0, 0, 260, 60};
  w.add(ControlKind::Label, kPrompt, "KOMUNIKAT",
        "Proszę czekać. Trwa zapisywanie do pliku..."_w1250);
  w.add(ControlKind::Progress, kBar, "POSTEP").value = "0";
  return w;
}

WriteProgress::WriteProgress(int64_t total)
    : w_(progress_window()), total_(std::max<int64_t>(total, 1)) {
  frame::open_window(w_);
}

WriteProgress::~WriteProgress() {
  w_.close();
}

void WriteProgress::advance() {
  ++done_;
  const int64_t percent = std::min<int64_t>(100, done_ * 100 / total_);
  if (percent == shown_) return;
  shown_ = percent;
  w_.at(kBar).value = std::to_string(percent);
  w_.display();
}

}  // namespace orv::payments
