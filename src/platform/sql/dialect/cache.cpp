// LRU of translations: marking with the mouse repeats the same few statements thousands of times.
#include "platform/sql/dialect/dialect.hpp"

namespace orv::sql::dialect {

TranslationCache::TranslationCache(std::size_t capacity) : capacity_(capacity ? capacity : 1) {}

std::shared_ptr<const Translation> TranslationCache::get(std::string_view tsql,
                                                         const Catalog* catalog) {
  if (tsql.size() > kMaxCachedLength)
    return std::make_shared<const Translation>(translate(tsql, catalog));
  {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(tsql);
    if (it != entries_.end()) {
      ++hits_;
      order_.splice(order_.begin(), order_, it->second.position);
      return it->second.translation;
    }
    ++misses_;
  }
  // Translated outside the lock: another thread may do the same text meanwhile; the first one
  // stored wins and both results are equal.
  auto fresh = std::make_shared<const Translation>(translate(tsql, catalog));
  std::lock_guard lock(mutex_);
  auto [it, inserted] = entries_.try_emplace(std::string(tsql));
  if (!inserted) return it->second.translation;
  order_.push_front(&it->first);
  it->second = Entry{fresh, order_.begin()};
  if (entries_.size() > capacity_) {
    const std::string* oldest = order_.back();
    order_.pop_back();
    entries_.erase(entries_.find(*oldest));
  }
  return fresh;
}

std::size_t TranslationCache::size() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

std::size_t TranslationCache::hits() const {
  std::lock_guard lock(mutex_);
  return hits_;
}

std::size_t TranslationCache::misses() const {
  std::lock_guard lock(mutex_);
  return misses_;
}

}  // namespace orv::sql::dialect
