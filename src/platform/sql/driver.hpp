// The SQL driver seam: what a channel's scratch table needs of a database connection.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/sql/blob.hpp"

namespace orv::sql {

// The runtime's error codes as channels see them.
enum Code : int {
  kOk = 0,
  kNotOpen = 37,     // the scratch table is not open
  kRejected47 = 47,  // statement rejected (file access)
  kRejected = 90,    // statement rejected by the driver; message holds the driver's text
  kOther = 1,        // anything else (connection lost, out of memory...)
};

// One connection, used by one scratch table on one thread at a time. Texts crossing this seam
// are Windows-1250; the backend converts to what its database keeps.
class Connection {
 public:
  virtual ~Connection() = default;
  // Sends one statement text (a T-SQL batch). Returns kOk or an error code; on success the
  // rows of its first result set, if any, are read with next().
  virtual int send(std::string_view statement) = 0;
  // The driver's message for the last failed send, empty after a success.
  virtual std::string message() const = 0;
  // Advances to the next row of the pending result; false when there is none (or no result).
  virtual bool next() = 0;
  virtual std::size_t columns() const = 0;
  // Column k (0-based) of the current row as text: numbers in plain form, decimals with their
  // declared places, ids as whole numbers, NULL as the empty text.
  virtual std::string column(std::size_t k) const = 0;
  // Column k of the current row is SQL NULL (column() gives it as the empty text).
  virtual bool null(std::size_t k) const {
    (void)k;
    return false;
  }
  // Moves to the batch's next result set (a batch of several SELECTs has one each), whose rows
  // next() then reads; false when there is none.
  virtual bool next_result() { return false; }
  // Drops the pending result, as closing and reopening the scratch table would.
  virtual void clear() = 0;
  // The value that the last statement stored in a bound variable ("&RetCode = call X(...)" stores
  // the procedure's return code in RetCode). Name without '&', compared case-insensitively;
  // nullopt when the last statement set no such variable.
  virtual std::optional<std::string> variable(std::string_view name) const {
    (void)name;
    return std::nullopt;
  }
  // Reads one binary cell whole into `out` (out.null for SQL NULL). kOk, or kRejected with
  // message() saying why (no such row, a name that is not plain); drops any pending result.
  virtual int read_blob(const BlobCell& cell, Blob& out);
  // Stores `bytes` (none = a value of no bytes, never NULL) in one binary cell, all or nothing.
  // kOk, or an error code as read_blob; a row that does not exist is kRejected.
  virtual int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes);
  // Inserts every row in one transaction, all or nothing, each value bound. kOk, or the code of
  // the failure with message() saying why. This fallback (for test doubles) sends one INSERT per
  // row with texts escaped and numbers plain, and stops at the first failure.
  virtual int insert_rows(const BoundRows& rows);
};

// Passes everything to a wrapped connection; decorators override what they watch or change.
class ForwardingConnection : public Connection {
 public:
  explicit ForwardingConnection(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}
  int send(std::string_view statement) override { return inner_->send(statement); }
  std::string message() const override { return inner_->message(); }
  bool next() override { return inner_->next(); }
  std::size_t columns() const override { return inner_->columns(); }
  std::string column(std::size_t k) const override { return inner_->column(k); }
  bool null(std::size_t k) const override { return inner_->null(k); }
  bool next_result() override { return inner_->next_result(); }
  void clear() override { inner_->clear(); }
  std::optional<std::string> variable(std::string_view name) const override {
    return inner_->variable(name);
  }
  int read_blob(const BlobCell& cell, Blob& out) override { return inner_->read_blob(cell, out); }
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override {
    return inner_->write_blob(cell, bytes);
  }
  int insert_rows(const BoundRows& rows) override { return inner_->insert_rows(rows); }

 protected:
  std::unique_ptr<Connection> inner_;
};

// Opens connections to one database. Thread-safe: every channel and thread opens its own.
class Driver {
 public:
  virtual ~Driver() = default;
  // A new connection, or nullptr with `error` set to the driver's message.
  virtual std::unique_ptr<Connection> connect(std::string& error) = 0;
  // A one-line description for messages and logs ("sqlite:/path/orvrun.db").
  virtual std::string describe() const = 0;
};

// The process-wide driver every channel connects through (not owned; nullptr = none set, and
// every open fails with a clear message).
Driver* current_driver();
Driver* set_current_driver(Driver* driver);

}  // namespace orv::sql
