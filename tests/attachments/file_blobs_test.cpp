// Files into BLOBs and back: the size limit at its edge, blank names, empty files, part faults.
#include "attachments/file_blobs.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/dict/context.hpp"
#include "platform/files/binary_files.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::attachments {
namespace {

void write(const std::string& path, std::size_t size) {
  std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

struct LoadCase {
  const char* name;
  const char* file;  // "" blank, "missing" none, else a file of `size` bytes
  std::size_t size;
  const char* limit_kb;  // MaxRozZdjecArt
  std::optional<uint8_t> no_limit;
  int fail_part;  // make this part read (1-based) fail, 0 = none
  int32_t expected;
  bool warned;
};
void PrintTo(const LoadCase& c, std::ostream* os) {
  *os << c.name;
}

const LoadCase kLoads[] = {
    // 1. Exactly the limit (M x 1000 bytes) is accepted; one byte more is refused and warned.
    {"AtLimit", "f", 1000, "1", std::nullopt, 0, 0, false},
    {"OverLimit", "f", 1001, "1", std::nullopt, 0, 1, true},
    // 2. No-limit 1 lifts it; another no-limit value does not.
    {"NoLimit", "f", 5000, "1", 1, 0, 0, false},
    {"NoLimitTwo", "f", 5000, "1", 2, 0, 1, true},
    // 3. A blank limit is no limit, not a limit of 0 kB that would refuse every photo.
    {"BlankLimit", "f", 5000, "", std::nullopt, 0, 0, false},
    // 4. Blank name and empty file: 36; a missing file: the runtime's not-found code.
    {"BlankName", "  ", 0, "1", std::nullopt, 0, 36, false},
    {"EmptyFile", "f", 0, "1", std::nullopt, 0, 36, false},
    {"Missing", "missing", 0, "1", std::nullopt, 0, 2, false},
    // 5. 70000 bytes go in three parts; a failing third part is returned and nothing loaded.
    {"ThreeParts", "f", 70000, "100", std::nullopt, 0, 0, false},
    {"ThirdPartFails", "f", 70000, "100", std::nullopt, 3, 30, false},
};

class Loads : public ::testing::TestWithParam<LoadCase> {
 protected:
  void TearDown() override { files::fail_part(0, 0); }
  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
  test::TempDir dir;
};

TEST_P(Loads, Result) {
  const LoadCase& c = GetParam();
  test::set_company_parameter("MaxRozZdjecArt", c.limit_kb);
  std::string path = std::string(c.file) == "f" ? dir.file("photo.jpg") : c.file;
  if (std::string(c.file) == "f") write(path, c.size);
  if (std::string(c.file) == "missing") path = dir.file("none.jpg");
  sql::Blob target{{1, 2, 3}, false};
  files::fail_part(c.fail_part, files::kReadFault);
  EXPECT_EQ(PLIKTOBLOB(path, target, c.no_limit), c.expected);
  EXPECT_EQ(ui.boxes().size(), c.warned ? 1u : 0u);
  if (c.expected == 0) {
    EXPECT_EQ(target.size(), c.size);
  } else {
    EXPECT_EQ(target.bytes, (std::vector<unsigned char>{1, 2, 3})) << "a refusal changed the BLOB";
  }
}
INSTANTIATE_TEST_SUITE_P(Cases, Loads, ::testing::ValuesIn(kLoads));

TEST(SizeWarning, Text) {
  EXPECT_EQ(size_warning(1501, 1),
            "Wybrane zdj\xEA"
            "cie posiada rozmiar 2 kB.|Maksymalny dopuszczalny rozmiar wynosi 1 "
            "kB.|Je\xBF"
            "eli chcesz zmieni\xE6 maksymalny rozmiar wejd\x9F w Konfiguracja "
            "firmy->Artyku\xB3y.");
}

struct SaveCase {
  const char* name;
  std::size_t size;
  const char* file;
  int32_t expected;
  bool exists;
};
const SaveCase kSaves[] = {
    // 1. An empty BLOB writes no file and succeeds.
    {"Empty", 0, "out.jpg", 0, false},
    // 2. Bytes go to the file; a blank name is 36; a folder that does not exist is not found.
    {"Bytes", 70000, "out.jpg", 0, true},
    {"BlankName", 10, " ", 36, false},
    {"NoFolder", 10, "no/such/out.jpg", 2, false},
};

TEST(BlobToFile, Cases) {
  for (const SaveCase& c : kSaves) {
    test::TempDir dir;
    std::vector<unsigned char> bytes(c.size, 7);
    std::string path = std::string(c.file) == " " ? " " : dir.file(c.file);
    EXPECT_EQ(BLOBTOPLIK(bytes, path), c.expected) << c.name;
    EXPECT_EQ(files::is_folder(dir.path()) && std::ifstream(path).good(), c.exists) << c.name;
    uint64_t size = 0;
    if (c.exists) {
      EXPECT_EQ((files::file_size(path, size), size), c.size) << c.name;
    }
  }
}

TEST(RptToBlob, GivesTheSizeWithoutLimit) {
  test::DemoDb db;
  test::set_company_parameter("MaxRozZdjecArt", "1");
  test::TempDir dir;
  write(dir.file("r.rpt"), 4000);
  sql::Blob target;
  int32_t size = 0;
  EXPECT_EQ(RPTTOBLOB(dir.file("r.rpt"), target, size), 0);
  EXPECT_EQ(size, 4000);
  EXPECT_EQ(target.size(), 4000u);
}

}  // namespace
}  // namespace orv::attachments
