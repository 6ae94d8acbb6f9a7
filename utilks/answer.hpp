// The library's answers: texts it owns until the next call of the same function on the thread.
#pragma once

#include <string>
#include <string_view>

namespace torix {

// Keeps `text` in the slot of the calling function and hands out its C text. Each function has
// its own slot (`Slot` is a distinct tag type per function), so answers of different functions
// stay valid side by side.
template <class Slot>
const char* answer(std::string text) {
  thread_local std::string kept;
  kept = std::move(text);
  return kept.c_str();
}

// The answers every rate function shares with the module.
inline constexpr std::string_view kFailed = "01";
inline constexpr std::string_view kNoTable = "02";

}  // namespace torix
