// The translation cache: hits without re-translating, least recently used out first, threads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/sql/dialect/dialect.hpp"

namespace orv::sql::dialect {
namespace {

// Counts how often translation consulted it: a cache hit must not.
class CountingCatalog : public Catalog {
 public:
  std::optional<std::string> column_type(std::string_view, std::string_view) const override {
    ++calls;
    return "TEXT";
  }
  mutable std::atomic<int> calls{0};
};

TEST(Cache, HitReturnsTheSameTranslationWithoutTranslatingAgain) {
  TranslationCache cache(8);
  CountingCatalog catalog;
  auto first = cache.get("select a+b from t", &catalog);
  int after_first = catalog.calls;
  auto second = cache.get("select a+b from t", &catalog);
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(catalog.calls, after_first);
  EXPECT_EQ(second->plan.actions[0].sql, "select (a)||(b) from t");
  EXPECT_EQ(cache.hits(), 1u);
  EXPECT_EQ(cache.misses(), 1u);
}

TEST(Cache, LeastRecentlyUsedGoesFirst) {
  TranslationCache cache(2);
  auto a = cache.get("select 1", nullptr);
  cache.get("select 2", nullptr);
  cache.get("select 1", nullptr);  // 1 is now the most recent
  cache.get("select 3", nullptr);  // evicts 2
  EXPECT_EQ(cache.size(), 2u);
  std::size_t misses = cache.misses();
  EXPECT_EQ(cache.get("select 1", nullptr).get(), a.get());
  EXPECT_EQ(cache.misses(), misses);
  cache.get("select 2", nullptr);
  EXPECT_EQ(cache.misses(), misses + 1);
}

TEST(Cache, EvictedTranslationStaysValidForItsHolder) {
  TranslationCache cache(1);
  auto held = cache.get("select top 1 a from t", nullptr);
  cache.get("select 2", nullptr);
  ASSERT_TRUE(held->ok);
  EXPECT_EQ(held->plan.actions[0].sql, "select a from t LIMIT 1");
}

TEST(Cache, FailuresAreCachedToo) {
  TranslationCache cache;
  auto bad = cache.get("select 'x", nullptr);
  EXPECT_FALSE(bad->ok);
  EXPECT_EQ(cache.get("select 'x", nullptr).get(), bad.get());
}

TEST(Cache, HugeStatementsAreNotKept) {
  TranslationCache cache;
  std::string big = "select '" + std::string(TranslationCache::kMaxCachedLength, 'x') + "'";
  auto a = cache.get(big, nullptr);
  auto b = cache.get(big, nullptr);
  EXPECT_TRUE(a->ok);
  EXPECT_NE(a.get(), b.get());
  EXPECT_EQ(cache.size(), 0u);
}

TEST(Cache, ManyThreadsOnFewStatements) {
  TranslationCache cache(16);
  std::vector<std::thread> threads;
  std::atomic<int> wrong{0};
  for (int k = 0; k < 8; ++k) {
    threads.emplace_back([&, k] {
      for (int i = 0; i < 2000; ++i) {
        int n = (i + k) % 24;  // more statements than slots: evictions under contention
        std::string sql = "select top " + std::to_string(n) + " a from t";
        auto tr = cache.get(sql, nullptr);
        if (!tr->ok || tr->plan.actions[0].sql != "select a from t LIMIT " + std::to_string(n))
          ++wrong;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_LE(cache.size(), 16u);
  EXPECT_EQ(cache.hits() + cache.misses(), 16000u);
}

}  // namespace
}  // namespace orv::sql::dialect
