// The user-interface seam: what the library asks of whichever toolkit shows its boxes and windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orv::ui {

class Window;
struct Event;

enum class Icon { None, Question, Information, Exclamation, Hand };

// The runtime's button codes; a box's buttons are an OR of them, its answer is one of them.
enum Button : unsigned {
  kOk = 1,
  kYes = 2,
  kNo = 4,
  kAbort = 8,
  kRetry = 16,
  kIgnore = 32,
  kCancel = 64,
  kHelp = 128,
};

struct MessageBox {
  std::string text;   // Windows-1250; "|" starts a new line
  std::string title;  // Windows-1250
  Icon icon = Icon::None;
  unsigned buttons = kOk;
  unsigned default_button = kOk;
  std::vector<std::string> captions;  // captions of custom buttons, in button-code order
};

// One message box as it was shown and answered.
struct BoxRecord {
  MessageBox box;
  unsigned answer = 0;
};

// A failed statement shown to the user (the SQL error window), as scripts and the CLI report it.
struct ErrorWindowRecord {
  std::string statement;
  std::string message;
};

// A file or folder dialog. `filter` pairs are "caption|pattern|caption|pattern".
struct FileDialog {
  std::string title;
  std::string folder;  // where it opens
  std::string file;    // the name it proposes
  std::string filter;
  bool save = false;
  bool folders = false;  // choose a folder instead of a file
};

// Thrown (inside the library only, never across the C ABI) when a script cannot go on: it ran
// dry where input was needed, or a command does not fit what waits for it.
struct ScriptError {
  std::string message;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Shows a modal box and returns the button pressed.
  virtual unsigned message(const MessageBox& box) = 0;

  // Windows: shown when opened, redrawn on display(), gone when closed. next_event() waits for
  // the user and returns one event; it may post() further ones to the window.
  virtual void window_opened(Window&) {}
  virtual Event next_event(Window& w);
  virtual void window_changed(const Window&) {}
  virtual void window_closed(const Window&) {}

  // Dialogs: the chosen path, nullopt when cancelled.
  virtual std::optional<std::string> file_dialog(const FileDialog&) { return std::nullopt; }
  // A popup menu of item captions; the 1-based item chosen, 0 when dismissed.
  virtual int popup(const std::vector<std::string>&) { return 0; }
  // Opens a file (a Windows-1250 path) with the desktop's program for its type; false with a
  // reason in `error` when that could not start. Scripted backends record the request instead.
  virtual bool open_document(const std::string& path, std::string& error);
  // Starts a program with these arguments (Windows-1250 texts, each passed as one argument, never
  // read by a shell); false with a reason in `error` when it could not start. Scripted backends
  // record the request instead.
  virtual bool start_program(const std::string& program, const std::vector<std::string>& args,
                             std::string& error);
  // The F1 help topic of a window.
  virtual void help(const std::string& /*file*/, const std::string& /*topic*/) {}
  virtual void busy(bool /*on*/) {}
  virtual void set_clipboard(const std::string& text) { clipboard_ = text; }
  virtual std::string clipboard() { return clipboard_; }
  // The host frame's status bar changed (terminal shows it; others keep it in host()).
  virtual void status_changed(int /*zone*/, const std::string& /*text*/) {}

  // A procedure caught a ScriptError at the C boundary: the run failed with this message.
  virtual void failed(const std::string& /*message*/) {}

 private:
  std::string clipboard_;
};

// The process-wide current backend. With none set, a quiet headless backend answers every box
// with its default button and closes every window at once, so a library loaded without a host
// never blocks.
Backend& backend();
// Installs a backend (not owned; nullptr restores the default) and returns the previous one.
Backend* set_backend(Backend* b);

// Text of a box button for the user: "Tak", "Nie", "OK"...
std::string button_caption(unsigned button, const MessageBox& box);
// The lines of a message text: "|" breaks a line.
std::vector<std::string> message_lines(const std::string& text);

// Shorthands over the current backend.
std::optional<std::string> ask_file(const FileDialog& dialog);
bool open_document(const std::string& path, std::string& error);
// What backends that show windows to a person do for open_document: the desktop's program.
bool open_on_desktop(const std::string& path, std::string& error);
bool start_program(const std::string& program, const std::vector<std::string>& args,
                   std::string& error);
// What backends that show windows to a person do for start_program: the program runs.
bool start_on_desktop(const std::string& program, const std::vector<std::string>& args,
                      std::string& error);
void set_clipboard(const std::string& text);
std::string clipboard();

// The wait cursor while the object lives.
class BusyCursor {
 public:
  BusyCursor() { backend().busy(true); }
  ~BusyCursor() { backend().busy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// True on the process's first thread (the one that loaded the library), where windows turn a
// press of Alt alone into F10.
bool on_first_thread();

}  // namespace orv::ui
