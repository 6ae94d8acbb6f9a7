// The current backend and what every backend shares: button captions and message lines.
#include "platform/ui/ui.hpp"

#include <atomic>
#include <thread>

#include "platform/shell/shell.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/script.hpp"
#include "platform/ui/window.hpp"

namespace orv::ui {
namespace {

// Answers every box with its default button, closes every window as by Esc, keeps nothing.
ScriptedBackend g_quiet(/*strict=*/false, /*keep_records=*/false);
std::atomic<Backend*> g_current{nullptr};
// Dynamic initialisation runs on the thread that loads the library.
const std::thread::id g_first_thread = std::this_thread::get_id();

}  // namespace

Event Backend::next_event(Window& w) {
  throw ScriptError{"nothing answers the window " + describe(w)};
}

Backend& backend() {
  Backend* b = g_current.load();
  return b ? *b : g_quiet;
}

Backend* set_backend(Backend* b) {
  return g_current.exchange(b);
}

std::string button_caption(unsigned button, const MessageBox& box) {
  static constexpr unsigned kOrder[] = {kOk, kYes, kNo, kAbort, kRetry, kIgnore, kCancel, kHelp};
  static const char* const kNames[] = {"OK",          "Tak",     "Nie",    "Przerwij",
                                       "Ponów"_w1250, "Ignoruj", "Anuluj", "Pomoc"};
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

bool open_on_desktop(const std::string& path, std::string& error) {
  return shell::open_with_desktop(text::to_utf8(path), error);
}

bool Backend::open_document(const std::string& path, std::string& error) {
  return open_on_desktop(path, error);
}

bool open_document(const std::string& path, std::string& error) {
  return backend().open_document(path, error);
}

bool start_on_desktop(const std::string& program, const std::vector<std::string>& args,
                      std::string& error) {
  std::vector<std::string> utf8;
  utf8.reserve(args.size());
  for (const std::string& a : args) utf8.push_back(text::to_utf8(a));
  return shell::start_program(text::to_utf8(program), utf8, error);
}

bool Backend::start_program(const std::string& program, const std::vector<std::string>& args,
                            std::string& error) {
  return start_on_desktop(program, args, error);
}

bool start_program(const std::string& program, const std::vector<std::string>& args,
                   std::string& error) {
  return backend().start_program(program, args, error);
}

std::optional<std::string> ask_file(const FileDialog& dialog) {
  return backend().file_dialog(dialog);
}
void set_clipboard(const std::string& text) {
  backend().set_clipboard(text);
}
std::string clipboard() {
  return backend().clipboard();
}

bool on_first_thread() {
  return std::this_thread::get_id() == g_first_thread;
}

}  // namespace orv::ui
