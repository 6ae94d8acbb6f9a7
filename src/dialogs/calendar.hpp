// The date picker that every date field opens: a month as a Monday-first grid of days.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv::dialogs {

// One week row of the grid: seven day cells, 0 = empty.
using Week = std::array<uint8_t, 7>;

// 1 = Monday .. 7 = Sunday (day number mod 7, 0 mapped to 7).
int monday_first_weekday(int32_t day);

// The grid of the month holding `shown`, its 1 in column `first_column` (1..7): six week rows,
// the sixth removed when it is empty, so five or six remain.
std::vector<Week> month_grid(int32_t shown, int first_column);

// KALENDARZ_OLD's weekday of `day` as the server numbers it ("datepart(dw, ...)" on the main
// channel). A server that gives no number from 1 to 7 leaves the grid to the day number's own
// weekday, so the month still shows.
int server_weekday(int32_t day);

// The window opens with its top-left corner at (x, y) on `date` (today when 0) and returns the
// chosen date; cancelling returns `date` as passed. A `date` that is no day (negative, or past
// 31 December 9999) shows today's month.
int32_t KALENDARZ(int32_t x, int32_t y, int32_t date);
// The older window: "Wybierz" (F10) and "Anuluj" (Esc), the weekdays from the server.
int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date);

}  // namespace orv::dialogs
