// The scripted in-memory driver.
#include "testing/fake_driver.hpp"

#include "platform/text/text.hpp"

namespace orv::sql {
namespace {

class FakeConnection : public Connection {
 public:
  explicit FakeConnection(FakeDriver& driver) : driver_(driver) { ++driver_.live_counter(); }
  ~FakeConnection() override { --driver_.live_counter(); }

  int send(std::string_view statement) override {
    answer_ = driver_.answer_for(statement);
    message_.clear();
    row_ = -1;
    if (answer_.code != kOk) answer_.rows.clear();
    return answer_.code;
  }
  std::string message() const override {
    if (!message_.empty()) return message_;
    return answer_.code == kOk ? std::string() : answer_.message;
  }
  bool next() override {
    if (row_ + 1 >= static_cast<long>(answer_.rows.size())) {
      row_ = static_cast<long>(answer_.rows.size());
      return false;
    }
    ++row_;
    return true;
  }
  std::size_t columns() const override { return current() ? current()->size() : 0; }
  std::string column(std::size_t k) const override {
    const auto* row = current();
    return row && k < row->size() ? (*row)[k] : std::string();
  }
  void clear() override {
    answer_.rows.clear();
    row_ = -1;
  }
  int read_blob(const BlobCell& cell, Blob& out) override {
    auto found = driver_.blob(cell);
    out = found.value_or(Blob{});
    message_ = found ? std::string() : "no row of " + cell.describe();
    return found ? kOk : kRejected;
  }
  int write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) override {
    driver_.put_blob(cell, Blob{{bytes.begin(), bytes.end()}, false});
    message_.clear();
    return kOk;
  }
  std::optional<std::string> variable(std::string_view name) const override {
    for (const auto& [key, value] : answer_.variables) {
      if (text::equal_ci(key, name)) return value;
    }
    return std::nullopt;
  }

 private:
  const std::vector<std::string>* current() const {
    if (row_ < 0 || row_ >= static_cast<long>(answer_.rows.size())) return nullptr;
    return &answer_.rows[static_cast<std::size_t>(row_)];
  }

  FakeDriver& driver_;
  FakeAnswer answer_;
  long row_ = -1;
  std::string message_;  // of the last binary read or write
};

bool fits(std::string_view rule, std::string_view statement) {
  if (!rule.empty() && rule.back() == '*') {
    rule.remove_suffix(1);
    return statement.substr(0, rule.size()) == rule;
  }
  return statement == rule;
}

}  // namespace

void FakeDriver::answer(std::string statement, FakeAnswer answer) {
  std::lock_guard lock(mutex_);
  rules_.emplace_back(std::move(statement), std::move(answer));
}

void FakeDriver::respond(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

void FakeDriver::forget_answers() {
  std::lock_guard lock(mutex_);
  rules_.clear();
  responder_ = nullptr;
}

FakeAnswer FakeDriver::answer_for(std::string_view statement) const {
  std::lock_guard lock(mutex_);
  if (responder_) {
    if (auto a = responder_(statement)) return *a;
  }
  for (const auto& [rule, answer] : rules_) {
    if (fits(rule, statement)) return answer;
  }
  return {};
}

void FakeDriver::put_blob(const BlobCell& cell, Blob value) {
  std::lock_guard lock(mutex_);
  blobs_[cell.describe()] = std::move(value);
}

std::optional<Blob> FakeDriver::blob(const BlobCell& cell) const {
  std::lock_guard lock(mutex_);
  auto it = blobs_.find(cell.describe());
  if (it == blobs_.end()) return std::nullopt;
  return it->second;
}

std::unique_ptr<Connection> FakeDriver::connect(std::string&) {
  return std::make_unique<FakeConnection>(*this);
}

}  // namespace orv::sql
