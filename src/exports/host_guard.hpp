// Keeps the host interface's entry points from letting anything unwind into a C host.
#pragma once

#include <string>
#include <type_traits>

#include "table.hpp"

namespace orv::exports {

// Runs an entry point's body: whatever it throws becomes the fallback result.
template <class F, class R = std::invoke_result_t<F>>
  requires(!std::is_void_v<R>)
R guarded(F&& f, R fallback = R()) noexcept {
  try {
    return f();
  } catch (...) {
    return fallback;
  }
}

template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
void guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
  }
}

// 1 or 0 for a call that can fail, with its reason given to the host when it asked for it.
inline uint8_t outcome(bool ok, const std::string& why, char** error) {
  if (error) *error = ok ? nullptr : give_text(why);
  return ok ? 1 : 0;
}

}  // namespace orv::exports
