// Loading shared libraries: folder first, then the system; missing files and symbols explained.
#include "platform/dynlib/library.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/support.hpp"

namespace orv::dynlib {
namespace {

using orv::test::contains;

const std::string kOwnFolder = std::string(ORV_BINARY_DIR) + "/src";

TEST(Library, FindsABareNameInTheGivenFolder) {
  Library lib;
  ASSERT_TRUE(lib.load("orvrun", kOwnFolder)) << lib.error();
  EXPECT_EQ(lib.path(), kOwnFolder + "/liborvrun.so");
  EXPECT_NE(lib.symbol("ORVRUN_FREE"), nullptr) << lib.error();
  lib.unload();
  EXPECT_FALSE(lib.loaded());
}

TEST(Library, AWindowsNameFindsTheLinuxBuild) {
  Library lib;
  ASSERT_TRUE(lib.load("orvrun.DLL", kOwnFolder)) << lib.error();
  EXPECT_EQ(lib.path(), kOwnFolder + "/liborvrun.so");
}

TEST(Library, FallsBackToTheSystemSearch) {
  test::TempDir empty;
  Library lib;
  ASSERT_TRUE(lib.load("libm.so.6", empty.path())) << lib.error();
  EXPECT_EQ(lib.path(), "libm.so.6");
  auto cosine = lib.function<double (*)(double)>("cos");
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
}

TEST(Library, MissingEverywhereNamesTheLibraryAndTheFolder) {
  test::TempDir empty;
  Library lib;
  EXPECT_FALSE(lib.load("TORIXbrak", empty.path()));
  EXPECT_FALSE(lib.loaded());
  EXPECT_TRUE(contains(lib.error(), "TORIXbrak")) << lib.error();
  EXPECT_TRUE(contains(lib.error(), empty.path())) << lib.error();
  EXPECT_TRUE(contains(lib.error(), "libTORIXbrak.so")) << lib.error();  // every form tried
  EXPECT_EQ(lib.symbol("x"), nullptr);
  EXPECT_TRUE(contains(lib.error(), "no library is loaded")) << lib.error();
}

TEST(Library, ABrokenCopyInTheFolderIsReportedNotSkipped) {
  test::TempDir dir;
  std::ofstream(dir.file("libm.so.6")) << "not a shared object";
  Library lib;
  EXPECT_FALSE(lib.load("libm.so.6", dir.path()));
  EXPECT_TRUE(contains(lib.error(), dir.file("libm.so.6"))) << lib.error();
}

TEST(Library, MissingSymbolNamesTheSymbolAndTheFile) {
  Library lib;
  ASSERT_TRUE(lib.load("libm.so.6")) << lib.error();
  EXPECT_EQ(lib.symbol("UtworzPlikExcel"), nullptr);
  EXPECT_TRUE(contains(lib.error(), "UtworzPlikExcel")) << lib.error();
  EXPECT_TRUE(contains(lib.error(), "libm.so.6")) << lib.error();
  EXPECT_TRUE(lib.loaded());  // a missing symbol does not unload
}

TEST(Library, EmptyNameAndMovesAreSafe) {
  Library lib;
  EXPECT_FALSE(lib.load(""));
  EXPECT_FALSE(lib.error().empty());
  ASSERT_TRUE(lib.load("libm.so.6"));
  Library moved = std::move(lib);
  EXPECT_TRUE(moved.loaded());
  EXPECT_FALSE(lib.loaded());  // NOLINT: the moved-from object is checked on purpose
  lib = std::move(moved);
  EXPECT_TRUE(lib.loaded());
}

}  // namespace
}  // namespace orv::dynlib
