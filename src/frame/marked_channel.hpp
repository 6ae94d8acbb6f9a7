// The marked-record channel: single marks and counts on their own thread-bound scratch table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/bound_channel.hpp"

namespace orv::frame {

// The channel over VAXZAZ, so that marking with the mouse never disturbs a result set pending
// on the main channel. It lives here, below the selection subsystem, because the execution log
// writes through it too.
BoundChannel& marked_channel();
// The calling thread's instance of VAXZAZ.
sql::ScratchTable& VAXZAZ();

// Runs a statement; a failure reaches the user only through the error window.
void marked_execute(std::string_view statement);
// Field 1 of the first row (at most 999 characters), or empty.
std::string marked_query(std::string_view statement, uint8_t quiet = 0);

}  // namespace orv::frame
