// The index beside an in-memory table: which row a key finds, and that it follows the table.
#include "platform/dict/queue_index.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace orv::dict {
namespace {

struct Row {
  std::string name;
  int32_t number = 0;
  std::string payload;
};

void key_of(const Row& r, KeyBuffer& k) {
  k.text(r.name).number(r.number);
}

KeyBuffer key(std::string_view name, int32_t number) {
  KeyBuffer k;
  k.text(name).number(number);
  return k;
}

class Index : public testing::Test {
 protected:
  std::size_t find(std::string_view name, int32_t number) {
    return index.find(rows, key(name, number));
  }
  Queue<Row> rows;
  QueueIndex<Row> index{&key_of};
};

TEST_F(Index, FirstRowOfAKeyWins) {
  rows.add({"a", 1, "first"});
  rows.add({"a", 1, "second"});
  rows.add({"a", 2, "other number"});
  EXPECT_EQ(find("a", 1), 1u);
  EXPECT_EQ(find("a", 2), 3u);
  EXPECT_EQ(find("a", 3), 0u);
  EXPECT_EQ(find("A", 1), 0u);  // keys are bytes: folding is the caller's
}

TEST_F(Index, PartsOfAKeyDoNotRunTogether) {
  rows.add({"ab", 0x63, ""});  // "ab", then the number's bytes "c\0\0\0"
  EXPECT_EQ(find("ab", 0x63), 1u);
  EXPECT_EQ(find("abc", 0), 0u);
  EXPECT_EQ(find("ab", -0x63), 0u);
}

TEST_F(Index, EmptyAndOverlongKeys) {
  EXPECT_EQ(find("", 0), 0u);  // an empty table
  rows.add({"", 0, ""});
  std::string long_name(300, 'x');
  rows.add({long_name, 5, ""});
  EXPECT_EQ(find("", 0), 1u);
  // Beyond the capacity a key is cut: a name differing only there is the same key.
  EXPECT_EQ(find(long_name + "y", 7), 2u);
}

TEST_F(Index, FollowsAddsRemovalsSortsAndClears) {
  for (int i = 0; i < 100; ++i) rows.add({"r" + std::to_string(i), i, ""});
  EXPECT_EQ(find("r42", 42), 43u);
  rows.erase(1);
  EXPECT_EQ(find("r42", 42), 42u);
  EXPECT_EQ(find("r0", 0), 0u);
  rows.sort([](const Row& a, const Row& b) { return a.number > b.number; });
  EXPECT_EQ(find("r99", 99), 1u);
  rows.add_sorted({"r200", 200, ""},
                  [](const Row& a, const Row& b) { return a.number > b.number; });
  EXPECT_EQ(find("r99", 99), 2u);
  rows.erase_if([](const Row& r) { return r.number % 2 == 0; });
  EXPECT_EQ(find("r98", 98), 0u);
  EXPECT_EQ(find("r97", 97), 2u);  // after r99
  rows.clear();
  EXPECT_EQ(find("r97", 97), 0u);
}

TEST_F(Index, AReplacedTableIsNotMistakenForTheOldOne) {
  rows.add({"old", 1, ""});
  EXPECT_EQ(find("old", 1), 1u);
  rows = Queue<Row>{};  // as a reset of the shared context does
  rows.add({"new", 1, ""});
  EXPECT_EQ(find("old", 1), 0u);
  EXPECT_EQ(find("new", 1), 1u);
}

TEST_F(Index, ManyRowsAllFound) {
  for (int i = 0; i < 5000; ++i) rows.add({"k" + std::to_string(i % 2500), i / 2500, ""});
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(find("k" + std::to_string(i % 2500), i / 2500), std::size_t(i + 1));
  }
}

// Threads asking at once right after the table changed: one builds, all find.
TEST_F(Index, ConcurrentReadersAfterAChange) {
  for (int i = 0; i < 2000; ++i) rows.add({"k" + std::to_string(i), i, ""});
  for (int round = 0; round < 5; ++round) {
    rows.add({"round" + std::to_string(round), round, ""});
    std::vector<std::thread> readers;
    std::vector<int> misses(4, 0);
    for (int t = 0; t < 4; ++t) {
      readers.emplace_back([&, t] {
        for (int i = 0; i < 2000; i += 7) misses[t] += find("k" + std::to_string(i), i) == 0;
        misses[t] += find("round" + std::to_string(round), round) == 0;
      });
    }
    for (auto& r : readers) r.join();
    for (int m : misses) EXPECT_EQ(m, 0);
  }
}

}  // namespace
}  // namespace orv::dict
