// The progress window's worker: one statement on the main channel, reported in the status table.
#pragma once

#include <cstdint>
#include <string>

namespace orv::frame {

// Starts a worker thread for `statement` with its row (status 2) already in the thread-status
// table. The thread's number, or 0 when no thread could be started.
int32_t start_statement_worker(std::string statement);

// The worker's body, on the calling thread: closes and reopens the main channel's table, sends
// the statement and writes the outcome into the calling thread's row. Does nothing when the
// thread has no row.
void run_statement_worker(const std::string& statement);

}  // namespace orv::frame
