// The server's application log and watched procedures.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::frame {

// Writes one event to the server's log through the marked-record channel; apostrophes in the
// description become double quotes so the statement stays whole. Reports nothing.
void ZAPISZDOLOGU(double object_id, std::string_view kind, uint8_t event,
                  std::string_view description);

// Registers a procedure for watching by the current user on channel 2. A failure shows the
// driver's message in a stop box (STOP) whose Abort ends the program.
void ADDWATCH(std::string_view procedure);

}  // namespace orv::frame
