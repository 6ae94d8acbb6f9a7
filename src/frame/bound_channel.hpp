// A channel bound to the thread that last opened it, with the retry rules of its queries.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sql/scratch_table.hpp"

namespace orv::frame {

// The scalar channel (VAXFSQL) and the marked-record channel (VAXZAZ) share one algorithm: the
// table is reopened when another thread calls than the one bound (one module-wide value), and a
// failed send is retried: ten times in all for "HSTM" and code 37 (the latter reopening the
// table each time), once after a reopening for any other error, then the error window.
class BoundChannel {
 public:
  // `quiet_keeps_binding`: a quiet failure stops before the binding is forgotten (the scalar
  // channel) rather than after (the marked-record channel).
  BoundChannel(std::string table, sql::RecordLayout layout, bool quiet_keeps_binding);

  // Sends `statement` by the rules above. With `fetch`, returns field 1 of the first row (empty
  // when there is none, which also forgets the binding); without, returns empty.
  std::string run(std::string_view statement, bool quiet, bool fetch);

  // The calling thread's instance of the table.
  sql::ScratchTable& table() { return tables_.mine(); }
  sql::ThreadedScratchTable& tables() { return tables_; }
  int32_t bound() const { return bound_.load(); }
  void reset();

 private:
  // What to do after a failed send; false = stop.
  bool retry_after(int code, int32_t thread, bool quiet, int& attempts, bool& reopened);

  sql::ThreadedScratchTable tables_;
  const bool quiet_keeps_binding_;
  std::atomic<int32_t> bound_{0};
};

// GLO:TABLEOPENTIME := the time of day now. Threads send at once; the global stays a plain
// LONG of the shared context, written and read here atomically.
void stamp_table_open_time();
int32_t table_open_time();

// The runtime's driver messages are tested for "HSTM" after upper-casing.
bool busy_with_other_results(std::string_view message);

}  // namespace orv::frame
