// Group operations on a list's marked documents or articles: locking and the posting mark.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::selection {

// Runs one operation ("1111_000_BLOKDOK", "1111_000_ODBLOKART", "1111_000_DO_KSIEGOW" ...) on
// the marked set `usage` of the list kind ("DOKMAG_BRW" ...), or on the current record when
// nothing is marked. Locking asks for the permission and a confirmation; every outcome is told
// in a box with the number of records actually changed. An unknown list kind or operation is
// refused with a warning and nothing is sent.
void WYKONAJOPERACJE(std::string_view list_kind, std::string_view operation, int32_t usage,
                     double current_id);

// The ending for a count: `one` for 1, `few` for exactly 2, 3 or 4, `many` for any other count
// (0, 5 and more, 12 and 22 included).
std::string_view plural(int64_t count, std::string_view one, std::string_view few,
                        std::string_view many);

}  // namespace orv::selection
