// In-memory tables: ordered rows with add, get by key or position, put, delete, sort and free.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::dict {

// Versions are unique across every queue of the process, so an index built for one version can
// never be mistaken for another queue's (or a reset queue's) contents.
inline uint64_t next_queue_version() {
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

// The runtime's queue: rows in insertion or sort order, addressed by 1-based position as the
// runtime does, with a current row that lookups move. Not locked: the shared tables are read and
// written without locks, as the host does; the few guarded ones carry their own lock.
template <class Row>
class Queue {
 public:
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  void clear() {
    rows_.clear();
    current_ = 0;
    changed();
  }

  void add(Row row) {
    rows_.push_back(std::move(row));
    current_ = rows_.size();
    changed();
  }
  // Adds in the order `less` keeps, after any equal rows.
  template <class Less>
  void add_sorted(Row row, Less less) {
    auto at = std::upper_bound(rows_.begin(), rows_.end(), row, less);
    current_ = static_cast<std::size_t>(at - rows_.begin()) + 1;
    rows_.insert(at, std::move(row));
    changed();
  }

  // 1-based; nullptr outside 1..size().
  Row* get(std::size_t position) {
    if (position < 1 || position > rows_.size()) return nullptr;
    current_ = position;
    return &rows_[position - 1];
  }
  // The first row the predicate accepts; it becomes the current row.
  template <class Pred>
  Row* find(Pred pred) {
    auto it = std::find_if(rows_.begin(), rows_.end(), pred);
    if (it == rows_.end()) return nullptr;
    current_ = static_cast<std::size_t>(it - rows_.begin()) + 1;
    return &*it;
  }
  template <class Pred>
  const Row* find(Pred pred) const {
    auto it = std::find_if(rows_.begin(), rows_.end(), pred);
    return it == rows_.end() ? nullptr : &*it;
  }

  // Position of the current row (the last one added, fetched or put), 0 when none.
  std::size_t pointer() const { return current_; }

  void erase(std::size_t position) {
    if (position < 1 || position > rows_.size()) return;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(position - 1));
    if (current_ >= position) current_ = current_ > 0 ? current_ - 1 : 0;
    changed();
  }
  template <class Pred>
  std::size_t erase_if(Pred pred) {
    auto n = std::erase_if(rows_, pred);
    current_ = 0;
    changed();
    return n;
  }

  template <class Less>
  void sort(Less less) {
    std::stable_sort(rows_.begin(), rows_.end(), less);
    changed();
  }

  // Changes whenever rows are added, removed or reordered (not when a row's fields are written
  // in place): indexes beside the queue rebuild when it moves on.
  uint64_t version() const { return version_; }

  auto begin() { return rows_.begin(); }
  auto end() { return rows_.end(); }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }
  Row& operator[](std::size_t index) { return rows_[index]; }  // 0-based, unchecked
  const Row& operator[](std::size_t index) const { return rows_[index]; }

 private:
  void changed() { version_ = next_queue_version(); }

  std::vector<Row> rows_;
  std::size_t current_ = 0;
  uint64_t version_ = next_queue_version();
};

}  // namespace orv::dict
