// The CLI contract: dispatch through the table, JSON output, answers, usage errors.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

TEST(Cli, JsonCallRecordsMessagesAndAnswers) {
  auto r = run_cli({"call", "--json", "--answer", "yes", "MSG_PYTANIE", "Czy usunąć?"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "{\"result\": 2, \"out\": {}, \"messages\": [{\"kind\": \"question\", \"title\": "
      "\"ORVEX: Pytanie\", \"text\": \"Czy usunąć?\", \"answer\": \"yes\"}], \"windows\": []}\n");
}

TEST(Cli, UnansweredQuestionIsNo) {
  auto r = run_cli({"call", "MSG_PYTANIE", "x", "Tytuł"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "4\n");
}

TEST(Cli, UsageErrorsExitTwo) {
  EXPECT_EQ(run_cli({"call", "NO_SUCH_PROC"}).status, 2);
  EXPECT_EQ(run_cli({"call", "MSG_INFORMACJA"}).status, 2);            // too few
  EXPECT_EQ(run_cli({"call", "MSG_INFORMACJA", "a", "b"}).status, 2);  // too many
  EXPECT_EQ(run_cli({"call", "--bogus", "MSG_INFORMACJA", "a"}).status, 2);
  EXPECT_EQ(run_cli({}).status, 2);
}

TEST(Cli, ListAndHelp) {
  auto list = run_cli({"call", "--list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("MSG_PYTANIE(text: STRING, title: STRING (optional)) -> BYTE"),
            std::string::npos);
  EXPECT_EQ(run_cli({"--help"}).status, 0);
}

}  // namespace
}  // namespace orv
