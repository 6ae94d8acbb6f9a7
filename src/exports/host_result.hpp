// The host interface's one way of answering a call that can fail: 1 or 0, and the reason.
#pragma once

#include <cstdint>
#include <string>

#include "table.hpp"

namespace orv::exports {

// 1 or 0 for a call that can fail, with its reason given to the host when it asked for it.
inline uint8_t succeeded(bool ok, const std::string& why, char** error) {
  if (error) *error = ok ? nullptr : give_text(why);
  return ok ? 1 : 0;
}

}  // namespace orv::exports
