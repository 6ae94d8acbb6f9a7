// Group operations on the photos of marked articles or contractors, and their popup entries.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/popup.hpp"

namespace orv::attachments {

// The "Zdjęcia" sub-menu after a separator; `prefix` goes in front of every entry name.
void POPUPADDZDJECIA(std::string_view prefix, ui::PopupMenu& popup);

// UsunZdjeciaZaz, ZmniejszZdjeciaZaz, UwspolnijZdjeciaZaz, ZapiszZdjeciaZaz, ImportujZdjeciaZaz
// on the set marked with `usage` (the entry name may carry the popup's prefix). The marked set
// is read with the photo table's own key: contractors by their ids, articles by their indexes.
void ZDJECIAOPERACJEGRUPOWE(std::string_view operation, std::string_view photo_table,
                            int32_t usage);

}  // namespace orv::attachments
