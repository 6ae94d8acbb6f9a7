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
int cmd_blob(const Words& words);
int cmd_check(const Words& words);

// Exit statuses.
constexpr int kExitOk = 0;        // the command ran (a procedure, whatever its own outcome)
constexpr int kExitFailed = 1;    // its ui script failed, its statement failed, init failed
constexpr int kExitUsage = 2;     // the call itself was wrong: usage, unknown name, bad argument,
                                  // a database or sign-in that cannot be used
constexpr int kExitInternal = 3;  // the CLI itself failed (a fault to report)

int usage_error(const std::string& message);

}  // namespace orv::cli
