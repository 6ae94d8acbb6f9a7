// A hash index beside an in-memory table: the first row of each key by position, rebuilt lazily.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/dict/queue.hpp"

namespace orv::dict {

// A key packed without allocating: texts, each closed by a NUL so that ("AB", "C") and
// ("A", "BC") differ, and whole numbers as four bytes. Input beyond the capacity is cut.
class KeyBuffer {
 public:
  static constexpr std::size_t kCapacity = 64;

  KeyBuffer& text(std::string_view s) {
    for (char c : s) put(c);
    put('\0');
    return *this;
  }
  KeyBuffer& number(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) put(static_cast<char>((u >> (8 * i)) & 0xFF));
    return *this;
  }
  std::string_view view() const { return {bytes_, size_}; }

 private:
  void put(char c) {
    if (size_ < kCapacity) bytes_[size_++] = c;
  }
  char bytes_[kCapacity];
  std::size_t size_ = 0;
};

// Keys are packed by the caller's KeyOf. The index follows the queue's
// version: the first look-up after rows were added, removed or reordered rebuilds it. Concurrent
// look-ups are safe while nobody writes the queue, as for the queue itself; a rebuild is
// serialised so that two readers arriving together build it once.
template <class Row>
class QueueIndex {
 public:
  // Packs the row's key. Rows are keyed as they stand when the index is built: a key field
  // rewritten in place is seen after the next add, removal or sort.
  using KeyOf = void (*)(const Row& row, KeyBuffer& key);

  explicit QueueIndex(KeyOf key_of) : key_of_(key_of) {}
  QueueIndex(const QueueIndex&) = delete;
  QueueIndex& operator=(const QueueIndex&) = delete;

  // The 1-based position of the first row with this key, 0 when there is none.
  std::size_t find(const Queue<Row>& queue, std::string_view key) {
    if (built_.load(std::memory_order_acquire) != queue.version()) rebuild(queue);
    auto it = positions_.find(key);
    return it == positions_.end() ? 0 : it->second;
  }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  void rebuild(const Queue<Row>& queue) {
    std::lock_guard lock(mutex_);
    if (built_.load(std::memory_order_relaxed) == queue.version()) return;
    positions_.clear();
    positions_.reserve(queue.size());
    std::size_t position = 0;
    for (const Row& row : queue) {
      KeyBuffer key;
      key_of_(row, key);
      positions_.try_emplace(std::string(key.view()), ++position);  // the first row of a key wins
    }
    built_.store(queue.version(), std::memory_order_release);
  }

  KeyOf key_of_;
  std::mutex mutex_;
  std::atomic<uint64_t> built_{0};
  std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> positions_;
};

}  // namespace orv::dict
