// Thread numbers: lowest free first, known before the procedure runs, freed at the end, refusals.
#include "platform/threads/thread_registry.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace orv::threads {
namespace {

// Restores the ceiling a test lowers.
struct ScopedLimit {
  explicit ScopedLimit(std::size_t n) : saved(limit()) { set_limit(n); }
  ~ScopedLimit() { set_limit(saved); }
  std::size_t saved;
};

TEST(ThreadRegistry, TheCallingThreadKeepsOneNumber) {
  int32_t n = current();
  EXPECT_GT(n, 0);
  EXPECT_EQ(current(), n);
  EXPECT_TRUE(running(n));
  EXPECT_FALSE(wait(n));  // a thread never waits for itself
}

TEST(ThreadRegistry, StartedProcedureSeesTheNumberStartReturned) {
  std::promise<int32_t> seen;
  std::promise<void> go;
  auto gate = go.get_future().share();
  int32_t n = start([&] {
    gate.wait();
    seen.set_value(current());
  });
  ASSERT_GT(n, 0);
  EXPECT_NE(n, current());
  EXPECT_TRUE(running(n));
  go.set_value();
  EXPECT_TRUE(wait(n));
  EXPECT_EQ(seen.get_future().get(), n);
  EXPECT_FALSE(running(n));  // freed at the end
  EXPECT_TRUE(wait(n));      // nothing left to wait for: returns at once
}

TEST(ThreadRegistry, EndedNumbersAreReusedLowestFirst) {
  current();
  std::promise<void> go;
  auto gate = go.get_future().share();
  std::vector<int32_t> numbers;
  for (int i = 0; i < 3; ++i) numbers.push_back(start([gate] { gate.wait(); }));
  for (int32_t n : numbers) ASSERT_GT(n, 0);
  EXPECT_EQ(numbers[1], numbers[0] + 1);
  EXPECT_EQ(numbers[2], numbers[1] + 1);
  go.set_value();
  for (int32_t n : numbers) wait(n);
  int32_t again = start([] {});
  EXPECT_EQ(again, numbers[0]);
  wait(again);
}

TEST(ThreadRegistry, EndCallbacksRunOnTheEndingThreadBeforeTheNumberIsFreed) {
  std::mutex m;
  std::vector<std::pair<int32_t, bool>> ended;  // number, still running when called
  int handle = add_end_callback([&](int32_t n) {
    std::lock_guard lock(m);
    ended.emplace_back(n, running(n) && current() == n);
  });
  int32_t a = start([] {});
  int32_t b = start([] { throw std::runtime_error("escapes the procedure"); });
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  wait(a);
  wait(b);
  remove_end_callback(handle);
  int32_t c = start([] {});
  wait(c);
  std::lock_guard lock(m);
  ASSERT_EQ(ended.size(), 2u);  // a thrown exception still ends the thread; c ran unobserved
  for (const auto& [n, still_running] : ended) {
    EXPECT_TRUE(n == a || n == b);
    EXPECT_TRUE(still_running);
  }
}

TEST(ThreadRegistry, ForeignThreadFreesItsNumberWhenItExits) {
  std::atomic<int32_t> seen{0};
  std::atomic<int32_t> reported{0};
  int handle = add_end_callback([&](int32_t n) {
    if (n == seen.load()) reported = n;
  });
  std::thread([&] { seen = current(); }).join();
  remove_end_callback(handle);
  ASSERT_GT(seen.load(), 0);
  EXPECT_EQ(reported.load(), seen.load());
  EXPECT_FALSE(running(seen.load()));
}

TEST(ThreadRegistry, RefusesNewThreadsAtTheCeiling) {
  current();
  std::promise<void> go;
  auto gate = go.get_future().share();
  ScopedLimit limit(count() + 1);
  int32_t held = start([gate] { gate.wait(); });
  ASSERT_GT(held, 0);
  std::atomic<bool> ran{false};
  EXPECT_EQ(start([&] { ran = true; }), 0);  // 1. no number free: nothing starts
  int32_t foreign = -1;
  std::thread([&] { foreign = current(); }).join();
  EXPECT_EQ(foreign, 0);  // 2. a new thread cannot register either
  go.set_value();
  wait(held);
  int32_t next = start([&] { ran = true; });  // 3. a freed number can be taken again
  ASSERT_GT(next, 0);
  wait(next);
  EXPECT_TRUE(ran.load());
}

TEST(ThreadRegistry, WaitReturnsAtOnceWhenNoThreadHoldsTheNumber) {
  EXPECT_TRUE(wait(0));
  EXPECT_TRUE(wait(-1));
  EXPECT_TRUE(wait(100000));
  EXPECT_FALSE(running(0));
}

TEST(ThreadRegistry, WaitsForAForeignRegisteredThreadToo) {
  std::promise<int32_t> number;
  std::promise<void> go;
  std::atomic<bool> finished{false};
  std::thread foreign([&] {
    number.set_value(current());
    go.get_future().wait();
    finished = true;
  });
  int32_t n = number.get_future().get();
  ASSERT_GT(n, 0);
  std::thread releaser([&] { go.set_value(); });
  EXPECT_TRUE(wait(n));
  EXPECT_TRUE(finished.load());
  releaser.join();
  foreign.join();
}

}  // namespace
}  // namespace orv::threads
