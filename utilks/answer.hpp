// The library's answers: texts it owns until the next call of the same function on the thread.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace orv::torix {

// Keeps `text` in the slot of the calling function and thread and hands out its C text. Each
// function has its own slot (`Slot` is a distinct tag type per function), so answers of different
// functions stay valid side by side. Not thread_local: the C library keeps a library whose thread
// objects have destructors loaded until the thread ends, and the module unloads it after every
// operation.
template <class Slot>
const char* answer(std::string text) {
  static std::mutex mutex;
  static std::map<std::thread::id, std::string> kept;
  std::lock_guard lock(mutex);
  std::string& mine = kept[std::this_thread::get_id()];
  mine = std::move(text);
  return mine.c_str();
}

// The answers every rate function shares with the module.
inline constexpr std::string_view kFailed = "01";
inline constexpr std::string_view kNoTable = "02";

}  // namespace orv::torix
