// Several statements on the main channel as one change: all of them land, or none does.
#pragma once

#include <functional>

namespace orv::frame {

// Opens a transaction on the main channel, runs `change` (which sends its statements on the main
// channel and returns false at its first failure), then commits; a failed change or commit is
// rolled back. True when committed. A failing statement shows its error window as ESQL does.
bool in_transaction(const std::function<bool()>& change);

}  // namespace orv::frame
