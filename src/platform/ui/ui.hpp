// The user-interface seam: what the library asks of whichever toolkit shows its boxes and windows.
#pragma once

#include <string>
#include <vector>

namespace orv::ui {

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

// A failed statement shown to the user (the SQL error window).
struct ErrorWindowRecord {
  std::string statement;
  std::string message;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Shows a modal box and returns the button pressed.
  virtual unsigned message(const MessageBox& box) = 0;
  // Shows the SQL error window (modal) until the user closes it.
  virtual void error_window(const ErrorWindowRecord& error) = 0;
};

// The process-wide current backend. With none set, a quiet headless backend answers every box
// with its default button, so a library loaded without a host never blocks.
Backend& backend();
// Installs a backend (not owned; nullptr restores the default) and returns the previous one.
Backend* set_backend(Backend* b);

// Text of a box button for the user: "Tak", "Nie", "OK"...
std::string button_caption(unsigned button, const MessageBox& box);
// The lines of a message text: "|" breaks a line.
std::vector<std::string> message_lines(const std::string& text);

}  // namespace orv::ui
