// A 10 MB photo into the demo database and back through the CLI, on SQLite and on ODBC.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::attachments {
namespace {

class BlobCli : public ::testing::TestWithParam<const char*> {};

TEST_P(BlobCli, TenMegabytePhotoRoundTrip) {
  test::TempDir dir;
  std::string db = dir.file("demo.db");
  std::filesystem::copy_file(test::DemoDb::made_once(), db);
  std::string photo(10u << 20, '\0');
  for (std::size_t i = 0; i < photo.size(); ++i) photo[i] = static_cast<char>((i * 7919) >> 3);
  std::ofstream(dir.file("photo.jpg"), std::ios::binary) << photo;
  std::vector<std::string> open =
      std::string(GetParam()) == "odbc"
          ? std::vector<std::string>{"--odbc", "Driver=SQLite3;Database=" + db}
          : std::vector<std::string>{"--db", db};
  auto blob = [&](const char* verb, const std::string& file) {
    std::vector<std::string> args = open;
    args.insert(args.end(), {"blob", verb, "artykul_blob", "zdjecie", "id_bloba", "3", file});
    return test::run_cli(args);
  };
  test::CliResult put = blob("put", dir.file("photo.jpg"));
  ASSERT_EQ(put.status, 0) << put.err;
  test::CliResult get = blob("get", dir.file("back.jpg"));
  ASSERT_EQ(get.status, 0) << get.err;
  EXPECT_TRUE(orv::test::read_bytes(dir.file("back.jpg")) == photo);
  // A row that does not exist stores nothing and says so.
  std::vector<std::string> args = open;
  args.insert(args.end(),
              {"blob", "put", "artykul_blob", "zdjecie", "id_bloba", "999", dir.file("photo.jpg")});
  test::CliResult missing = test::run_cli(args);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no row of artykul_blob.zdjecie where id_bloba=999"),
            std::string::npos)
      << missing.err;
}
INSTANTIATE_TEST_SUITE_P(Backends, BlobCli, ::testing::Values("sqlite", "odbc"));

}  // namespace
}  // namespace orv::attachments
