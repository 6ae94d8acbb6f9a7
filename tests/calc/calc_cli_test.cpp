// The unit's procedures through the CLI: plain values, a reference text, an omitted optional.
#include <gtest/gtest.h>

#include "support/support.hpp"

namespace orv {
namespace {

using test::run_cli;

TEST(CalcCli, PredicatesAndTexts) {
  EXPECT_EQ(run_cli({"call", "NIPOK", "123-456-32-18"}).out, "1\n");
  EXPECT_EQ(run_cli({"call", "PESELOK", "4405140135"}).out, "0\n");
  EXPECT_EQ(run_cli({"call", "TEKSTZPOLNAANG", "Zażółć gęślą jaźń"}).out, "Zazolc_gesla_jazn\n");
  EXPECT_EQ(run_cli({"call", "LONGTOHEX", "-1"}).out, "FFFFFFFF\n");
}

TEST(CalcCli, WarningTravelsInJson) {
  auto r = run_cli({"call", "--json", "IBAN_CZYPOPRAWNY", "PL61109010140000071219812874"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"result\": 0, \"out\": {}, \"messages\": [{\"kind\": \"warning\", \"title\": "
            "\"ORVEX: Ostrzeżenie\", \"text\": \"W numerze rachunku nie może być znaków "
            "alfabetycznych!\", \"answer\": \"ok\"}], \"windows\": []}\n");
}

TEST(CalcCli, ReferenceTextsComeBackInOut) {
  auto line = run_cli({"call", "--json", "POBIERZLINIE", "a\r\nbb\r\nc", "", "2"});
  EXPECT_EQ(line.out,
            "{\"result\": 1, \"out\": {\"line\": \"bb\"}, \"messages\": [], \"windows\": []}\n");
  auto wrap = run_cli({"call", "--json", "PODZIELLINIE", "abcdefghijklmnop", "1", "10"});
  EXPECT_EQ(wrap.out,
            "{\"result\": \"abcdefghij\", \"out\": {\"position\": 10}, \"messages\": [], "
            "\"windows\": []}\n");
}

TEST(CalcCli, OmittedOptionalsReadAsLeftOut) {
  // REPLACETEXT without its flag compares in any case; with 1 only exactly.
  auto any = run_cli({"call", "--json", "REPLACETEXT", "abc ABC", "abc", "x"});
  EXPECT_NE(any.out.find("\"text\": \"x x\""), std::string::npos) << any.out;
  auto exact = run_cli({"call", "--json", "REPLACETEXT", "abc ABC", "abc", "x", "1"});
  EXPECT_NE(exact.out.find("\"text\": \"x ABC\""), std::string::npos) << exact.out;
  EXPECT_EQ(run_cli({"call", "PODAJADRES", "Polna", "5"}).out, "Polna 5\n");
  EXPECT_EQ(run_cli({"call", "NIPUE", "PL5260001246  ", "x"}).out, "PL5260001246\n");
}

}  // namespace
}  // namespace orv
