// An in-memory driver with scripted answers, for tests and benches that need no database.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sql/driver.hpp"

namespace orv::sql {

// What a statement gets: a code (0 = success), the message of a failure, rows of text columns,
// and the variables the statement stores ("RetCode" for "&RetCode = call ...").
struct FakeAnswer {
  int code = kOk;
  std::string message;
  std::vector<std::vector<std::string>> rows;
  std::map<std::string, std::string> variables;

  static FakeAnswer value(std::string v) { return {kOk, {}, {{std::move(v)}}, {}}; }
  static FakeAnswer error(int code, std::string message) {
    return {code, std::move(message), {}, {}};
  }
};

// Answers each statement from the first rule that fits it; a statement no rule fits succeeds
// without rows. Thread-safe; connections are independent.
class FakeDriver : public Driver {
 public:
  using Responder = std::function<std::optional<FakeAnswer>(std::string_view statement)>;

  // Statements equal to `statement`, or starting with it when it ends in '*', get `answer`.
  void answer(std::string statement, FakeAnswer answer);
  // Asked before the fixed rules; nullopt passes the statement on to them.
  void respond(Responder responder);
  void forget_answers();

  std::unique_ptr<Connection> connect(std::string& error) override;
  std::string describe() const override { return "fake"; }

  // Connections alive now (made and not yet destroyed).
  int live_connections() const { return live_.load(); }

  FakeAnswer answer_for(std::string_view statement) const;

  // Binary cells the connections wrote, by BlobCell::describe(); a read of a cell never
  // written is refused as a missing row.
  void put_blob(const BlobCell& cell, Blob value);
  std::optional<Blob> blob(const BlobCell& cell) const;
  std::atomic<int>& live_counter() { return live_; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, FakeAnswer>> rules_;
  Responder responder_;
  std::map<std::string, Blob> blobs_;
  std::atomic<int> live_{0};
};

}  // namespace orv::sql
