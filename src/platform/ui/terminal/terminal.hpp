// The terminal backend: boxes drawn as UTF-8 text, answers read from a line of input.
#pragma once

#include <cstdio>

#include "platform/ui/ui.hpp"

namespace orv::ui {

class TerminalBackend : public Backend {
 public:
  TerminalBackend(std::FILE* in = stdin, std::FILE* out = stderr) : in_(in), out_(out) {}
  unsigned message(const MessageBox& box) override;
  void error_window(const ErrorWindowRecord& error) override;

 private:
  std::FILE* in_;
  std::FILE* out_;
};

}  // namespace orv::ui
