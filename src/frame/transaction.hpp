// Several statements on the main channel as one change: all of them land, or none does; and the
// id of a row just inserted there.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orv::frame {

// Opens a transaction on the main channel, runs `change` (which sends its statements on the main
// channel and returns false at its first failure), then commits; a failed change or commit is
// rolled back. True when committed. A failing statement shows its error window as ESQL does.
bool in_transaction(const std::function<bool()>& change);

// Runs `insert` with " select scope_identity()" after it, in one batch on the main channel, so
// the id read back is the row this insert made; blank when the insert failed (its error window
// shown as ESQL shows it).
std::string inserted_id(std::string_view insert);

}  // namespace orv::frame
