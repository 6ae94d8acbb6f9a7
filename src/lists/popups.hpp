// Popup-menu icons, the e-Documents item, the document state in the status bar, the mouse.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/popup.hpp"

namespace orv::lists {

// Icons on the items "Insert", "Change", "Delete" and "Select": variant 0 with the leading "[",
// 1 without; any other variant changes nothing.
void USTAW4IKONYBROWSERA(ui::PopupMenu& popup, uint8_t variant = 0);
// A separator "Sep60" at level 1 and the item "eDokumenty" with its icon.
void POPUPADDEDOKUMENTY(ui::PopupMenu& popup);

// The status text of a document (at most 49 characters), also put into zone 6 of the host
// frame's status bar.
std::string document_status(std::string_view base, double editing_user, uint8_t edited,
                            uint8_t posted, uint8_t locked, uint8_t marked);
void POKAZSTATUSDOK(std::string_view base, double editing_user, uint8_t edited, uint8_t posted,
                    uint8_t locked, std::optional<uint8_t> marked = std::nullopt);

// Moves the mouse pointer to the window's top-left corner plus the offsets. `window` is an open
// window's handle (0: the current window); an unknown window leaves the pointer where it is.
void USTAWMYSZ(int32_t window, int32_t dx, int32_t dy);

}  // namespace orv::lists
