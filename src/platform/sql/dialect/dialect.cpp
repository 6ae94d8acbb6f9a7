// PLACEHOLDER until the real translator lands: passes the whole text to SQLite as one Sql action.
#include "platform/sql/dialect/dialect.hpp"

#include <list>
#include <mutex>
#include <unordered_map>

namespace orv::sql::dialect {

Translation translate(std::string_view tsql, const Catalog*) {
  Translation t;
  t.ok = true;
  Action a;
  a.sql = std::string(tsql);
  t.plan.actions.push_back(std::move(a));
  return t;
}

struct TranslationCache::Impl {
  using Entry = std::pair<std::string, std::shared_ptr<const Translation>>;
  std::size_t capacity;
  std::mutex mutex;
  std::list<Entry> order;  // most recent first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index;
};

TranslationCache::TranslationCache(std::size_t capacity) : impl_(std::make_unique<Impl>()) {
  impl_->capacity = capacity == 0 ? 1 : capacity;
}

TranslationCache::~TranslationCache() = default;

std::shared_ptr<const Translation> TranslationCache::get(std::string_view tsql,
                                                         const Catalog* catalog) {
  {
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->index.find(tsql);
    if (it != impl_->index.end()) {
      impl_->order.splice(impl_->order.begin(), impl_->order, it->second);
      return it->second->second;
    }
  }
  auto made = std::make_shared<const Translation>(translate(tsql, catalog));
  std::lock_guard lock(impl_->mutex);
  if (impl_->index.count(tsql)) return made;
  impl_->order.emplace_front(std::string(tsql), made);
  impl_->index.emplace(impl_->order.front().first, impl_->order.begin());
  if (impl_->order.size() > impl_->capacity) {
    impl_->index.erase(impl_->order.back().first);
    impl_->order.pop_back();
  }
  return made;
}

}  // namespace orv::sql::dialect
