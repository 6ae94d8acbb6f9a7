// The progress window's thread-status table: one row per worker, every access under its mutex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/threads/locks.hpp"

namespace orv::frame {

enum class WorkerStatus : uint8_t { Failed = 0, Succeeded = 1, Running = 2, Missing = 255 };

struct ThreadStatusRow {
  int32_t WATEK = 0;  // the worker's thread number, the key
  WorkerStatus STATUS = WorkerStatus::Missing;
  std::string ERRMSG;  // at most 300 characters
};

// Module-wide, shared by the window's thread and its workers; each operation takes the mutex.
class ThreadStatusTable {
 public:
  static constexpr std::size_t kErrmsgCapacity = 301;

  // The row of `thread` (0 = the calling thread's number); a missing row reads as status 255.
  ThreadStatusRow get(int32_t thread) const;
  // Adds the row or replaces the one with its thread number; ERRMSG is cut to 300 characters.
  void put(ThreadStatusRow row);
  void remove(int32_t thread);
  // Starts `worker` on a new thread and adds its row with status 2 before the worker can look
  // for it: the worker's first look-up waits for this table's mutex. The thread's number, or 0
  // when no thread could be started (no row is added then).
  int32_t start(std::function<void()> worker);
  std::size_t size() const;
  void clear();

 private:
  mutable threads::Mutex mutex_;
  std::map<int32_t, ThreadStatusRow> rows_;
};

ThreadStatusTable& thread_statuses();

}  // namespace orv::frame
