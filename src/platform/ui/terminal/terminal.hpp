// The terminal backend: windows and boxes drawn as UTF-8 text, script commands typed on stdin.
#pragma once

#include <cstdio>
#include <string>

#include "platform/ui/script.hpp"
#include "platform/ui/ui.hpp"

namespace orv::ui {

// Reads the script language line by line from `in`; an empty line is Enter. While a window with
// a timer waits, the timer runs between keystrokes and progress is redrawn in place. At the end
// of input, boxes take their default button and windows close as by Esc.
class TerminalBackend : public ScriptedBackend {
 public:
  TerminalBackend(std::FILE* in = stdin, std::FILE* out = stderr);

  unsigned message(const MessageBox& box) override;
  void window_opened(Window& w) override;
  void window_changed(const Window& w) override;
  void window_closed(const Window& w) override;
  std::optional<std::string> file_dialog(const FileDialog& dialog) override;
  int popup(const std::vector<std::string>& items) override;
  void status_changed(int zone, const std::string& text) override;
  void help(const std::string& file, const std::string& topic) override;
  // Recorded and run: a person at the terminal gets the file opened on the desktop.
  bool open_document(const std::string& path, std::string& error) override;
  bool start_program(const std::string& program, const std::vector<std::string>& args,
                     std::string& error) override;

 protected:
  Input more_input(Window* w) override;
  bool interactive() const override { return true; }
  std::optional<unsigned> ask_box(const MessageBox& box) override;

 private:
  enum class Waiting { Window, Popup, File };
  // A line of input; nullopt at its end, "" with `timed_out` when the timeout passed first.
  std::optional<std::string> read_line(int timeout_ms, bool& timed_out);
  void draw(const Window& w, bool timer_running);
  void print(const std::string& utf8);

  int in_fd_;
  std::FILE* out_;
  std::string buffer_;
  bool eof_ = false;
  Waiting waiting_ = Waiting::Window;
  std::string drawn_;     // the last full drawing
  std::string shape_;     // its layout
  std::string progress_;  // the last progress line
};

}  // namespace orv::ui
