// The recording and fault-injecting driver decorators.
#include "testing/driver_decorators.hpp"

namespace orv::sql {
namespace {

class RecordingConnection : public ForwardingConnection {
 public:
  RecordingConnection(std::unique_ptr<Connection> inner, RecordingDriver& log, std::size_t id)
      : ForwardingConnection(std::move(inner)), log_(log), id_(id) {}
  int send(std::string_view statement) override {
    log_.record(id_, statement);
    return inner_->send(statement);
  }
  // Binary values appear in the log as what they did, never as their bytes.
  int read_blob(const BlobCell& cell, Blob& out) override {
    log_.record(id_, blob_read_text(cell));
    return inner_->read_blob(cell, out);
  }
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override {
    log_.record(id_, blob_write_text(cell, bytes.size()));
    return inner_->write_blob(cell, bytes);
  }
  int insert_rows(const BoundRows& rows) override {
    log_.record(id_, rows_text(rows));
    return inner_->insert_rows(rows);
  }

 private:
  RecordingDriver& log_;
  std::size_t id_;
};

// A failed send leaves no result behind and its own message until the next send.
class FaultConnection : public ForwardingConnection {
 public:
  FaultConnection(std::unique_ptr<Connection> inner, FaultDriver& faults)
      : ForwardingConnection(std::move(inner)), faults_(faults) {}
  int send(std::string_view statement) override {
    Fault fault;
    if (faults_.take_fault(statement, fault)) {
      inner_->clear();
      failed_ = true;
      message_ = fault.message;
      return fault.code;
    }
    failed_ = false;
    return inner_->send(statement);
  }
  std::string message() const override { return failed_ ? message_ : inner_->message(); }
  bool next() override { return !failed_ && inner_->next(); }
  int read_blob(const BlobCell& cell, Blob& out) override {
    out = {};
    if (int code = take(blob_read_text(cell)); code != kOk) return code;
    return inner_->read_blob(cell, out);
  }
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override {
    if (int code = take(blob_write_text(cell, bytes.size())); code != kOk) return code;
    return inner_->write_blob(cell, bytes);
  }
  int insert_rows(const BoundRows& rows) override {
    if (int code = take(rows_text(rows)); code != kOk) return code;
    return inner_->insert_rows(rows);
  }
  bool next_result() override { return !failed_ && inner_->next_result(); }

 private:
  int take(std::string_view operation) {
    Fault fault;
    failed_ = faults_.take_fault(operation, fault);
    if (!failed_) return kOk;
    inner_->clear();
    message_ = fault.message;
    return fault.code;
  }

  FaultDriver& faults_;
  bool failed_ = false;
  std::string message_;
};

}  // namespace

std::string blob_read_text(const BlobCell& cell) {
  return "read blob " + cell.describe();
}

std::string rows_text(const BoundRows& rows) {
  return "insert rows " + rows.table + " (" + std::to_string(rows.rows.size()) + " rows)";
}

std::string blob_write_text(const BlobCell& cell, std::size_t size) {
  return "write blob " + cell.describe() + " (" + std::to_string(size) + " bytes)";
}

// ---------------------------------------------------------------------------------------------
// RecordingDriver

std::unique_ptr<Connection> RecordingDriver::connect(std::string& error) {
  auto inner = inner_.connect(error);
  if (!inner) return nullptr;
  std::lock_guard lock(mutex_);
  return std::make_unique<RecordingConnection>(std::move(inner), *this, ++connections_);
}

void RecordingDriver::record(std::size_t connection, std::string_view statement) {
  std::lock_guard lock(mutex_);
  entries_.push_back({connection, std::string(statement)});
}

std::vector<RecordingDriver::Entry> RecordingDriver::entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<std::string> RecordingDriver::statements() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& e : entries_) out.push_back(e.statement);
  return out;
}

std::vector<std::string> RecordingDriver::statements(std::size_t connection) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& e : entries_) {
    if (e.connection == connection) out.push_back(e.statement);
  }
  return out;
}

std::size_t RecordingDriver::connections() const {
  std::lock_guard lock(mutex_);
  return connections_;
}

void RecordingDriver::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

// ---------------------------------------------------------------------------------------------
// FaultDriver

std::unique_ptr<Connection> FaultDriver::connect(std::string& error) {
  {
    std::lock_guard lock(mutex_);
    ++connects_;
    if (failing_connects_ > 0) {
      --failing_connects_;
      error = connect_message_;
      return nullptr;
    }
  }
  auto inner = inner_.connect(error);
  if (!inner) return nullptr;
  return std::make_unique<FaultConnection>(std::move(inner), *this);
}

void FaultDriver::fail_next(int count, Fault fault) {
  std::lock_guard lock(mutex_);
  rules_.push_back({{}, std::move(fault), count});
}

void FaultDriver::fail_matching(std::string fragment, Fault fault, int count) {
  std::lock_guard lock(mutex_);
  rules_.push_back({std::move(fragment), std::move(fault), count});
}

void FaultDriver::fail_connects(int count, std::string message) {
  std::lock_guard lock(mutex_);
  failing_connects_ = count;
  connect_message_ = std::move(message);
}

void FaultDriver::heal() {
  std::lock_guard lock(mutex_);
  rules_.clear();
  failing_connects_ = 0;
}

bool FaultDriver::take_fault(std::string_view statement, Fault& fault) {
  std::lock_guard lock(mutex_);
  ++sends_;
  for (auto& rule : rules_) {
    if (rule.remaining == 0) continue;
    if (!rule.fragment.empty() && statement.find(rule.fragment) == std::string_view::npos) continue;
    if (rule.remaining > 0) --rule.remaining;
    fault = rule.fault;
    ++failed_;
    return true;
  }
  return false;
}

std::size_t FaultDriver::sends() const {
  std::lock_guard lock(mutex_);
  return sends_;
}

std::size_t FaultDriver::failed_sends() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

std::size_t FaultDriver::connects() const {
  std::lock_guard lock(mutex_);
  return connects_;
}

void FaultDriver::reset_counts() {
  std::lock_guard lock(mutex_);
  sends_ = failed_ = connects_ = 0;
}

}  // namespace orv::sql
