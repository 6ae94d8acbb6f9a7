// Marking a whole list and inverting its marks on the server, from the list's own statement.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::selection {

// What the two operations return when a step failed. The marks are then as they were before
// the call (each step is checked and the finished ones undone), and the failure was shown.
inline constexpr int32_t kMarkingFailed = -1;

// Usage codes from here up are reserved: a set is parked under kParkedOffset + its own code
// while its marks are being replaced.
inline constexpr int32_t kParkedOffset = 25000;

// Marks every record the list statement selects in the set `usage` (marks outside the list
// stay) and returns the size of the set afterwards. `id_column` is the record identifier's
// expression in the statement's select list. A statement without "FROM" changes nothing. A
// statement too long for the progress window is refused with a warning before anything runs.
int32_t ZAZNACZALLSQL(int32_t usage, std::string_view statement, std::string_view id_column);

// Within the list, marked records become unmarked and unmarked ones marked; marks outside the
// list stay. Returns the size of the set afterwards, as ZAZNACZALLSQL does.
int32_t INWERSJASQL(int32_t usage, std::string_view statement, std::string_view id_column);

}  // namespace orv::selection
