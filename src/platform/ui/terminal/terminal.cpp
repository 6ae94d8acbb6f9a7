// Message boxes in a terminal: the box as text, the answer as a typed line.
#include "platform/ui/terminal/terminal.hpp"

#include <string>

#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

std::string read_line(std::FILE* in) {
  std::string line;
  for (int c = std::fgetc(in); c != EOF && c != '\n'; c = std::fgetc(in)) line += static_cast<char>(c);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  return line;
}

}  // namespace

unsigned TerminalBackend::message(const MessageBox& box) {
  std::fprintf(out_, "\n== %s ==\n", text::to_utf8(box.title).c_str());
  for (const auto& line : message_lines(box.text)) {
    std::fprintf(out_, "  %s\n", text::to_utf8(line).c_str());
  }
  std::vector<unsigned> offered;
  for (unsigned bit = 1; bit <= kHelp; bit <<= 1) {
    if (box.buttons & bit) offered.push_back(bit);
  }
  for (;;) {
    std::fprintf(out_, " ");
    for (std::size_t i = 0; i < offered.size(); ++i) {
      std::string caption = text::to_utf8(button_caption(offered[i], box));
      bool def = offered[i] == box.default_button;
      std::fprintf(out_, " %zu) %s%s", i + 1, caption.c_str(), def ? " [Enter]" : "");
    }
    std::fprintf(out_, "\n> ");
    std::fflush(out_);
    if (std::feof(in_)) return box.default_button;
    std::string answer = text::lower(text::from_utf8(read_line(in_)));
    if (answer.empty()) return box.default_button;
    for (std::size_t i = 0; i < offered.size(); ++i) {
      std::string caption = text::lower(button_caption(offered[i], box));
      if (answer == std::to_string(i + 1) || answer == caption || answer == caption.substr(0, 1)) {
        return offered[i];
      }
    }
  }
}

void TerminalBackend::error_window(const ErrorWindowRecord& error) {
  std::fprintf(out_, "\n== %s ==\n%s\n", text::to_utf8(error.message).c_str(),
               text::to_utf8(error.statement).c_str());
  std::fflush(out_);
}

}  // namespace orv::ui
