// Group change of the minimum, maximum and reservation levels of the marked articles.
#pragma once

#include <cstdint>

#include "platform/dict/group.hpp"

namespace orv::dialogs {

// The record the window edits, its fields also the tags of the saved settings.
dict::Group stock_levels_record();

// STANYMINMAXREZGRUPOWAZMIANA: the window over the settings saved last time; "Zatwierdź" saves
// them, checks the user's right in every warehouse of the marked articles (a list that cannot
// be read counts as no right) and hands the change to the server in the progress window.
void STANYMINMAXREZGRUPOWAZMIANA(int32_t usage);

}  // namespace orv::dialogs
