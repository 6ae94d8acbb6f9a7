// The headless backend: the script engine with no person behind it.
#include "platform/ui/headless/headless.hpp"

namespace orv::ui {

HeadlessBackend::HeadlessBackend(std::vector<std::string> answers, bool strict,
                                 std::string_view script)
    : ScriptedBackend(strict) {
  for (auto& a : answers) add_answer(std::move(a));
  if (!script.empty()) add_script(script);
}

}  // namespace orv::ui
