// The worker thread of the progress window.
#include "frame/progress_worker.hpp"

#include "frame/bound_channel.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/thread_status.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/driver.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::frame {
namespace {

constexpr std::size_t kDriverMessageCapacity = 1001;

// A driver message that ends in a question lets the user decide whether the statement counts as
// done; a box that cannot be answered counts as No.
WorkerStatus ask(const std::string& question) {
  try {
    return MSG_PYTANIE(question) == 2 ? WorkerStatus::Succeeded : WorkerStatus::Failed;
  } catch (const ui::ScriptError&) {
    return WorkerStatus::Failed;
  }
}

// The outcome of the send. Every failure is reported as one: a connection that was busy
// ("HSTM") or a table that would not open must not read as a statement that ran, and a row left
// running would keep the window waiting with nothing left to wait for.
WorkerStatus outcome(int code, ThreadStatusRow& row) {
  if (code == sql::kOk) return WorkerStatus::Succeeded;
  std::string message = text::fit(VAX().message(), kDriverMessageCapacity);
  bool rejected = code == sql::kRejected || code == sql::kRejected47;
  if (rejected && busy_with_other_results(message)) {
    VAX().clear();
    VAX().close();
  } else if (rejected && message.find('?') != std::string::npos) {
    return ask(message);
  }
  row.ERRMSG = message.empty() ? "table VAX: error " + std::to_string(code) : message;
  return WorkerStatus::Failed;
}

}  // namespace

int32_t start_statement_worker(std::string statement) {
  return thread_statuses().start(
      [statement = std::move(statement)] { run_statement_worker(statement); });
}

void run_statement_worker(const std::string& statement) {
  dict::glo().VAXOPENED = 0;
  VAX().close();
  VAX().clear();
  ThreadStatusRow row = thread_statuses().get(0);
  if (row.STATUS == WorkerStatus::Missing) return;
  row.ERRMSG.clear();
  try {
    VAX().open();
    dict::glo().VAXOPENED = 1;
    row.STATUS = outcome(VAX().send(statement), row);
  } catch (...) {
    // Out of memory or a driver that threw: the window still learns that the statement failed.
    row.STATUS = WorkerStatus::Failed;
    row.ERRMSG = "the statement could not be run";
  }
  thread_statuses().put(std::move(row));
}

}  // namespace orv::frame
