// Scratch tables and the test drivers: connections kept and dropped, records, per-thread tables.
#include "platform/sql/scratch_table.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "testing/driver_decorators.hpp"
#include "testing/fake_driver.hpp"

namespace orv::sql {
namespace {

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_scratch_tables();
    previous = set_current_driver(&recording);
    fake.answer("select rows", {0, {}, {{"abcdef", "123456"}, {"x", "y"}}, {}});
  }
  void TearDown() override {
    reset_scratch_tables();
    set_current_driver(previous);
  }

  FakeDriver fake;
  FaultDriver faults{fake};
  RecordingDriver recording{faults};
  Driver* previous = nullptr;
  ScratchTable table{"T", RecordLayout{3, 5}};
};

TEST_F(Scratch, SendingOnAClosedTableIsCode37) {
  EXPECT_EQ(table.send("select 1"), kNotOpen);
  EXPECT_EQ(table.message(), "table T is not open");
  faults.fail_connects(1, "server down");
  EXPECT_NE(table.open(), kOk);
  EXPECT_EQ(table.send("select 1"), kNotOpen);
  EXPECT_EQ(table.message(), "server down");  // the reason the open failed
  EXPECT_EQ(table.sql_text(), "select 1");    // readable for the error window all the same
  EXPECT_TRUE(recording.statements().empty());
}

TEST_F(Scratch, NulCharacterIsRefusedBeforeTheDriver) {
  table.open();
  EXPECT_EQ(table.send(std::string("select 1\0 drop", 14)), kRejected);
  EXPECT_EQ(table.message(), "the statement holds a NUL character at position 9");
  EXPECT_TRUE(recording.statements().empty());
}

TEST_F(Scratch, RecordFieldsAreCutToTheirSizesAndClearedAtTheEnd) {
  table.open();
  ASSERT_EQ(table.send("select rows  "), kOk);
  EXPECT_FALSE(table.has_row());
  ASSERT_TRUE(table.next());
  EXPECT_EQ(table.field(1), "abc");
  EXPECT_EQ(table.field(2), "12345");
  EXPECT_EQ(table.field(0), "");
  EXPECT_EQ(table.fields(), 2u);
  ASSERT_TRUE(table.next());
  EXPECT_FALSE(table.next());
  EXPECT_EQ(table.field(1), "");
  EXPECT_FALSE(table.has_row());
  EXPECT_EQ(recording.statements(), std::vector<std::string>{"select rows"});
}

TEST_F(Scratch, ConnectionIsKeptAcrossCloseAndDroppedByReopen) {
  table.open();
  table.send("select rows");
  table.close();
  EXPECT_FALSE(table.next());  // closing dropped the pending rows
  table.open();
  EXPECT_EQ(faults.connects(), 1u);
  table.reopen();
  EXPECT_EQ(faults.connects(), 2u);
  EXPECT_EQ(fake.live_connections(), 1);
  table.discard();
  EXPECT_EQ(fake.live_connections(), 0);
  EXPECT_EQ(table.opens(), 3u);

  ScratchTable test_table("TEST", RecordLayout{}, /*keep_connection=*/false);
  test_table.open();
  test_table.close();
  EXPECT_EQ(fake.live_connections(), 0);
}

TEST_F(Scratch, ConnectionOfAnotherDriverIsNeverReused) {
  FakeDriver other;
  other.answer("select 1", FakeAnswer::value("other"));
  table.open();
  table.close();
  set_current_driver(&other);
  table.open();
  ASSERT_EQ(table.send("select 1"), kOk);
  ASSERT_TRUE(table.next());
  EXPECT_EQ(table.field(1), "oth");
  table.reset();
  set_current_driver(&recording);
}

TEST_F(Scratch, ResetDropsEveryConnection) {
  ScratchTable second("U", RecordLayout{});
  table.open();
  second.open();
  EXPECT_EQ(fake.live_connections(), 2);
  reset_scratch_tables();
  EXPECT_EQ(fake.live_connections(), 0);
  EXPECT_FALSE(table.is_open());
  EXPECT_EQ(table.opens(), 0u);
}

TEST_F(Scratch, EachThreadHasItsOwnInstanceUntilItEnds) {
  ThreadedScratchTable threaded("F", RecordLayout{});
  threaded.mine().open();
  ScratchTable* mine = &threaded.mine();
  ScratchTable* theirs = nullptr;
  std::thread([&] {
    theirs = &threaded.mine();
    theirs->open();
    EXPECT_EQ(threaded.instances(), 2u);
  }).join();
  EXPECT_NE(mine, theirs);
  EXPECT_EQ(threaded.instances(), 1u);
  EXPECT_EQ(fake.live_connections(), 1);  // the ended thread's connection is closed
  EXPECT_EQ(threaded.connects(), 2u);     // and still counted
  threaded.reset();
  EXPECT_EQ(fake.live_connections(), 0);
}

TEST(ThreadKey, DistinctPerThreadAndStable) {
  int32_t here = thread_key();
  int32_t there = 0;
  std::thread([&] { there = thread_key(); }).join();
  EXPECT_GT(here, 0);
  EXPECT_NE(here, there);
  EXPECT_EQ(here, thread_key());
}

// ---------------------------------------------------------------------------------------------
// The test drivers themselves: a wrong count here would make every channel test lie.

TEST_F(Scratch, RecordingKeepsEachConnectionsOrderAcrossThreads) {
  std::vector<std::thread> threads;
  threads.reserve(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      std::string error;
      auto c = recording.connect(error);
      for (int i = 0; i < 100; ++i) c->send(std::to_string(i));
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(recording.entries().size(), 400u);
  for (std::size_t c = 1; c <= 4; ++c) {
    auto sent = recording.statements(c);
    ASSERT_EQ(sent.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(sent[static_cast<std::size_t>(i)], std::to_string(i));
  }
}

TEST_F(Scratch, FaultsHitOnlyChosenSendsAndLeaveNoRows) {
  faults.fail_matching("rows", Fault::rejected("chosen"), 2);
  table.open();
  EXPECT_EQ(table.send("select 1"), kOk);
  EXPECT_EQ(table.send("select rows"), kRejected);
  EXPECT_EQ(table.message(), "chosen");
  EXPECT_FALSE(table.next());
  EXPECT_EQ(table.send("select rows"), kRejected);
  EXPECT_EQ(table.send("select rows"), kOk);
  EXPECT_EQ(table.message(), "");
  EXPECT_TRUE(table.next());
  EXPECT_EQ(faults.sends(), 4u);
  EXPECT_EQ(faults.failed_sends(), 2u);
  EXPECT_EQ(recording.statements().size(), 4u);  // failed sends were sent all the same
}

TEST(FakeDriver, RulesPrefixesRespondersAndVariables) {
  FakeDriver fake;
  fake.answer("select a*", FakeAnswer::value("prefix"));
  fake.answer("select b", {0, {}, {}, {{"RetCode", "3"}}});
  fake.respond([](std::string_view s) -> std::optional<FakeAnswer> {
    if (s == "select abc") return FakeAnswer::value("responder");
    return std::nullopt;
  });
  std::string error;
  auto c = fake.connect(error);
  c->send("select abc");
  ASSERT_TRUE(c->next());
  EXPECT_EQ(c->column(0), "responder");
  c->send("select a-z");
  ASSERT_TRUE(c->next());
  EXPECT_EQ(c->column(0), "prefix");
  c->send("select b");
  EXPECT_FALSE(c->next());
  EXPECT_EQ(c->variable("RETCODE"), "3");
  EXPECT_EQ(c->variable("Other"), std::nullopt);
}

}  // namespace
}  // namespace orv::sql
