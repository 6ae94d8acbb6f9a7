// Thread numbers handed out lowest-free-first, freed as each registered thread ends.
#include "platform/threads/thread_registry.hpp"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace orv::threads {
namespace {

constexpr std::size_t kDefaultLimit = 256;

struct Ended {
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
};

struct Slot {
  bool used = false;
  std::shared_ptr<Ended> ended;
};

struct Registry {
  std::mutex m;
  std::vector<Slot> slots;  // number - 1
  std::size_t used = 0;
  std::size_t limit = kDefaultLimit;
  std::vector<std::pair<int, EndCallback>> callbacks;
  int next_handle = 1;
};

// Never destroyed: threads may end, and run their callbacks, while statics are torn down.
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

// Takes the lowest free number under the registry's lock; 0 when the limit is reached.
int32_t take_number(Registry& r) {
  if (r.used >= r.limit) return 0;
  std::size_t i = 0;
  while (i < r.slots.size() && r.slots[i].used) ++i;
  if (i == r.slots.size()) r.slots.emplace_back();
  r.slots[i] = Slot{true, std::make_shared<Ended>()};
  ++r.used;
  return static_cast<int32_t>(i + 1);
}

void free_number(int32_t number) {
  auto& r = registry();
  std::shared_ptr<Ended> ended;
  {
    std::lock_guard lock(r.m);
    Slot& slot = r.slots[static_cast<std::size_t>(number - 1)];
    ended = std::move(slot.ended);
    slot = Slot{};
    --r.used;
  }
  std::lock_guard lock(ended->m);
  ended->done = true;
  ended->cv.notify_all();
}

// Callbacks run outside the lock, so that they may call into the registry themselves.
void end_thread(int32_t number) {
  auto& r = registry();
  std::vector<std::pair<int, EndCallback>> callbacks;
  {
    std::lock_guard lock(r.m);
    callbacks = r.callbacks;
  }
  for (auto& [handle, callback] : callbacks) callback(number);
  free_number(number);
}

// The calling thread's number; a thread registered by current() frees it when it exits.
struct Own {
  int32_t number = 0;
  bool started = false;
  ~Own() {
    if (number != 0 && !started) end_thread(number);
  }
};
thread_local Own t_own;

}  // namespace

int32_t current() {
  if (t_own.number != 0) return t_own.number;
  auto& r = registry();
  std::lock_guard lock(r.m);
  t_own.number = take_number(r);
  return t_own.number;
}

int32_t start(std::function<void()> procedure) {
  auto& r = registry();
  int32_t number;
  {
    std::lock_guard lock(r.m);
    number = take_number(r);
  }
  if (number == 0) return 0;
  try {
    std::thread([number, procedure = std::move(procedure)] {
      t_own.number = number;
      t_own.started = true;
      try {
        procedure();
      } catch (...) {
        // Nothing may leave a thread's procedure; the thread simply ends.
      }
      end_thread(number);
    }).detach();
  } catch (const std::system_error&) {
    free_number(number);
    return 0;
  }
  return number;
}

bool wait(int32_t number) {
  if (number == t_own.number && number != 0) return false;
  if (number <= 0) return true;
  auto& r = registry();
  std::shared_ptr<Ended> ended;
  {
    std::lock_guard lock(r.m);
    auto i = static_cast<std::size_t>(number - 1);
    if (i >= r.slots.size() || !r.slots[i].used) return true;
    ended = r.slots[i].ended;
  }
  std::unique_lock lock(ended->m);
  ended->cv.wait(lock, [&] { return ended->done; });
  return true;
}

bool running(int32_t number) {
  if (number <= 0) return false;
  auto& r = registry();
  std::lock_guard lock(r.m);
  auto i = static_cast<std::size_t>(number - 1);
  return i < r.slots.size() && r.slots[i].used;
}

std::size_t count() {
  auto& r = registry();
  std::lock_guard lock(r.m);
  return r.used;
}

int add_end_callback(EndCallback callback) {
  auto& r = registry();
  std::lock_guard lock(r.m);
  r.callbacks.emplace_back(r.next_handle, std::move(callback));
  return r.next_handle++;
}

void remove_end_callback(int handle) {
  auto& r = registry();
  std::lock_guard lock(r.m);
  std::erase_if(r.callbacks, [&](const auto& c) { return c.first == handle; });
}

void set_limit(std::size_t limit) {
  auto& r = registry();
  std::lock_guard lock(r.m);
  r.limit = limit;
}

std::size_t limit() {
  auto& r = registry();
  std::lock_guard lock(r.m);
  return r.limit;
}

}  // namespace orv::threads
