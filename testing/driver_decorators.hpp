// Driver decorators for tests and benches: one records every statement, one injects failures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sql/driver.hpp"

namespace orv::sql {

// How a binary read or write shows in the recording log and what FaultDriver's fragments match:
// "read blob artykul_blob.zdjecie where id_bloba=5", "write blob ... (10485760 bytes)".
std::string blob_read_text(const BlobCell& cell);
std::string blob_write_text(const BlobCell& cell, std::size_t size);
// "insert rows artykul_imp (10000 rows)".
std::string rows_text(const BoundRows& rows);

// Wraps a driver and records every statement sent through any of its connections, in order.
// Thread-safe: connections on several threads append to one log.
class RecordingDriver : public Driver {
 public:
  struct Entry {
    std::size_t connection = 0;  // 1 for the first connection made, 2 for the next...
    std::string statement;       // as the connection received it (Windows-1250)
  };

  explicit RecordingDriver(Driver& inner) : inner_(inner) {}

  std::unique_ptr<Connection> connect(std::string& error) override;
  std::string describe() const override { return "recording:" + inner_.describe(); }

  std::vector<Entry> entries() const;
  std::vector<std::string> statements() const;
  std::vector<std::string> statements(std::size_t connection) const;
  std::size_t connections() const;
  void clear();

  // Called by the recording connections.
  void record(std::size_t connection, std::string_view statement);

 private:
  Driver& inner_;
  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  std::size_t connections_ = 0;
};

// A failure a FaultDriver gives a send instead of passing it on.
struct Fault {
  int code = kRejected;
  std::string message;

  // The runtime's "table not open".
  static Fault not_open() { return {kNotOpen, "table is not open"}; }
  // A statement the server rejects.
  static Fault rejected(std::string message = "statement rejected") {
    return {kRejected, std::move(message)};
  }
  // What SQL Server says (in lower case) when a second statement runs on a connection whose
  // results are still pending.
  static Fault hstm() {
    return {kRejected,
            "[Microsoft][ODBC SQL Server Driver]Connection is busy with results for "
            "another hstmt"};
  }
};

// Wraps a driver and makes chosen sends and connects fail. Counts every send (failed ones
// included) and every connect, so tests see how often a channel retried and reopened.
// Thread-safe.
class FaultDriver : public Driver {
 public:
  explicit FaultDriver(Driver& inner) : inner_(inner) {}

  std::unique_ptr<Connection> connect(std::string& error) override;
  std::string describe() const override { return "fault:" + inner_.describe(); }

  // The next `count` sends fail with `fault` (count < 0: every send from now on).
  void fail_next(int count, Fault fault);
  // Sends whose text contains `fragment` fail, `count` times (count < 0: always).
  void fail_matching(std::string fragment, Fault fault, int count = -1);
  // The next `count` connects fail with `message`.
  void fail_connects(int count, std::string message = "cannot connect");
  // No more failures; counters stay.
  void heal();

  std::size_t sends() const;
  std::size_t failed_sends() const;
  std::size_t connects() const;  // successful ones and refused ones
  void reset_counts();

  // Called by the wrapped connections: the fault for this send, if any (and counts the send).
  bool take_fault(std::string_view statement, Fault& fault);

 private:
  struct Rule {
    std::string fragment;  // empty: any statement
    Fault fault;
    int remaining;  // < 0: unlimited
  };

  Driver& inner_;
  mutable std::mutex mutex_;
  std::vector<Rule> rules_;
  int failing_connects_ = 0;
  std::string connect_message_;
  std::size_t sends_ = 0;
  std::size_t failed_ = 0;
  std::size_t connects_ = 0;
};

}  // namespace orv::sql
