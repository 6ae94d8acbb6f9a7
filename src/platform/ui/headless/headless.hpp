// The scripted backend: runs windows and boxes from a script and records everything shown.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/script.hpp"
#include "platform/ui/ui.hpp"

namespace orv::ui {

class HeadlessBackend : public ScriptedBackend {
 public:
  // Answers are taken in order when the script's next command is not an answer: "yes", "no",
  // "ok", "cancel"... or a button's caption (UTF-8 or Windows-1250 alike, case-insensitive). A box
  // with no answer left takes its default button and a window with no command left is closed as
  // by Esc, unless `strict`, when the run fails naming the window or box: a test never hangs
  // and never guesses. Windows with a timer get timer events in virtual time instead.
  explicit HeadlessBackend(std::vector<std::string> answers = {}, bool strict = false,
                           std::string_view script = {});
};

}  // namespace orv::ui
