// Keeps script failures of a window's run from crossing the C ABI.
#pragma once

#include <type_traits>
#include <utility>

#include "platform/ui/ui.hpp"

namespace orv::exports {

// Runs `f`; a ScriptError (a script that cannot go on) is handed to the backend as the run's
// failure and the procedure returns `fallback`, its result for a window closed without a choice.
template <class F, class R = std::invoke_result_t<F>>
R ui_guard(F&& f, R fallback = R()) {
  try {
    return std::forward<F>(f)();
  } catch (const ui::ScriptError& e) {
    ui::backend().failed(e.message);
    return fallback;
  }
}

template <class F>
requires std::is_void_v<std::invoke_result_t<F>>
void ui_guard(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (const ui::ScriptError& e) {
    ui::backend().failed(e.message);
  }
}

}  // namespace orv::exports
