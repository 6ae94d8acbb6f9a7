// The standard message boxes, the SQL error window and the stop box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::frame {

// 2 for Yes, 4 for No; No is the default. A title that is blank or left out gives
// "ORVEX: Pytanie".
uint8_t MSG_PYTANIE(std::string_view text, std::optional<std::string_view> title = std::nullopt);
void MSG_INFORMACJA(std::string_view text);
void MSG_OSTRZEZENIE(std::string_view text);
void WALIDACJA(std::string_view text);
// The SQL error window: title = the driver's message, body = the statement.
void ERRORWIN(std::string_view statement, std::string_view message);

// The runtime's stop box: the message, Abort ends the program (through the halt handler),
// Ignore, the default, goes on.
void STOP(std::string_view message);

// The program's end after a stop box's Abort; hosts and tests may replace it (nullptr restores
// the default, which exits the process with status 1).
using HaltHandler = void (*)();
HaltHandler set_halt_handler(HaltHandler handler);

}  // namespace orv::frame
