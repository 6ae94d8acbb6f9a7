// The CLI's commands; each takes the words after its name and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace orv::cli {

using Words = std::vector<std::string>;

int cmd_call(const Words& words);
int cmd_sql(const Words& words);
int cmd_windows(const Words& words);
int cmd_init(const Words& words);

// Exit status for a call that could not be made at all (usage, unknown name, bad argument).
constexpr int kUsageError = 2;
int usage_error(const std::string& message);

}  // namespace orv::cli
