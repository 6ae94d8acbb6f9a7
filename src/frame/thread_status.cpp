// The thread-status table under the runtime's mutex.
#include "frame/thread_status.hpp"

#include "platform/text/text.hpp"
#include "platform/threads/thread_registry.hpp"

namespace orv::frame {
namespace {

// OwnedLock::unlock returns a flag, so it is no BasicLockable for std::lock_guard.
class Hold {
 public:
  explicit Hold(threads::Mutex& m) : m_(m) { m_.lock(); }
  ~Hold() { m_.unlock(); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  threads::Mutex& m_;
};

}  // namespace

ThreadStatusRow ThreadStatusTable::get(int32_t thread) const {
  if (thread == 0) thread = threads::current();
  Hold hold(mutex_);
  auto it = rows_.find(thread);
  if (it == rows_.end()) return ThreadStatusRow{thread, WorkerStatus::Missing, {}};
  return it->second;
}

void ThreadStatusTable::put(ThreadStatusRow row) {
  row.ERRMSG = text::fit(row.ERRMSG, kErrmsgCapacity);
  Hold hold(mutex_);
  rows_[row.WATEK] = std::move(row);
}

void ThreadStatusTable::remove(int32_t thread) {
  Hold hold(mutex_);
  rows_.erase(thread);
}

int32_t ThreadStatusTable::start(std::function<void()> worker) {
  Hold hold(mutex_);
  int32_t number = threads::start(std::move(worker));
  if (number != 0) rows_[number] = ThreadStatusRow{number, WorkerStatus::Running, {}};
  return number;
}

std::size_t ThreadStatusTable::size() const {
  Hold hold(mutex_);
  return rows_.size();
}

void ThreadStatusTable::clear() {
  Hold hold(mutex_);
  rows_.clear();
}

ThreadStatusTable& thread_statuses() {
  static ThreadStatusTable table;
  return table;
}

}  // namespace orv::frame
