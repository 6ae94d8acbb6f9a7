// Starting programs from argument vectors, and the desktop opener as each UI backend treats it.
#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/text/cp1250.hpp"
#include "platform/ui/headless/headless.hpp"
#include "platform/ui/terminal/terminal.hpp"
#include "support/support.hpp"

namespace orv::shell {
namespace {

bool appears(const std::string& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::filesystem::exists(path);
}

std::vector<std::string> g_started;
bool record_start(const std::vector<std::string>& argv, std::string&) {
  g_started = argv;
  return true;
}
struct PlainBackend : ui::Backend {
  unsigned message(const ui::MessageBox&) override { return ui::kOk; }
};

bool refuse_start(const std::vector<std::string>&, std::string& error) {
  error = "refused";
  return false;
}

// A path full of shell syntax reaches the program as one argument and runs nothing.
TEST(Shell, APathIsOneArgumentNeverShellSyntax) {
  test::TempDir dir;
  std::string odd = dir.file("a b; touch pwned $(id) `x`");
  std::string error;
  ASSERT_TRUE(start_program({"touch", odd}, error)) << error;
  EXPECT_TRUE(appears(odd));
  EXPECT_FALSE(std::filesystem::exists(dir.file("pwned")));
}

TEST(Shell, AMissingProgramIsReported) {
  std::string error;
  EXPECT_FALSE(start_program({"no-such-program-orvrun"}, error));
  EXPECT_NE(error.find("cannot start no-such-program-orvrun"), std::string::npos) << error;
  EXPECT_FALSE(start_program({}, error));
}

// Scripted backends record the request and start nothing; the base backend hands the path, in
// UTF-8, to xdg-open; a starter that fails makes the open fail with its reason.
TEST(Shell, OpeningGoesThroughTheBackend) {
  Starter old = set_starter(record_start);
  g_started.clear();
  std::string error;
  ui::HeadlessBackend headless;
  EXPECT_TRUE(headless.open_document("Łódź.xlsx"_w1250, error));
  EXPECT_TRUE(g_started.empty());
  EXPECT_EQ(headless.opened_documents(), std::vector<std::string>{"Łódź.xlsx"_w1250});

  PlainBackend plain_backend;
  EXPECT_TRUE(plain_backend.open_document("Łódź.xlsx"_w1250, error));
  EXPECT_EQ(g_started, (std::vector<std::string>{"xdg-open", "Łódź.xlsx"}));

  // The terminal, where a person sits, records the request and starts the opener as well.
  g_started.clear();
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  {
    ui::TerminalBackend terminal(in, out);
    EXPECT_TRUE(terminal.open_document("a.csv", error));
    EXPECT_EQ(terminal.opened_documents(), std::vector<std::string>{"a.csv"});
  }
  std::fclose(in);
  std::fclose(out);
  EXPECT_EQ(g_started, (std::vector<std::string>{"xdg-open", "a.csv"}));

  set_starter(refuse_start);
  EXPECT_FALSE(plain_backend.open_document("x.csv", error));
  EXPECT_EQ(error, "refused");
  set_starter(old);
}

}  // namespace
}  // namespace orv::shell
