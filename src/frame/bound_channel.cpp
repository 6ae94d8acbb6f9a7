// The thread-bound channel algorithm shared by the scalar and marked-record channels.
#include "frame/bound_channel.hpp"

#include "frame/messages.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::frame {
namespace {

constexpr int kMaxAttempts = 10;

// "Problem z połączeniem  - błąd otwarcia tabeli <T> do odczytu!" (two blanks before the dash).
std::string connection_problem(const std::string& table) {
  return "Problem z połączeniem  - błąd otwarcia tabeli "_w1250 + table + " do odczytu!";
}

}  // namespace

void stamp_table_open_time() {
  std::atomic_ref<int32_t>(dict::glo().TABLEOPENTIME)
      .store(date::clock(), std::memory_order_relaxed);
}

int32_t table_open_time() {
  return std::atomic_ref<int32_t>(dict::glo().TABLEOPENTIME).load(std::memory_order_relaxed);
}

bool busy_with_other_results(std::string_view message) {
  return text::upper(message).find("HSTM") != std::string::npos;
}

BoundChannel::BoundChannel(std::string table, sql::RecordLayout layout, bool quiet_keeps_binding)
    : tables_(std::move(table), layout), quiet_keeps_binding_(quiet_keeps_binding) {}

void BoundChannel::reset() {
  tables_.reset();
  bound_ = 0;
}

std::string BoundChannel::run(std::string_view statement, bool quiet, bool fetch) {
  stamp_table_open_time();
  const int32_t thread = sql::thread_key();
  sql::ScratchTable& table = tables_.mine();
  if (bound_.load() != thread) {
    table.close();
    table.open();
    bound_ = thread;
  }
  table.clear();
  int attempts = 0;
  bool reopened = false;
  for (;;) {
    int code = table.send(statement);
    if (code == sql::kOk) break;
    if (!retry_after(code, thread, quiet, attempts, reopened)) return {};
  }
  if (!fetch) return {};
  if (!table.next()) {
    bound_ = 0;
    return {};
  }
  return table.field(1);
}

bool BoundChannel::retry_after(int code, int32_t thread, bool quiet, int& attempts,
                               bool& reopened) {
  sql::ScratchTable& table = tables_.mine();
  if (quiet && quiet_keeps_binding_) return false;
  bound_ = 0;
  if (quiet) return false;
  if (busy_with_other_results(table.message())) return ++attempts < kMaxAttempts;
  if (code == sql::kNotOpen) {
    if (attempts < kMaxAttempts) {
      table.reopen();
      bound_ = thread;
      ++attempts;
      return true;
    }
    ERRORWIN(table.sql_text(), connection_problem(tables_.name()));
    return false;
  }
  if (!reopened) {
    reopened = true;
    table.reopen();
    return true;
  }
  ERRORWIN(table.sql_text(), table.message());
  return false;
}

}  // namespace orv::frame
