// SQL channels: retry and reopen rules, error windows, thread binding, clock, bad input.
#include "frame/sql_channels.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "exports/orvrun.h"
#include "frame/marked_channel.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "platform/text/cp1250.hpp"
#include "support/case_names.hpp"
#include "support/sql_support.hpp"
#include "support/support.hpp"

namespace orv::frame {
namespace {

using sql::FakeAnswer;
using sql::Fault;

const std::string kVaxfsqlProblem =
    "Problem z połączeniem  - błąd otwarcia tabeli VAXFSQL do odczytu!"_w1250;
const std::string kVaxzazProblem =
    "Problem z połączeniem  - błąd otwarcia tabeli VAXZAZ do odczytu!"_w1250;

class Channels : public ::testing::Test {
 protected:
  void SetUp() override { db.fake.answer("select 1", FakeAnswer::value("7")); }
  std::vector<ui::ErrorWindowRecord> windows() { return ui.ui().error_windows(); }

  test::SqlStack db;
  test::ScopedUi ui;
};

// ---------------------------------------------------------------------------------------------
// The thread-bound channels: one case table run on the scalar channel and the marked-record
// channel, whose rules are the same apart from the table named in the fixed message.

struct BoundCase {
  const char* name;
  std::vector<std::pair<int, Fault>> faults;  // (times, fault), applied in order; -1 = always
  std::size_t sends;
  std::size_t reconnects;
  std::string result;
  bool window;
  bool fixed_message;  // the window shows the connection problem rather than the driver
};

void PrintTo(const BoundCase& c, std::ostream* os) {
  *os << c.name;
}

const BoundCase kBoundCases[] = {
    // 1. A clean answer: one send on the first connection.
    {"Success", {}, 1, 0, "7", false, false},
    // 2. "HSTM" every time: ten sends, never reopened, silent.
    {"HstmAlways", {{-1, Fault::hstm()}}, 10, 0, "", false, false},
    // 3. "HSTM" nine times: the tenth send still gets the answer.
    {"HstmNineTimes", {{9, Fault::hstm()}}, 10, 0, "7", false, false},
    // 4. Code 37 every time: ten reopenings, eleven sends, then the fixed message.
    {"NotOpenAlways", {{-1, Fault::not_open()}}, 11, 10, "", true, true},
    // 5. Code 37 three times: reopened three times, then answered.
    {"NotOpenThrice", {{3, Fault::not_open()}}, 4, 3, "7", false, false},
    // 6. Any other error: one reopening, a second send, then the driver's message.
    {"RejectedAlways", {{-1, Fault::rejected("boom")}}, 2, 1, "", true, false},
    // 7. Another error once: the reopening cures it.
    {"RejectedOnce", {{1, Fault::rejected("boom")}}, 2, 1, "7", false, false},
    // 8. Code 47 counts as "any other error".
    {"Code47Always", {{-1, Fault{47, "denied"}}}, 2, 1, "", true, false},
    // 9. "HSTM" and code 37 share one counter: five of each exhaust it.
    {"HstmThenNotOpen", {{5, Fault::hstm()}, {-1, Fault::not_open()}}, 11, 5, "", true, true},
};

struct BoundChannelUnderTest {
  const char* name;
  std::string (*query)(std::string_view, uint8_t);
  const std::string* problem;
};
void PrintTo(const BoundChannelUnderTest& c, std::ostream* os) {
  *os << c.name;
}
const BoundChannelUnderTest kBoundChannels[] = {{"Scalar", FUNCSQL, &kVaxfsqlProblem},
                                                {"Marked", marked_query, &kVaxzazProblem}};

class BoundRetries
    : public Channels,
      public ::testing::WithParamInterface<std::tuple<BoundChannelUnderTest, BoundCase>> {};

TEST_P(BoundRetries, SendsReopensAndReports) {
  const auto& [channel, c] = GetParam();
  for (const auto& [times, fault] : c.faults) db.faults.fail_next(times, fault);
  EXPECT_EQ(channel.query("select 1   ", 0), c.result);
  EXPECT_EQ(db.faults.sends(), c.sends);
  EXPECT_EQ(db.faults.connects(), 1 + c.reconnects);
  ASSERT_EQ(windows().size(), c.window ? 1u : 0u);
  if (c.window) {
    EXPECT_EQ(windows()[0].statement, "select 1");
    EXPECT_EQ(windows()[0].message,
              c.fixed_message ? *channel.problem : c.faults[0].second.message);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BoundRetries,
                         ::testing::Combine(::testing::ValuesIn(kBoundChannels),
                                            ::testing::ValuesIn(kBoundCases)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::get<1>(info.param).name;
                         });

TEST_F(Channels, QuietFailureGivesUpAtOnceWithoutWindow) {
  db.faults.fail_next(-1, Fault::rejected());
  EXPECT_EQ(FUNCSQL("select 1", 1), "");
  EXPECT_EQ(marked_query("select 1", 1), "");
  EXPECT_EQ(db.faults.sends(), 2u);
  EXPECT_TRUE(windows().empty());
  // The scalar channel stops before forgetting its thread, the marked-record channel after.
  EXPECT_EQ(scalar_bound_thread(), sql::thread_key());
  EXPECT_EQ(marked_channel().bound(), 0);
}

TEST_F(Channels, NoRowGivesEmptyAndTheNextCallReopens) {
  EXPECT_EQ(FUNCSQL("select 1"), "7");
  EXPECT_EQ(FUNCSQL("select 1"), "7");
  EXPECT_EQ(scalar_opens(), 1u);  // bound to this thread: left open between calls
  EXPECT_EQ(FUNCSQL("select nothing"), "");
  EXPECT_EQ(scalar_bound_thread(), 0);
  EXPECT_EQ(FUNCSQL("select 1"), "7");
  EXPECT_EQ(scalar_opens(), 2u);
  EXPECT_EQ(scalar_connects(), 1u);  // a reopening keeps the healthy connection
}

TEST_F(Channels, ResultIsCutTo9999Characters) {
  db.fake.answer("select long", FakeAnswer::value(std::string(12000, 'x')));
  EXPECT_EQ(FUNCSQL("select long").size(), 9999u);
  EXPECT_EQ(FUNCSQL2("select long").size(), 9999u);
  EXPECT_EQ(marked_query("select long").size(), 999u);
  EXPECT_EQ(ESQL("select long"), 0);
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(VAX().field(1).size(), 1000u);
}

TEST_F(Channels, AnotherThreadRebindsTheScalarAndMarkedChannels) {
  for (auto* query : {FUNCSQL, marked_query}) {
    db.faults.reset_counts();
    EXPECT_EQ(query("select 1", 0), "7");
    int32_t other = 0;
    std::thread([&] {
      EXPECT_EQ(query("select 1", 0), "7");
      other = query == FUNCSQL ? scalar_bound_thread() : marked_channel().bound();
    }).join();
    EXPECT_NE(other, sql::thread_key());
    EXPECT_NE(other, 0);
    EXPECT_EQ(db.faults.connects(), 2u);  // the other thread had a connection of its own
    EXPECT_EQ(query("select 1", 0), "7");
    EXPECT_EQ(db.faults.connects(), 2u);  // back here: reopened on this thread's connection
  }
  EXPECT_EQ(db.fake.live_connections(), 2);  // the ended thread's connections were closed
}

// ---------------------------------------------------------------------------------------------
// Main, 2, 3 and CRM channels.

TEST_F(Channels, ExecuteLeavesTheErrorReadableAndClosesOnlyOnHstm) {
  dict::glo().VAXOPENED = 1;
  db.faults.fail_next(1, Fault::rejected("bad column"));
  EXECSQL("update x set y=1   ");
  EXPECT_EQ(dict::glo().VAXOPENED, 0);
  EXPECT_EQ(VAX().error(), 90);
  EXPECT_EQ(VAX().message(), "bad column");
  EXPECT_TRUE(VAX().is_open());
  db.faults.fail_next(1, Fault::hstm());
  EXECSQL2("update x set y=2");
  EXPECT_FALSE(VAX2().is_open());
  EXPECT_TRUE(windows().empty());
  EXPECT_EQ(db.recording.statements(),
            (std::vector<std::string>{"update x set y=1", "update x set y=2"}));
}

TEST_F(Channels, ChannelsReuseTheirConnectionAcrossStatements) {
  for (int i = 0; i < 5; ++i) EXECSQL("select 1");
  EXPECT_EQ(db.faults.connects(), 1u);
  EXPECT_EQ(VAX().opens(), 5u);
}

struct ResultSetCase {
  const char* name;
  uint8_t quiet;
  Fault fault;
  bool window;
};
void PrintTo(const ResultSetCase& c, std::ostream* os) {
  *os << c.name;
}
const ResultSetCase kResultSetCases[] = {
    {"RejectedShown", 0, Fault::rejected("no such table: t"), true},
    {"RejectedQuiet", 1, Fault::rejected("no such table: t"), false},
    {"HstmNeverShown", 0, Fault::hstm(), false},
    {"NotOpenShown", 0, Fault::not_open(), true},
    {"QuietOnlyWhenOne", 2, Fault::rejected("x"), true},
};

class ResultSets : public Channels, public ::testing::WithParamInterface<ResultSetCase> {};

TEST_P(ResultSets, FailureReturnsFiveAndShowsUnlessQuietOrHstm) {
  const auto& c = GetParam();
  using Esql = uint8_t (*)(std::string_view, uint8_t);
  for (Esql esql : {Esql{ESQL}, Esql{ESQL2}, Esql{ESQL3}}) {
    db.faults.fail_next(1, c.fault);
    EXPECT_EQ(esql("select * from t  ", c.quiet), 5);
  }
  ASSERT_EQ(windows().size(), c.window ? 3u : 0u);
  for (const auto& w : windows()) {
    EXPECT_EQ(w.statement, "select * from t");
    EXPECT_EQ(w.message, c.fault.message);
  }
  EXPECT_EQ(db.faults.sends(), 3u);  // no retries on these channels
}

INSTANTIATE_TEST_SUITE_P(Cases, ResultSets, ::testing::ValuesIn(kResultSetCases),
                         orv::test::named_case);

TEST_F(Channels, ResultSetRowsAreReadAndANewStatementReplacesThem) {
  db.fake.answer("select a", {0, {}, {{"1", "x"}, {"2", "y"}}, {}});
  db.fake.answer("select b", {0, {}, {{"9"}}, {}});
  ASSERT_EQ(ESQL("select a"), 0);
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(VAX().field(2), "x");
  EXPECT_EQ(VAX().field(3), "");  // beyond the row
  ASSERT_EQ(ESQL("select b"), 0);
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(VAX().field(1), "9");
  EXPECT_FALSE(VAX().next());
  EXPECT_EQ(VAX().field(1), "");  // the end clears the record
  CLOSESQL();
  EXPECT_FALSE(VAX().is_open());
}

TEST_F(Channels, ScalarOnChannels2And3ClosesAndNeverRetries) {
  using Func = std::string (*)(std::string_view, uint8_t);
  for (auto [func, table] :
       {std::pair<Func, sql::ScratchTable*>{FUNCSQL2, &VAX2()}, {FUNCSQL3, &VAX3()}}) {
    EXPECT_EQ(func("select 1", 0), "7");
    EXPECT_FALSE(table->is_open());
    db.faults.fail_next(1, Fault::not_open());
    EXPECT_EQ(func("select 1", 0), "");
    EXPECT_FALSE(table->is_open());
  }
  EXPECT_EQ(db.faults.sends(), 4u);
  EXPECT_EQ(windows().size(), 2u);
}

TEST_F(Channels, CrmChannelExecutesAndCloses) {
  db.fake.answer("select crm", FakeAnswer::value("c"));
  EXECSQLCRM("select crm");
  ASSERT_TRUE(VAXCRM().next());
  EXPECT_EQ(VAXCRM().field(1), "c");
  CLOSESQLCRM();
  CLOSESQLCRM();  // closing a closed table is harmless
  EXPECT_FALSE(VAXCRM().is_open());
}

TEST_F(Channels, NoDatabaseIsAClearErrorEverywhere) {
  sql::Driver* kept = sql::set_current_driver(nullptr);
  EXPECT_EQ(ESQL("select 1"), 5);
  EXPECT_EQ(FUNCSQL("select 1"), "");
  sql::set_current_driver(kept);
  ASSERT_EQ(windows().size(), 2u);
  EXPECT_EQ(windows()[0].message, "no database is open");
  EXPECT_EQ(windows()[1].message, kVaxfsqlProblem);
}

// ---------------------------------------------------------------------------------------------
// The clock: every send stamps GLO:TABLEOPENTIME, closing does not; the connection test waits
// ten minutes after the last statement.

TEST_F(Channels, EverySendStampsTheTimeAndClosingDoesNot) {
  const std::pair<const char*, std::function<void()>> kOps[] = {
      {"EXECSQL", [] { EXECSQL("select 1"); }},      {"ESQL", [] { ESQL("select 1"); }},
      {"FUNCSQL", [] { FUNCSQL("select 1"); }},      {"EXECSQL2", [] { EXECSQL2("select 1"); }},
      {"ESQL2", [] { ESQL2("select 1"); }},          {"FUNCSQL2", [] { FUNCSQL2("select 1"); }},
      {"EXECSQL3", [] { EXECSQL3("select 1"); }},    {"ESQL3", [] { ESQL3("select 1"); }},
      {"FUNCSQL3", [] { FUNCSQL3("select 1"); }},    {"EXECSQLCRM", [] { EXECSQLCRM("select 1"); }},
      {"marked", [] { marked_execute("select 1"); }}};
  int32_t time = date::make_time(9, 0, 0);
  for (const auto& [name, op] : kOps) {
    date::set_now(date::Moment{40000, ++time});
    op();
    EXPECT_EQ(dict::glo().TABLEOPENTIME, time) << name;
  }
  date::set_now(date::Moment{40000, time + 500});
  CLOSESQL();
  CLOSESQL2();
  CLOSESQL3();
  CLOSESQLCRM();
  EXPECT_EQ(dict::glo().TABLEOPENTIME, time);
}

struct TestCase {
  const char* name;
  int32_t since;  // hundredths since the last statement
  bool sends;
};
void PrintTo(const TestCase& c, std::ostream* os) {
  *os << c.name;
}
const TestCase kTestCases[] = {
    {"ThirtySecondsLater", 3000, false}, {"JustUnderTenMinutes", 59998, false},
    {"TenMinutesLater", 59999, true},    {"SameHundredth", 0, true},
    {"AfterMidnight", -4000000, true},   {"HourLater", 360000, true},
};

class ConnectionTest : public Channels, public ::testing::WithParamInterface<TestCase> {};

TEST_P(ConnectionTest, TenMinuteRule) {
  const int32_t last = date::make_time(12, 0, 0);
  dict::glo().TABLEOPENTIME = last;
  date::set_now(date::Moment{40000, last + GetParam().since});
  std::string result = FUNCTESTSQL("select 1");
  EXPECT_EQ(db.faults.sends(), GetParam().sends ? 1u : 0u);
  EXPECT_EQ(result, GetParam().sends ? "7" : "");
  EXPECT_EQ(dict::glo().TABLEOPENTIME, GetParam().sends ? last + GetParam().since : last);
  EXPECT_EQ(db.fake.live_connections(), 0);  // the test keeps nothing open
}

INSTANTIATE_TEST_SUITE_P(Cases, ConnectionTest, ::testing::ValuesIn(kTestCases),
                         orv::test::named_case);

TEST_F(Channels, ConnectionTestFailureShowsUnlessQuietAndStillStamps) {
  date::set_now(date::Moment{40000, date::make_time(12, 0, 0)});
  db.faults.fail_next(-1, Fault::rejected("server gone"));
  EXPECT_EQ(FUNCTESTSQL("select 1", 1), "");
  EXPECT_TRUE(windows().empty());
  dict::glo().TABLEOPENTIME = 0;
  db.fake.answer("select long", FakeAnswer::value(std::string(2000, 'y')));
  EXPECT_EQ(FUNCTESTSQL("select 1"), "");
  ASSERT_EQ(windows().size(), 1u);
  EXPECT_EQ(windows()[0].message, "server gone");
  EXPECT_EQ(dict::glo().TABLEOPENTIME, date::make_time(12, 0, 0));
  db.faults.heal();
  dict::glo().TABLEOPENTIME = 0;
  EXPECT_EQ(FUNCTESTSQL("select long").size(), 999u);
}

// ---------------------------------------------------------------------------------------------
// Through the C ABI, as a host calls.

TEST_F(Channels, CAbiCallsAndScratchAccess) {
  db.fake.answer("select a", {0, {}, {{"1", "Łódź"_w1250}}, {}});
  const uint8_t quiet = 1;
  EXPECT_EQ(::ESQL("select a", nullptr), 0);
  EXPECT_EQ(::ORVRUN_SCRATCH_NEXT("vax"), 1);
  char* field = ::ORVRUN_SCRATCH_FIELD("VAX", 2);
  EXPECT_STREQ(field, "Łódź"_w1250);
  ORVRUN_FREE(field);
  EXPECT_EQ(::ORVRUN_SCRATCH_NEXT("VAX"), 0);
  ::CLOSESQL();
  db.faults.fail_next(1, Fault::rejected("bad"));
  EXPECT_EQ(::ESQL2("select a", &quiet), 5);
  EXPECT_EQ(::ORVRUN_SCRATCH_ERRORCODE("VAX2"), 90);
  char* message = ::ORVRUN_SCRATCH_ERROR("VAX2");
  EXPECT_STREQ(message, "bad");
  ORVRUN_FREE(message);
  char* value = ::FUNCSQL("select 1", nullptr);
  EXPECT_STREQ(value, "7");
  ORVRUN_FREE(value);
  EXPECT_EQ(::ORVRUN_SCRATCH_ERRORCODE("NOSUCH"), -1);
  EXPECT_TRUE(windows().empty());
}

// ---------------------------------------------------------------------------------------------
// Bad input on a real database: a clear error on the channel, never a crash.

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    driver = std::make_unique<sql::sqlite::SqliteDriver>(dir.file("bad.db"));
    reset_channels();
    previous = sql::set_current_driver(driver.get());
  }
  void TearDown() override {
    reset_channels();
    sql::set_current_driver(previous);
  }
  test::TempDir dir;
  test::ScopedUi ui;
  std::unique_ptr<sql::Driver> driver;
  sql::Driver* previous = nullptr;
};

TEST_F(BadInput, EachIsCodeNinetyWithAMessage) {
  const std::pair<const char*, std::string> kCases[] = {
      {"unterminated quote", "select 'abc"},
      {"NUL inside", std::string("select 1\0; drop table x", 23)},
      {"0xFF bytes as a statement", "\xFF\xFF\xFF"},
      {"500 nested parentheses", "select " + std::string(500, '(') + "1" + std::string(500, ')')},
      {"1 MB of garbage", std::string(1 << 20, '!')},
      {"unknown procedure", "call no_such_procedure(1)"},
  };
  for (const auto& [name, statement] : kCases) {
    EXPECT_EQ(ESQL(statement, 1), 5) << name;
    EXPECT_EQ(VAX().error(), 90) << name;
    EXPECT_FALSE(VAX().message().empty()) << name;
  }
  EXPECT_NE(VAX().message(), "");
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(BadInput, LongStatementAndHighBytesRoundTrip) {
  ASSERT_EQ(ESQL("select '" + std::string(1 << 20, 'x') + "', '\xFF\xA5'", 1), 0)
      << VAX().message();
  ASSERT_TRUE(VAX().next());
  EXPECT_EQ(VAX().field(1), std::string(1000, 'x'));
  EXPECT_EQ(VAX().field(2), "\xFF\xA5");
  CLOSESQL();
}

TEST_F(BadInput, ScalarFailureShowsTheStatementSent) {
  EXPECT_EQ(FUNCSQL("select 'abc   "), "");
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].statement, "select 'abc");
  EXPECT_NE(ui.ui().error_windows()[0].message, "");
}

}  // namespace
}  // namespace orv::frame
