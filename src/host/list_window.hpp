// A list window of the host's own, for procedures that act on one (the marked-count display).
#pragma once

#include <cstdint>
#include <string>

namespace orv::host {

// Opens a window "ListaHosta" titled `title` on the calling thread, with control 1 the list
// ("LISTA") and control 2 its marked-count box ("ZAZNACZONE"); its handle.
int32_t open_list_window(const std::string& title);
// Closes a window opened so: the backend records its final state. False for another handle.
bool close_list_window(int32_t handle);

}  // namespace orv::host
