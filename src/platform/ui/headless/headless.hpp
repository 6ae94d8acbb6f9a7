// The scripted backend: answers from a list, records every box and error window shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui/ui.hpp"

namespace orv::ui {

class HeadlessBackend : public Backend {
 public:
  // Answers are taken in order: "yes", "no", "ok", "cancel"... or a button's caption (UTF-8 or
  // Windows-1250 alike, case-insensitive). A box with no answer left takes its default button,
  // unless `strict`, when the box fails the run: a test never hangs and never guesses.
  explicit HeadlessBackend(std::vector<std::string> answers = {}, bool strict = false);

  unsigned message(const MessageBox& box) override;
  void error_window(const ErrorWindowRecord& error) override;

  const std::vector<BoxRecord>& boxes() const { return boxes_; }
  const std::vector<ErrorWindowRecord>& error_windows() const { return errors_; }
  void add_answer(std::string answer) { answers_.push_back(std::move(answer)); }
  void clear_records() {
    boxes_.clear();
    errors_.clear();
  }

 private:
  unsigned answer_for(const MessageBox& box, const std::string& answer) const;

  std::deque<std::string> answers_;
  bool strict_;
  std::vector<BoxRecord> boxes_;
  std::vector<ErrorWindowRecord> errors_;
};

// Thrown (inside the library only, never across the C ABI) when a strict script runs dry or
// gives an answer the box cannot take.
struct ScriptError {
  std::string message;
};

}  // namespace orv::ui
