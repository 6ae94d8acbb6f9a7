// The payment-file checker: one bad file per rule, the clean golden record, options from the demo
// schemes, and the CLI's statuses.
#include "payments/payment_check.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string_view>

#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::payments {
namespace {

// A complete synthetic record whose accounts pass mod 97 and whose sort codes match them; the
// "ł" and "ó" are IBM 852 bytes.
// No comma stands inside its texts, so splitting at commas gives its fields.
constexpr std::string_view kGolden =
    "110,20260715,12300,11402004,0,\"49114020040000330200112177\",\"61109010140000071219812874\","
    "\"Moja Firma|ul. W\210asna 1 Krak\242w\",\"Dostawca Sp. z o.o.|ul. Dostawcza 7 Warszawa\",0,"
    "10901014,\"FV/1\",\"\",\"\",\"51\",\"\"";

// The first `count` fields of the golden record with field n (from 1) replaced, as a line
// without its end.
std::string fields(int count, int n = 0, const std::string& value = {}) {
  std::string line;
  std::size_t at = 0;
  for (int i = 1; i <= count; ++i) {
    const std::size_t comma = std::min(kGolden.find(',', at), kGolden.size());
    if (i > 1) line += ',';
    line += i == n ? value : std::string(kGolden.substr(at, comma - at));
    at = comma + 1;
  }
  return line;
}
std::string record(int n = 0, const std::string& value = {}) {
  return fields(16, n, value);
}
std::string line(int n, const std::string& value) {
  return record(n, value) + "\r\n";
}

const std::string kLine = record() + "\r\n";

struct Case {
  const char* purpose;
  std::string bytes;
  std::string rule;  // the one finding expected
  std::size_t line;
  int field;
  CodePage page = CodePage::Latin;
};

const Case kCases[] = {
    {"14 fields", fields(14) + "\r\n", "fields", 1, 0},
    {"an empty line between records", kLine + "\r\n" + kLine, "fields", 2, 0},
    {"quoted amount", line(3, "\"12300\""), "quote", 1, 3},
    {"unquoted title", line(12, "FV/1"), "quote", 1, 12},
    {"a quote inside the title", line(12, "\"FV\"1\""), "quote", 1, 12},
    {"a quote never closed", record().substr(0, record().size() - 1) + "\r\n", "quote", 1, 16},
    {"order type of two digits", line(1, "11"), "number", 1, 1},
    {"fixed zero field", line(10, "1"), "number", 1, 10},
    {"classification of one digit", line(15, "\"5\""), "number", 1, 15},
    {"30 February", line(2, "20260230"), "date", 1, 2},
    {"amount with a decimal point", line(3, "123.00"), "amount", 1, 3},
    {"negative amount", line(3, "-12300"), "amount", 1, 3},
    {"zero amount", line(3, "000"), "amount", 1, 3},
    {"amount of 16 digits", line(3, "1234567890123456"), "amount", 1, 3},
    {"account failing mod 97", line(7, "\"61109010140000071219812875\""), "nrb", 1, 7},
    {"account with blanks", line(6, "\"49 1140 2004 0000 3302 0011 2177\""), "nrb", 1, 6},
    {"sort code of another bank", line(11, "10901015"), "sort-code", 1, 11},
    {"title line of 36 characters", line(12, "\"" + std::string(36, 'x') + "\""), "text-length", 1,
     12},
    {"five title lines", line(12, "\"a|b|c|d|e\""), "text-lines", 1, 12},
    {"ampersand in a name", line(9, "\"Dostawca & Syn\""), "character", 1, 9},
    {"Windows-1250 letter in IBM 852", line(12, "\"Zap\263ata\""), "code-page", 1, 12},
    {"IBM 852 letter in Windows-1250", kLine, "code-page", 1, 8, CodePage::Windows},
    {"any Polish letter without Polish letters", kLine, "code-page", 1, 8, CodePage::NoPolish},
    {"UTF-8 where IBM 852 is expected", line(12, "\"Zap\305\202ata\""), "utf8", 1, 12},
    {"UTF-8 where Windows-1250 is expected", line(8, "\"\342\200\236Moja Firma\""), "utf8", 1, 8,
     CodePage::Windows},
    {"a tab in the title", line(12, "\"FV\t1\""), "control", 1, 12},
    {"LF alone", kLine + record() + "\n", "line-end", 2, 0},
    {"the last line without CR LF", kLine + record(), "line-end", 2, 0},
    {"a CR inside a line", line(12, "\"FV\r1\""), "line-end", 1, 12},
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + kLine, "bom", 0, 0},
    {"nothing at all", "", "empty", 0, 0},
};

TEST(PaymentCheck, EachRuleRejectsItsFault) {
  for (const Case& c : kCases) {
    CheckOptions options;
    options.code_page = c.page;
    const CheckResult r = check_payment_file(c.bytes, options);
    ASSERT_EQ(r.total, 1u) << c.purpose << ": " << report_text(r);
    EXPECT_EQ(r.findings[0].rule, c.rule) << c.purpose;
    EXPECT_EQ(r.findings[0].line, c.line) << c.purpose;
    EXPECT_EQ(r.findings[0].field, c.field) << c.purpose;
  }
}

TEST(PaymentCheck, CleanFilesPass) {
  const std::string windows = line(8, "\"Moja Firma|ul. W\263asna 1 Krak\363w\"");
  struct Clean {
    const char* purpose;
    std::string bytes;
    CodePage page;
    bool elixir;
  } cases[] = {
      {"golden record, 16 fields", kLine + kLine, CodePage::Latin, true},
      {"15 fields", fields(15) + "\r\n", CodePage::Latin, true},
      {"Windows-1250 letters", windows, CodePage::Windows, true},
      {"fixed-width lines with a header", "PRZELEWY\r\n15-01-2026 Jan   123,45\r\n",
       CodePage::Windows, false},
  };
  for (const Clean& c : cases) {
    CheckOptions options{.code_page = c.page, .elixir = c.elixir};
    const CheckResult r = check_payment_file(c.bytes, options);
    EXPECT_EQ(r.total, 0u) << c.purpose << ": " << report_text(r);
  }
}

TEST(PaymentCheck, LimitsCountRecordsAndCapTheDetail) {
  const CheckResult records = check_payment_file(kLine + kLine + kLine, {.max_records = 2});
  ASSERT_EQ(records.total, 1u);
  EXPECT_EQ(records.findings[0].rule, "records");
  EXPECT_EQ(records.findings[0].line, 3u);
  std::string bad;
  for (int i = 0; i < 5; ++i) bad += line(3, "0");
  const CheckResult capped = check_payment_file(bad, {.max_findings = 2});
  EXPECT_EQ(capped.total, 5u);
  EXPECT_EQ(capped.findings.size(), 2u);
  EXPECT_NE(report_text(capped).find("5 findings in 5 lines (the first 2 listed)"),
            std::string::npos);
}

TEST(PaymentCheck, DemoSchemesGiveTheirOptions) {
  test::DemoDb db;
  const auto elixir = check_options_of_scheme(1);
  ASSERT_TRUE(elixir);
  EXPECT_EQ(elixir->code_page, CodePage::Latin);
  EXPECT_TRUE(elixir->elixir);
  const auto fixed = check_options_of_scheme(2);
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->code_page, CodePage::Windows);
  EXPECT_FALSE(fixed->elixir);
  EXPECT_FALSE(check_options_of_scheme(99));
  db.faults().fail_matching("MC_DEF_NAG", sql::Fault::rejected("refused"));
  EXPECT_FALSE(check_options_of_scheme(1));  // a scheme that cannot be read is not guessed
}

TEST(PaymentCheck, CliExitStatusesAndJson) {
  test::TempDir dir;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir.file(name), std::ios::binary) << bytes;
    return dir.file(name);
  };
  const std::string good = write("good.txt", kLine);
  const std::string bad = write("bad.txt", line(3, "1,00"));
  EXPECT_EQ(test::run_cli({"check-payments", good}).status, 0);
  const auto json = test::run_cli({"check-payments", bad, "--json"});
  EXPECT_EQ(json.status, 1);
  EXPECT_NE(json.out.find("\"rule\": \"fields\""), std::string::npos) << json.out;
  // Scheme 2 writes Windows-1250: the IBM 852 letters of the golden record are then wrong.
  const auto scheme =
      test::run_cli({"check-payments", "--db", test::DemoDb::made_once(), good, "--scheme", "2"});
  EXPECT_EQ(scheme.status, 1);
  EXPECT_NE(scheme.out.find("code-page"), std::string::npos) << scheme.out;
  EXPECT_EQ(test::run_cli({"check-payments", dir.file("none.txt")}).status, 2);
  EXPECT_EQ(test::run_cli({"check-payments", good, "--scheme", "x"}).status, 2);
}

}  // namespace
}  // namespace orv::payments
