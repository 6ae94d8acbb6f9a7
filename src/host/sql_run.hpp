// One statement through a channel's own operations, its rows kept for a host to read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::host {

struct SqlOutcome {
  std::vector<std::vector<std::string>> rows;  // Windows-1250
  std::vector<std::vector<bool>> nulls;        // per field: SQL NULL (its text is empty)
  std::vector<std::size_t> sets;               // the first row of each result set after the first
  std::size_t cut = 0;                         // fields cut to the channel's field size
  int code = 0;                                // the channel's error code, 0 = none
  std::string message;
};

// Channels: "main", "2", "3", "crm" (result sets: every one of a batch, the channel's own first),
// "scalar", "marked" (column 1 of the first row). Quiet: nothing is shown. nullopt for an
// unknown channel.
std::optional<SqlOutcome> run_sql(std::string_view channel, std::string_view statement);

}  // namespace orv::host
