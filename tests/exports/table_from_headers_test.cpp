// The build step that writes the table of exported procedures from the public headers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/support.hpp"

namespace orv {
namespace {

struct Generated {
  int status = -1;
  std::string table;
};

// Runs the step on a folder whose orvrun.h gathers one subsystem header holding
// `declarations`; orvrun_host.h, which orvrun.h does not gather, holds `host`.
Generated generate(const std::string& declarations, const std::string& host = {}) {
  test::TempDir dir;
  std::ofstream(dir.file("orvrun.h")) << "/* The C ABI. */\n#include \"orvrun_x.h\"\n";
  std::ofstream(dir.file("orvrun_x.h"))
      << "/* Exported procedures of x. */\n#include \"orvrun.h\"\n"
      << declarations;
  std::ofstream(dir.file("orvrun_host.h")) << host;
  std::string command = "cmake -DDIR=" + dir.path() + " -DOUT=" + dir.file("t.cpp") + " -P " +
                        ORV_SOURCE_DIR + "/src/exports/table_from_headers.cmake 2>/dev/null";
  Generated g;
  g.status = std::system(command.c_str());
  std::stringstream text;
  text << std::ifstream(dir.file("t.cpp")).rdbuf();
  g.table = text.str();
  return g;
}

// 1. Every mark of a parameter reaches the table; a declaration may span lines.
TEST(TableFromHeaders, MarksBecomeTableNames) {
  Generated g = generate(
      "/* the first; a summary with \"quotes\" */\n"
      "ORVRUN_API uint8_t ONE(const char* statement /* SQL */, ORVRUN_TEXT* name /* optional */\n"
      "    /* 21 bytes */, int32_t n) ORVRUN_NOEXCEPT;\n"
      "/* nothing in */\nORVRUN_API void TWO(void) ORVRUN_NOEXCEPT;\n");
  ASSERT_EQ(g.status, 0);
  EXPECT_NE(g.table.find("ORV_EXPORT(ONE, \"the first; a summary with \\\"quotes\\\"\", "
                         "\"sql:statement\", \"name?[21]\", \"n\");"),
            std::string::npos)
      << g.table;
  EXPECT_NE(g.table.find("ORV_EXPORT(TWO, \"nothing in\");"), std::string::npos) << g.table;
}

// 2. A declaration without its line of purpose stops the build.
TEST(TableFromHeaders, DeclarationWithoutPurposeIsRefused) {
  EXPECT_NE(generate("ORVRUN_API void THREE(void) ORVRUN_NOEXCEPT;\n").status, 0);
}

// 3. Headers orvrun.h does not gather (the host interface) add nothing to the table.
TEST(TableFromHeaders, HostInterfaceIsNotAProcedure) {
  Generated g = generate("/* four */\nORVRUN_API void FOUR(void) ORVRUN_NOEXCEPT;\n",
                         "ORVRUN_API void HOST(void) ORVRUN_NOEXCEPT;\n");
  ASSERT_EQ(g.status, 0);
  EXPECT_EQ(g.table.find("HOST"), std::string::npos) << g.table;
}

}  // namespace
}  // namespace orv
