// The SQL script window: shows a script, copies it, runs it batch by batch.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::frame {

// Modal; position and size kept under "PokazSQLWin". "Wykonaj SQL" runs on the main channel
// every batch that a line "go" ends (CR LF "go" CR LF), backquotes turned into apostrophes, and
// stops at the first failure; text after the last separator is not run.
void POKAZSQLWIN(std::string_view script, std::string_view title = {});

inline constexpr std::size_t kMaxScript = 199999;

// Runs the script's batches; false (after the warning) at the first failing batch. The batches
// before it stay done.
bool run_script_batches(std::string_view script);

}  // namespace orv::frame
