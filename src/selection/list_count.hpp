// Counting the records behind a list from its own statement, with a step that grows with them.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::selection {

// The number of records the list statement selects, counted on the server over its FROM and
// filter without the page-positioning conditions; 0 without a "FROM" (nothing is sent) or when
// the count fails. `step`, when given, receives 10, 100, 1000 or 10000 as the count grows.
int32_t POLICZREKORDYBROWSERA(std::string_view statement, int32_t* step = nullptr);

// The step for a count: 10 up to 1000, 100 up to 10000, 1000 up to 100000, else 10000.
int32_t counting_step(int32_t count);

}  // namespace orv::selection
