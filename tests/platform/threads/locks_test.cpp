// Mutex and critical section: exclusion, re-entry by the owner, releases by other threads refused.
#include "platform/threads/locks.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace orv::threads {
namespace {

using namespace std::chrono_literals;

template <class L>
class LockTest : public ::testing::Test {};
using Locks = ::testing::Types<Mutex, CriticalSection>;
TYPED_TEST_SUITE(LockTest, Locks);

TYPED_TEST(LockTest, KeepsCountersExact) {
  TypeParam lock;
  long counter = 0;
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        std::lock_guard guard(lock);
        ++counter;
      }
    });
  }
  for (auto& w : workers) w.join();
  EXPECT_EQ(counter, 40000);
}

TYPED_TEST(LockTest, OwnerMayReenterAndReleasesAsOftenAsItTook) {
  TypeParam lock;
  lock.lock();
  lock.lock();
  EXPECT_TRUE(lock.try_lock());
  EXPECT_TRUE(lock.unlock());
  EXPECT_TRUE(lock.unlock());
  bool other_got_it = true;
  std::thread([&] { other_got_it = lock.try_lock(); }).join();
  EXPECT_FALSE(other_got_it);  // one take still outstanding
  EXPECT_TRUE(lock.unlock());
  EXPECT_FALSE(lock.unlock());  // nothing left to release
  std::thread([&] {
    other_got_it = lock.try_lock();
    if (other_got_it) lock.unlock();
  }).join();
  EXPECT_TRUE(other_got_it);
}

TYPED_TEST(LockTest, ReleaseByAThreadThatDoesNotHoldItIsRefused) {
  TypeParam lock;
  lock.lock();
  bool released = true;
  std::thread([&] { released = lock.unlock(); }).join();
  EXPECT_FALSE(released);
  EXPECT_TRUE(lock.held_here());  // still ours
  EXPECT_TRUE(lock.unlock());
}

TEST(Mutex, TimedWaitGivesUpWhileAnotherThreadHoldsIt) {
  Mutex m;
  m.lock();
  bool got = true;
  std::thread([&] { got = m.try_lock_for(20ms); }).join();
  EXPECT_FALSE(got);
  EXPECT_TRUE(m.try_lock_for(0ms));  // the owner re-enters at once
  m.unlock();
  m.unlock();
  std::thread([&] {
    got = m.try_lock_for(20ms);
    if (got) m.unlock();
  }).join();
  EXPECT_TRUE(got);
}

}  // namespace
}  // namespace orv::threads
