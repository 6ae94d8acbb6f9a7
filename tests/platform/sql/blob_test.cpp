// Binary cells through both backends: every size round-trips byte for byte, failures are refused.
#include <gtest/gtest.h>

#include "platform/sql/odbc/odbc_driver.hpp"
#include "platform/sql/sqlite/sqlite_backend.hpp"
#include "support/support.hpp"
#include "testing/driver_decorators.hpp"

namespace orv::sql {
namespace {

struct RoundTrip {
  const char* backend;
  std::size_t size;
};
void PrintTo(const RoundTrip& c, std::ostream* os) {
  *os << c.backend << "_" << c.size;
}

constexpr std::size_t kPage = 4096;  // SQLite's page: values cross it into overflow pages
constexpr std::size_t kPhoto = std::size_t{10} << 20;

const RoundTrip kTrips[] = {
    // 1. No bytes: a value, not NULL.
    {"sqlite", 0},
    {"odbc", 0},
    // 2. One byte.
    {"sqlite", 1},
    {"odbc", 1},
    // 3. Either side of a page.
    {"sqlite", kPage - 1},
    {"odbc", kPage - 1},
    {"sqlite", kPage + 1},
    {"odbc", kPage + 1},
    // 4. A 10 MB photo, many parts each way.
    {"sqlite", kPhoto},
    {"odbc", kPhoto},
};

std::unique_ptr<Driver> make_driver(std::string_view backend, const std::string& path) {
  if (backend == "odbc")
    return std::make_unique<odbc::OdbcDriver>("Driver=SQLite3;Database=" + path);
  return std::make_unique<sqlite::SqliteDriver>(path);
}

std::vector<unsigned char> pattern(std::size_t n) {
  std::vector<unsigned char> v(n);
  uint32_t x = 2463534242u;
  for (auto& b : v) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    b = static_cast<unsigned char>(x);
  }
  return v;
}

class Blobs : public ::testing::TestWithParam<RoundTrip> {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(sqlite::execute_script(dir.file("b.db"),
                                       "create table t (id integer primary key, b blob);"
                                       "insert into t (id) values (1), (2);",
                                       error))
        << error;
  }
  std::unique_ptr<Connection> connect(std::string_view backend) {
    driver = make_driver(backend, dir.file("b.db"));
    std::string error;
    auto c = driver->connect(error);
    EXPECT_TRUE(c) << error;
    return c;
  }
  test::TempDir dir;
  std::unique_ptr<Driver> driver;
};

TEST_P(Blobs, RoundTripByteForByte) {
  auto c = connect(GetParam().backend);
  ASSERT_TRUE(c);
  BlobCell cell{"t", "b", "id", 2};
  auto bytes = pattern(GetParam().size);
  ASSERT_EQ(c->write_blob(cell, bytes), kOk) << c->message();
  Blob back;
  ASSERT_EQ(c->read_blob(cell, back), kOk) << c->message();
  EXPECT_FALSE(back.null);
  EXPECT_TRUE(back.bytes == bytes) << "read " << back.size() << " of " << bytes.size();
  // The other row stays NULL: the write touched its own cell alone.
  ASSERT_EQ(c->read_blob({"t", "b", "id", 1}, back), kOk);
  EXPECT_TRUE(back.null);
}
INSTANTIATE_TEST_SUITE_P(Sizes, Blobs, ::testing::ValuesIn(kTrips));

struct Refusal {
  const char* name;
  BlobCell cell;
};
void PrintTo(const Refusal& c, std::ostream* os) {
  *os << c.name;
}

const Refusal kRefusals[] = {
    // 1. No such row: nothing stored, and the write says so.
    {"MissingRow", {"t", "b", "id", 99}},
    // 2. A name that is not plain never reaches SQL.
    {"HostileTable", {"t where 1=1; drop table t; --", "b", "id", 1}},
    {"HostileColumn", {"t", "b\" = null, \"b", "id", 1}},
    // 3. A column the table lacks.
    {"UnknownColumn", {"t", "nothing", "id", 1}},
};

class BlobRefusals : public ::testing::TestWithParam<std::tuple<const char*, Refusal>> {};

TEST_P(BlobRefusals, WriteAndReadAreRefused) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(sqlite::execute_script(
      dir.file("b.db"),
      "create table t (id integer primary key, b blob); insert into t values (1, x'01');", error));
  auto driver = make_driver(std::get<0>(GetParam()), dir.file("b.db"));
  auto c = driver->connect(error);
  ASSERT_TRUE(c) << error;
  const BlobCell& cell = std::get<1>(GetParam()).cell;
  std::vector<unsigned char> bytes{1, 2, 3};
  EXPECT_EQ(c->write_blob(cell, bytes), kRejected);
  EXPECT_FALSE(c->message().empty());
  Blob back;
  EXPECT_EQ(c->read_blob(cell, back), kRejected);
  EXPECT_FALSE(c->message().empty());
  ASSERT_EQ(c->read_blob({"t", "b", "id", 1}, back), kOk);
  EXPECT_EQ(back.bytes, std::vector<unsigned char>{1}) << "the stored value changed";
}
INSTANTIATE_TEST_SUITE_P(Cases, BlobRefusals,
                         ::testing::Combine(::testing::Values("sqlite", "odbc"),
                                            ::testing::ValuesIn(kRefusals)));

// A write the fault decorator fails leaves the old value; the log names the cell, not the bytes.
TEST(BlobDecorators, FaultedWriteKeepsTheValueAndIsRecorded) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(sqlite::execute_script(
      dir.file("b.db"),
      "create table t (id integer primary key, b blob); insert into t values (1, x'01');", error));
  sqlite::SqliteDriver sqlite(dir.file("b.db"));
  FaultDriver faults(sqlite);
  RecordingDriver recording(faults);
  auto c = recording.connect(error);
  faults.fail_matching("write blob", Fault::rejected("disk full"), 1);
  std::vector<unsigned char> bytes{7, 7};
  EXPECT_EQ(c->write_blob({"t", "b", "id", 1}, bytes), kRejected);
  EXPECT_EQ(c->message(), "disk full");
  Blob back;
  ASSERT_EQ(c->read_blob({"t", "b", "id", 1}, back), kOk);
  EXPECT_EQ(back.bytes, std::vector<unsigned char>{1});
  EXPECT_EQ(recording.statements(), (std::vector<std::string>{"write blob t.b where id=1 (2 bytes)",
                                                              "read blob t.b where id=1"}));
}

}  // namespace
}  // namespace orv::sql
