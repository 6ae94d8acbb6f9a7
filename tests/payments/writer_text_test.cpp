// The text of one transfer by a scheme, without a database: every field kind in each code page
// against golden files, the once-per-file register, and the refusals that keep a transfer
// whose data would change out of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payments/transfer_text.hpp"
#include "platform/text/cp1250.hpp"
#include "writer_golden.hpp"

namespace orv::payments {
namespace {

Position system(int64_t id, char type = 'A', int length = 35) {
  Position p;
  p.field_id = id;
  p.system_element = true;
  p.format_type = type;
  p.length = length;
  p.separator = "|";
  p.field_name = "pole " + std::to_string(id);
  return p;
}

Position user(int64_t id, std::string constant) {
  Position p = system(id);
  p.system_element = false;
  p.constant = std::move(constant);
  return p;
}

Transfer demo_transfer() {
  Transfer t;
  t.name = "Przedsiębiorstwo Usługowe Żółć i Wspólnicy Spółka Jawna z Łodzi"_w1250;
  t.city_line = "90-001 Łódź"_w1250;
  t.street_line = "ul. Piotrkowska 100/2";
  t.account = "47105014451000009030004000";
  t.company_account = "61109010140000071219812874";
  t.company_check = "61";
  t.title = "Zapłata za fakturę FZ 12/2025 i FZ 13/2025 zgodnie z umową nr 7 ze stycznia"_w1250;
  Decimal::parse("1234.5", t.amount);
  t.amount = t.amount.rescale(2);
  t.date = 82197;
  return t;
}

Company demo_company() {
  return {"Hurtownia Budowlana Demo Spółka z ograniczoną odpowiedzialnością"_w1250,
          "ul. Marszałkowska 10/4"_w1250, "00-590 Warszawa"};
}

// Every field the writer knows, one position each (names and title in two pieces), a line
// break after the counterparty's and the company's parts.
std::vector<Position> every_field() {
  std::vector<Position> s;
  for (int64_t id : {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) s.push_back(system(id));
  s.back().line_end = true;
  for (int64_t id : {51, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60}) s.push_back(system(id));
  s.back().line_end = true;
  s.push_back(system(100));
  s.push_back(system(100));
  s.push_back(system(101, 'N', 15));
  Position amount = system(101, 'N', 12);
  amount.fixed = true;
  amount.format_separator = ",";
  s.push_back(amount);
  Position date = system(102, 'D', 8);
  date.date_pattern = "RRRRMMDD";
  s.push_back(date);
  date.date_pattern = "DDMMRR";
  date.format_separator = "-";
  s.push_back(date);
  s.push_back(user(200, "Stała żółta"_w1250));
  s.push_back(system(77));  // a system id with no meaning: empty, not required
  s.back().required = false;
  return s;
}

TEST(WriterText, EveryFieldKindInEachCodePage) {
  const std::vector<Position> scheme = every_field();
  const Company company = demo_company();
  const struct {
    CodePage page;
    const char* golden;
  } pages[] = {{CodePage::Latin, "fields_latin.txt"},
               {CodePage::Mazovia, "fields_mazovia.txt"},
               {CodePage::NoPolish, "fields_bez_pl.txt"},
               {CodePage::Windows, "fields_windows.txt"}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.golden);
    TransferText t = TextBuilder(scheme, p.page, company).build(demo_transfer(), {});
    EXPECT_TRUE(t.refusals.empty());
    test_golden::expect_golden(p.golden, t.text);
    // As a file (one record, CR LF) it holds only what its code page reads as meant.
    test_golden::expect_bank_clean(t.text + "\r\n", {p.page, false, 0, 1000});
  }
}

// The writer's loop over transfers, as payment_writer.cpp runs it: a text is written only when
// not empty, and only a written text enters its once-per-file fields in the register.
std::vector<std::string> write_all(const TextBuilder& b, const std::vector<Transfer>& transfers) {
  OnceRegister once;
  std::vector<std::string> out;
  for (const Transfer& t : transfers) {
    TransferText tt = b.build(t, once);
    if (tt.text.empty()) continue;
    out.push_back(tt.text);
    once.insert(tt.once_written.begin(), tt.once_written.end());
  }
  return out;
}

TEST(WriterText, TheOncePerFileFieldGoesWithTheFirstWrittenTransfer) {
  Position header = user(204, "NAGŁÓWEK"_w1250);
  header.once_per_file = true;
  header.line_end = true;
  header.separator.clear();
  const std::vector<Position> scheme = {header, system(1), system(101, 'N', 15)};
  const Company company = demo_company();
  const TextBuilder b(scheme, CodePage::Windows, company);
  Transfer refused = demo_transfer();
  refused.name.clear();  // the required name is missing
  Transfer a = demo_transfer(), c = demo_transfer();
  a.name = "A";
  c.name = "C";
  // The first transfer is refused: the header goes with the next one, and only once.
  EXPECT_EQ(write_all(b, {refused, a, c}),
            (std::vector<std::string>{"NAGŁÓWEK\r\nA|123450|"_w1250, "C|123450|"}));
  EXPECT_EQ(write_all(b, {a, c}),
            (std::vector<std::string>{"NAGŁÓWEK\r\nA|123450|"_w1250, "C|123450|"}));
}

struct RefusalCase {
  int n;
  const char* what;
  std::vector<Position> scheme;
  Transfer transfer;
  Reason reason;
};

std::vector<RefusalCase> refusal_cases() {
  std::vector<RefusalCase> cases;
  Transfer big = demo_transfer();
  Decimal::parse("12345.67", big.amount);
  Position six = system(101, 'N', 6);
  six.format_separator = ",";
  cases.push_back({1, "12 345,67 in six characters", {six}, big, Reason::NumberTooLong});
  Transfer long_title = demo_transfer();
  long_title.title = std::string(255, 'T');
  cases.push_back(
      {2, "a value over 200", {system(100, 'A', 250)}, long_title, Reason::ValueTooLong});
  std::vector<Position> wide;
  for (int i = 0; i < 31; ++i) {
    wide.push_back(user(200, std::string(100, 'x')));
    wide.back().length = 100;
  }
  cases.push_back({3, "a text over 3000", wide, demo_transfer(), Reason::TextTooLong});
  Transfer homeless = demo_transfer();
  homeless.city_missing = true;
  Position town = system(3);
  town.required = false;
  cases.push_back(
      {4, "no town line, even where not required", {town}, homeless, Reason::NoAddress});
  Transfer nameless = demo_transfer();
  nameless.name.clear();
  cases.push_back({5, "a required value missing", {system(1)}, nameless, Reason::Missing});
  return cases;
}

TEST(WriterText, ATransferWhoseDataWouldChangeIsRefused) {
  const Company company = demo_company();
  for (const RefusalCase& c : refusal_cases()) {
    SCOPED_TRACE(c.what);
    TransferText t = TextBuilder(c.scheme, CodePage::Windows, company).build(c.transfer, {});
    EXPECT_EQ(t.text, "");
    ASSERT_EQ(t.refusals.size(), 1u);
    EXPECT_EQ(t.refusals[0].reason, c.reason);
  }
  // The same transfers by schemes that do not print what is wrong are written.
  Transfer homeless = demo_transfer();
  homeless.street_missing = homeless.city_missing = true;
  TransferText ok = TextBuilder({system(1)}, CodePage::Windows, company).build(homeless, {});
  EXPECT_EQ(ok.text, "Przedsiębiorstwo Usługowe Żółć i |"_w1250);
}

TEST(WriterText, MarkersLeaveTheValueAndTheLastLineEndsInTheFile) {
  Position quoted = system(1);
  quoted.prefix = quoted.suffix = "\"";
  quoted.line_end = true;
  Position last = user(200, "koniec");
  last.line_end = true;
  Transfer t = demo_transfer();
  t.name = "Firma \"Żuraw\" s.c."_w1250;
  const Company company = demo_company();
  TransferText out = TextBuilder({quoted, last}, CodePage::Windows, company).build(t, {});
  EXPECT_EQ(out.text, "\"Firma Żuraw s.c.\"|\r\nkoniec|"_w1250);
}

}  // namespace
}  // namespace orv::payments
