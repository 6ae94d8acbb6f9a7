// Scratch tables: a record of text fields that carries SQL text to the server and rows back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/driver.hpp"

namespace orv::sql {

// The calling thread's number: small, positive, fixed for the thread's life and never reused
// while the process runs. Channels bound to a thread compare these.
int32_t thread_key();

// Field sizes of a scratch record, in characters (a field of n characters is a buffer of n + 1).
struct RecordLayout {
  std::size_t first_field = 1000;
  std::size_t other_fields = 1000;
};

// One scratch table as the runtime keeps it: opened and closed, its SQL text set to send a
// statement, rows read one by one into its record. Every operation is locked, so threads sharing
// a table (as the host's threads share the module-wide channels) interleave but never corrupt it.
//
// The table keeps its database connection across close/open: closing drops the pending rows and
// the next open reuses the connection. `reopen()` (the retry paths after a failure) and
// `discard()` drop the connection itself, so the following open connects anew. A table made with
// `keep_connection` false disconnects on every close.
class ScratchTable {
 public:
  ScratchTable(std::string name, RecordLayout layout, bool keep_connection = true);
  ~ScratchTable();
  ScratchTable(const ScratchTable&) = delete;
  ScratchTable& operator=(const ScratchTable&) = delete;

  const std::string& name() const { return name_; }

  // Opens the table on the current driver; an open table stays as it is. Returns 0, or 37 with
  // the driver's message when no connection could be made.
  int open();
  // Drops the pending rows; harmless when the table is not open.
  void close();
  // Closes, drops the connection and opens again on a new one.
  int reopen();
  // Closes and drops the connection.
  void discard();
  bool is_open() const;

  // Empties the record buffer.
  void clear();
  // Sets the statement (trailing blanks removed) as the SQL text and sends it. Returns 0 or the
  // error code: 37 when the table is not open, 90 for a statement the driver rejects or one that
  // holds a NUL character (which would cut the text short in every driver).
  int send(std::string_view statement);
  // One binary cell read whole into `out`, or written with `bytes`, on the table's connection
  // (pending rows are dropped). 0, or the error code with message() saying why: 37 when the
  // table is not open, 90 for a row that does not exist or a backend that keeps no binary values.
  int read_blob(const BlobCell& cell, Blob& out);
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes);
  // Rows inserted with their values bound, all or nothing; codes as above.
  int insert_rows(const BoundRows& rows);
  // Reads the next row into the record. At the end (or with no result) the record is cleared
  // and false is returned.
  bool next();
  // Moves to the next result set of the last statement (a batch of several SELECTs), whose rows
  // next() then reads; false when there is none. The channels read the first one only.
  bool next_result();

  // Field k of the record (1-based), cut to its size; empty beyond the row's columns.
  std::string field(std::size_t k) const;
  // Field k read as a number by the runtime's rule (platform/text/numbers.hpp): an empty (NULL),
  // unreadable or out-of-range field reads as 0.
  double real_field(std::size_t k) const;
  int32_t long_field(std::size_t k) const;
  uint8_t byte_field(std::size_t k) const;
  // Field k of the record was SQL NULL / was longer than its size and cut.
  bool null(std::size_t k) const;
  bool cut(std::size_t k) const;
  // Columns of the row in the record (0 when none was read).
  std::size_t fields() const;
  bool has_row() const;

  // The SQL text last set, as sent.
  std::string sql_text() const;
  // The last operation's error code (0 after a success) and the driver's message.
  int error() const;
  std::string message() const;
  // A variable the last statement stored ("&RetCode = call ..."); nullopt when none.
  std::optional<std::string> variable(std::string_view name) const;

  // What the table did since it was made or reset: logical opens and new connections.
  std::size_t opens() const;
  std::size_t connects() const;
  // Back to a new table: closed, no connection, counters zero.
  void reset();

 private:
  friend class ThreadedScratchTable;
  // Per-thread instances are not listed for reset_scratch_tables: their owner resets them.
  ScratchTable(std::string name, RecordLayout layout, bool keep_connection, bool listed);

  int open_locked();
  void close_locked();
  void fail(int code, std::string message);

  const std::string name_;
  const RecordLayout layout_;
  const bool keep_connection_;
  const bool listed_;
  mutable std::mutex mutex_;
  std::unique_ptr<Connection> connection_;
  Driver* driver_ = nullptr;  // the driver `connection_` came from
  bool open_ = false;
  std::vector<std::string> record_;
  std::vector<bool> nulls_;  // per field of the record: SQL NULL
  std::vector<bool> cuts_;   // per field of the record: cut to its size
  bool has_row_ = false;
  std::string sql_text_;
  int error_ = 0;
  std::string message_;
  std::string open_error_;  // why the last open failed; empty after a successful one
  std::size_t opens_ = 0;
  std::size_t connects_ = 0;
};

// A scratch table kept once per thread, as the runtime keeps a table declared per thread: each
// thread has its own record and connection. A thread's instance is dropped when the thread ends.
class ThreadedScratchTable {
 public:
  ThreadedScratchTable(std::string name, RecordLayout layout);
  ~ThreadedScratchTable();
  ThreadedScratchTable(const ThreadedScratchTable&) = delete;
  ThreadedScratchTable& operator=(const ThreadedScratchTable&) = delete;

  const std::string& name() const { return name_; }
  // The calling thread's instance, made on first use.
  ScratchTable& mine();
  // Every instance dropped (their connections closed).
  void reset();
  // Instances alive and their opens and connections in total (for tests and diagnostics).
  std::size_t instances() const;
  std::size_t opens() const;
  std::size_t connects() const;

  // Called when a thread ends.
  void forget(int32_t thread);

 private:
  const std::string name_;
  const RecordLayout layout_;
  mutable std::mutex mutex_;
  std::map<int32_t, std::unique_ptr<ScratchTable>> tables_;
  // Counts of instances already dropped, so the totals survive threads ending.
  std::size_t dropped_opens_ = 0;
  std::size_t dropped_connects_ = 0;
};

// Closes every scratch table and drops its connection (and every per-thread instance). A host
// calls it before it replaces or destroys the current driver; tests call it between cases.
void reset_scratch_tables();

}  // namespace orv::sql
