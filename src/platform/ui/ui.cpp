// The current backend and what every backend shares: button captions and message lines.
#include "platform/ui/ui.hpp"

#include <atomic>

namespace orv::ui {
namespace {

// Answers every box with its default button and shows nothing.
class QuietBackend : public Backend {
 public:
  unsigned message(const MessageBox& box) override { return box.default_button; }
  void error_window(const ErrorWindowRecord&) override {}
};

QuietBackend g_quiet;
std::atomic<Backend*> g_current{nullptr};

}  // namespace

Backend& backend() {
  Backend* b = g_current.load();
  return b ? *b : g_quiet;
}

Backend* set_backend(Backend* b) { return g_current.exchange(b); }

std::string button_caption(unsigned button, const MessageBox& box) {
  static constexpr unsigned kOrder[] = {kOk, kYes, kNo, kAbort, kRetry, kIgnore, kCancel, kHelp};
  static const char* const kNames[] = {"OK", "Tak", "Nie", "Przerwij", "Pon\xF3w", "Ignoruj", "Anuluj",
                                       "Pomoc"};
  std::size_t custom = 0;
  for (std::size_t i = 0; i < std::size(kOrder); ++i) {
    if (!(box.buttons & kOrder[i])) continue;
    if (kOrder[i] == button) {
      if (custom < box.captions.size()) return box.captions[custom];
      return kNames[i];
    }
    ++custom;
  }
  return {};
}

std::vector<std::string> message_lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '|') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace orv::ui
