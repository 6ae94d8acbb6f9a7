// LISTAFILTROWAPLIKACJI_BRW and FILTRAPLIKACJI_UPD: the saved filters of a dialog context and the
// form of one filter with its assigned users.
#pragma once

#include <string_view>

#include "platform/dict/group.hpp"

namespace orv::selection {

// The list of the context's saved filters assigned to the current user; choosing one fills the
// caller's record from its shared state (and the additional-table conditions of FILTRTABELQUEUE).
void LISTAFILTROWAPLIKACJI_BRW(std::string_view context, dict::Group& record);

// The form of the filter in the record buffer ORV_DEFINICJA_FILTRA, for GLOBALREQUEST; saving
// stores the caller's record as the filter's shared state.
void FILTRAPLIKACJI_UPD(std::string_view context, dict::Group& record);

}  // namespace orv::selection
