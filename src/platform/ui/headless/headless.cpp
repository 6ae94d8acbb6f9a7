// Scripted answers to message boxes, with a record of everything shown.
#include "platform/ui/headless/headless.hpp"

#include "platform/text/text.hpp"

namespace orv::ui {
namespace {

unsigned named_button(const std::string& word) {
  static const std::pair<const char*, unsigned> kWords[] = {
      {"yes", kYes},     {"tak", kYes},      {"no", kNo},         {"nie", kNo},
      {"ok", kOk},       {"cancel", kCancel}, {"anuluj", kCancel}, {"abort", kAbort},
      {"retry", kRetry}, {"ignore", kIgnore}, {"help", kHelp}};
  for (const auto& [name, button] : kWords) {
    if (word == name) return button;
  }
  return 0;
}

}  // namespace

HeadlessBackend::HeadlessBackend(std::vector<std::string> answers, bool strict)
    : answers_(answers.begin(), answers.end()), strict_(strict) {}

unsigned HeadlessBackend::answer_for(const MessageBox& box, const std::string& answer) const {
  // Answers may come from a UTF-8 command line or from Windows-1250 code alike.
  std::string cp = text::lower(text::from_utf8(answer));
  unsigned b = named_button(cp);
  if (b != 0 && (box.buttons & b)) return b;
  for (unsigned bit = 1; bit <= kHelp; bit <<= 1) {
    if ((box.buttons & bit) && text::lower(button_caption(bit, box)) == cp) return bit;
  }
  // "no" to a box without No, e.g. an information box, is just its closing.
  if (b != 0 && !strict_) return box.default_button;
  throw ScriptError{"the answer \"" + answer + "\" does not fit the box \"" +
                    text::to_utf8(box.title) + "\""};
}

unsigned HeadlessBackend::message(const MessageBox& box) {
  unsigned answer = box.default_button;
  // Only boxes that ask something consume an answer; an OK box closes by itself.
  bool asks = (box.buttons & ~static_cast<unsigned>(kOk)) != 0;
  if (asks && !answers_.empty()) {
    std::string next = std::move(answers_.front());
    answers_.pop_front();
    answer = answer_for(box, next);
  } else if (asks && strict_) {
    throw ScriptError{"the script has no answer for the box \"" + text::to_utf8(box.title) +
                      "\": " + text::to_utf8(box.text)};
  }
  boxes_.push_back({box, answer});
  return answer;
}

void HeadlessBackend::error_window(const ErrorWindowRecord& error) { errors_.push_back(error); }

}  // namespace orv::ui
