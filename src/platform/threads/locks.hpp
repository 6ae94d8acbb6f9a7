// The runtime's mutex and critical section over std::mutex: re-entrant, released only by the owner.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace orv::threads {

// The owning thread may take the lock again; each take needs its own release. A release by a
// thread that does not hold the lock returns false and changes nothing, where the bare standard
// mutex would be undefined behaviour.
class OwnedLock {
 public:
  OwnedLock() = default;
  OwnedLock(const OwnedLock&) = delete;
  OwnedLock& operator=(const OwnedLock&) = delete;

  void lock() {
    if (held_here()) {
      ++depth_;
      return;
    }
    m_.lock();
    enter();
  }
  bool try_lock() {
    if (held_here()) {
      ++depth_;
      return true;
    }
    if (!m_.try_lock()) return false;
    enter();
    return true;
  }
  bool unlock() {
    if (!held_here()) return false;
    if (--depth_ == 0) {
      owner_.store(std::thread::id(), std::memory_order_relaxed);
      m_.unlock();
    }
    return true;
  }
  bool held_here() const {
    return owner_.load(std::memory_order_relaxed) == std::this_thread::get_id();
  }

 private:
  void enter() {
    owner_.store(std::this_thread::get_id(), std::memory_order_relaxed);
    depth_ = 1;
  }

  std::mutex m_;
  std::atomic<std::thread::id> owner_{};
  int depth_ = 0;  // touched only by the owner
};

// The critical section that guards shared tables inside one process.
class CriticalSection : public OwnedLock {};

// The mutex: a critical section that can also give up after a timeout. The timed wait polls
// the plain mutex: a timed standard mutex locks through pthread_mutex_clocklock, which the
// thread sanitizer does not follow, and every later release would be reported as foreign.
class Mutex : public OwnedLock {
 public:
  // False when the lock was not free within `timeout`.
  bool try_lock_for(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!try_lock()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }
};

}  // namespace orv::threads
