// A hash index beside an in-memory table: the first row of each key by position, rebuilt lazily.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/dict/queue.hpp"

namespace orv::dict {

// A key packed without allocating: texts, each closed by a NUL so that ("AB", "C") and
// ("A", "BC") differ, and whole numbers as four bytes. Input beyond the capacity is cut. The
// unused bytes stay zero, so two keys compare as one fixed block.
class KeyBuffer {
 public:
  static constexpr std::size_t kCapacity = 56;  // seven words

  KeyBuffer& text(std::string_view s) {
    put(s.data(), s.size());
    put("", 1);
    return *this;
  }
  KeyBuffer& number(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                 static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
    put(b, 4);
    return *this;
  }
  std::string_view view() const { return {bytes_, size_}; }
  const char* bytes() const { return bytes_; }
  std::size_t size() const { return size_; }

 private:
  void put(const char* p, std::size_t n) {
    n = std::min(n, kCapacity - size_);
    if (n) std::memcpy(bytes_ + size_, p, n);
    size_ += n;
  }
  char bytes_[kCapacity] = {};
  std::size_t size_ = 0;
};

// The hash of a packed key, eight bytes at a step: keys are short and asked on every screen.
inline uint64_t key_word(const char* bytes, std::size_t word) {
  uint64_t w;
  std::memcpy(&w, bytes + 8 * word, 8);
  return w;
}

inline uint64_t key_hash(const KeyBuffer& key) {
  constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;
  uint64_t h = key.size() * kMul;
  for (std::size_t i = 0; i * 8 < key.size(); ++i) {
    h = (h ^ key_word(key.bytes(), i)) * kMul;
    h ^= h >> 29;
  }
  return h ^ (h >> 32);
}

// Whole fixed blocks compared word by word: no call, no byte loop.
inline bool same_block(const char* a, const char* b) {
  uint64_t diff = 0;
  for (std::size_t i = 0; i < KeyBuffer::kCapacity / 8; ++i)
    diff |= key_word(a, i) ^ key_word(b, i);
  return diff == 0;
}

// Something derived from in-memory tables (an index, a cross-reference), built again on the
// first use after any of them gained, lost or reordered rows. Readers that find it current
// take no lock; a rebuild is serialised so that readers arriving together build it once. As
// for the tables themselves, reading while another thread writes them is not guarded.
template <std::size_t N>
class Derived {
 public:
  template <class Rebuild>
  void ensure(const std::array<uint64_t, N>& versions, Rebuild&& rebuild) {
    if (current(versions, std::memory_order_acquire)) return;
    std::lock_guard lock(mutex_);
    if (current(versions, std::memory_order_relaxed)) return;
    rebuild();
    for (std::size_t i = 0; i < N; ++i) built_[i].store(versions[i], std::memory_order_release);
  }

 private:
  bool current(const std::array<uint64_t, N>& versions, std::memory_order order) const {
    for (std::size_t i = 0; i < N; ++i) {
      if (built_[i].load(order) != versions[i]) return false;
    }
    return true;
  }

  std::mutex mutex_;
  std::array<std::atomic<uint64_t>, N> built_{};
};

// Keys are packed by the caller's KeyOf. The index follows the queue's version: the first
// look-up after rows were added, removed or reordered rebuilds it. Each slot holds a row's
// position and its packed key in one cache line, so a look-up allocates nothing and mostly
// touches a single line.
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
  std::size_t find(const Queue<Row>& queue, const KeyBuffer& key) {
    built_.ensure({queue.version()}, [&] { rebuild(queue); });
    if (slots_.empty()) return 0;
    uint64_t h = key_hash(key);
    for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (s.position == 0) return 0;
      if (s.holds(key)) return s.position;
    }
  }

 private:
  struct alignas(64) Slot {
    uint32_t position = 0;  // 1-based; 0 = empty
    uint32_t size = 0;
    char key[KeyBuffer::kCapacity] = {};

    bool holds(const KeyBuffer& k) const { return size == k.size() && same_block(key, k.bytes()); }
  };
  static_assert(sizeof(Slot) == 64);

  void rebuild(const Queue<Row>& queue) {
    std::size_t capacity = 16;
    while (capacity < queue.size() + queue.size() / 2) capacity *= 2;
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    for (std::size_t position = 1; position <= queue.size(); ++position) {
      KeyBuffer key;
      key_of_(queue[position - 1], key);
      insert(key, static_cast<uint32_t>(position));
    }
  }

  // The first row of a key wins: a later row with the same key is not entered.
  void insert(const KeyBuffer& key, uint32_t position) {
    for (std::size_t i = key_hash(key) & mask_;; i = (i + 1) & mask_) {
      Slot& s = slots_[i];
      if (s.position == 0) {
        s.position = position;
        s.size = static_cast<uint32_t>(key.size());
        std::memcpy(s.key, key.bytes(), KeyBuffer::kCapacity);
        return;
      }
      if (s.holds(key)) return;
    }
  }

  KeyOf key_of_;
  Derived<1> built_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace orv::dict
