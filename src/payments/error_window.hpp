// BLEDY_EXPORTU_MC: the transfers the last export left out, in a list window.
#pragma once

#include "platform/ui/window.hpp"

namespace orv::payments {

// Shows the module's error list (field, transfer's name, date) until the user closes it.
void BLEDY_EXPORTU_MC();

// The window as designed, before the list is filled.
ui::Window error_window();

}  // namespace orv::payments
