// LOG_WYKONANIA: the rows server-side operations left in the execution log for the current user
// and one context.
#pragma once

#include <string_view>

namespace orv::lists {

void LOG_WYKONANIA(std::string_view context);

}  // namespace orv::lists
