// The CLI and windows: scripts, the "windows" of the JSON output, and orvrun windows.
#include <gtest/gtest.h>

#include <fstream>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

using orv::test::contains;

TEST(CliWindows, ScriptDrivesTheConverterAndJsonShowsTheWindow) {
  auto r = run_cli({"call", "--json", "--ui-script", "set NR_PROCENT -20; press Zatwierdź",
                    "PRZELICZNIKRABATU", "-10", "90"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "{\"result\": null, \"out\": {\"percentage\": -20, \"price\": 80}, \"messages\": [], "
      "\"windows\": [{\"name\": \"PrzelicznikRabatu\", \"title\": \"Przelicznik "
      "narzutów/rabatów\", "
      "\"controls\": {\"CENA\": \"100.00\", \"NR_PROCENT\": \"-20.00\", \"ZNAK_PROCENT\": \"%\", "
      "\"NR_KWOTA\": \"-20.00\", \"CENA_PO\": \"80.00\"}}]}\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliWindows, UnansweredWindowIsClosedAsByEscAndStderrSaysSo) {
  auto r = run_cli(
      {"call", "--json", "--ui-script", "set WPLATA 50", "WYDAWANIERESZTY", "42.5", "0", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(
      contains(r.out, "\"result\": 1, \"out\": {\"due\": 42.5, \"paid\": 50, \"change\": 7.5}"))
      << r.out;
  EXPECT_EQ(r.err,
            "orvrun: the window \"Wydawanie reszty\" (WydawanieReszty) waited for input; closed as "
            "by Esc\n");
}

TEST(CliWindows, ScriptFromAFileAndPlainOutput) {
  test::TempDir dir;
  std::ofstream(dir.file("s.txt")) << "# choose a shortcut\nselect LISTA 2\nkey Enter\n";
  auto r = run_cli({"call", "--ui-script", "@" + dir.file("s.txt"), "SKROTYKLAWISZOWE", "x", "0"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");  // no result; the references show only in --json
  auto j = run_cli(
      {"call", "--json", "--ui-script", "@" + dir.file("s.txt"), "SKROTYKLAWISZOWE", "x", "0"});
  EXPECT_TRUE(contains(j.out, "\"out\": {\"name\": \"Alt+1\", \"code\": 1073}")) << j.out;
}

TEST(CliWindows, FailingScriptExitsOneAndUnreadableScriptTwo) {
  auto r = run_cli({"call", "--ui-script", "press Nieznany", "WYDAWANIERESZTY", "1", "2", "3"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.err,
                       "ui script failed: the window \"Wydawanie reszty\" (WydawanieReszty): "
                       "\"press Nieznany\": there is no control \"Nieznany\""))
      << r.err;
  EXPECT_EQ(
      run_cli({"call", "--ui-script", "@/nonexistent/s.txt", "WYDAWANIERESZTY", "1", "2", "3"})
          .status,
      2);
  EXPECT_EQ(run_cli({"call", "--ui-script", "frobnicate", "WYDAWANIERESZTY", "1", "2", "3"}).status,
            2);
}

TEST(CliWindows, ErrorWindowStillReportedAsAMessage) {
  auto r = run_cli({"call", "--json", "ERRORWIN", "select 1", "Błąd"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(
      r.out,
      "{\"kind\": \"error\", \"title\": \"Błąd\", \"text\": \"select 1\", \"answer\": null}"))
      << r.out;
  EXPECT_TRUE(contains(r.out,
                       "\"windows\": [{\"name\": \"ErrorWin\", \"title\": \"Błąd\", \"controls\": "
                       "{\"TEKST\": \"select 1\"}}]"))
      << r.out;
  EXPECT_EQ(r.err, "");  // it only shows something: closing it needs no note
}

TEST(CliWindows, ListsEveryWindowWithItsControls) {
  auto r = run_cli({"windows"});
  EXPECT_EQ(r.status, 0);
  for (const char* part :
       {"ERRORWIN  \"Informacja\"  (INI section ErrorWin)",
        "PRZELICZNIKRABATU  \"Przelicznik narzutów/rabatów\"  (INI section PrzelicznikRabatu)",
        "SKROTYKLAWISZOWE  \"Skróty klawiszowe\"", "WYDAWANIERESZTY  \"Wydawanie reszty\"",
        "ZATWIERDZ          button    \"Zatwierdź\"  key F10"}) {
    EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
  }
  auto one = run_cli({"windows", "--json", "WydawanieReszty"});
  EXPECT_TRUE(
      one.out.starts_with("[{\"procedure\": \"WYDAWANIERESZTY\", \"name\": \"WydawanieReszty\", "
                          "\"title\": \"Wydawanie reszty\", \"controls\": [{\"number\": 1,"))
      << one.out;
  EXPECT_TRUE(contains(
      one.out, "{\"number\": 2, \"id\": \"WPLATA\", \"kind\": \"entry\", \"text\": \"Wpłata\""));
  EXPECT_EQ(run_cli({"windows", "NIEMA"}).status, 2);
}

TEST(CliWindows, PipedStdinWithoutScriptIsHeadless) {
  auto r = run_cli({"call", "SKROTYKLAWISZOWE", "x", "0"}, "select LISTA 2\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.err, "closed as by Esc")) << r.err;  // stdin is not a terminal: not read
}

}  // namespace
}  // namespace orv
