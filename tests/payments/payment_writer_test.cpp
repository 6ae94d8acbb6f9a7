// The payment-file writer on the demo database: jan's marked transfers (usage 300) written by
// both demo schemes against golden files, amounts and accounts against the documents, the
// transfer without an account in the error list, the header once; the file never half-written;
// the window driven by a script, and once through `orvrun call`.
#include "payments/payment_writer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/parameters.hpp"
#include "payments/error_list.hpp"
#include "payments/error_window.hpp"
#include "payments/export_window.hpp"
#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"
#include "writer_golden.hpp"

namespace orv::payments {
namespace {

using orv::test::read_bytes;
using test_golden::expect_bank_clean;
using test_golden::expect_golden;

constexpr int32_t kUsage = 300;
constexpr double kElixir = 1, kList = 2;

std::vector<std::string> lines_of(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
    out.push_back(bytes.substr(at, end - at));
  return out;
}

// The first `n` comma-separated fields of an Elixir-0 line (before any quoted text), quotes
// removed.
std::vector<std::string> leading_fields(const std::string& line, std::size_t n) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (out.size() < n) {
    std::size_t end = line.find(',', at);
    std::string f = line.substr(at, end - at);
    f.erase(std::remove(f.begin(), f.end(), '"'), f.end());
    out.push_back(f);
    at = end + 1;
  }
  return out;
}

const ui::WindowRecord* window_named(const ui::HeadlessBackend& b, const std::string& name) {
  for (const ui::WindowRecord& w : b.windows())
    if (w.name == name) return &w;
  return nullptr;
}

std::vector<std::vector<std::string>> error_rows(const ui::HeadlessBackend& b) {
  const ui::WindowRecord* w = window_named(b, "BledyExportuMC");
  if (!w) return {};
  for (const ui::Control& c : w->controls)
    if (c.id == "LISTA") return c.rows;
  return {};
}

class PaymentWriter : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.tsql()); }
  void TearDown() override { files::set_space_left(std::nullopt); }
  // A file the writer made, read as the bank would by the checker with its scheme's options.
  std::string produced(const std::string& path, double scheme) {
    std::string bytes = read_bytes(path);
    std::optional<CheckOptions> options = check_options_of_scheme(static_cast<int64_t>(scheme));
    EXPECT_TRUE(options.has_value());
    if (options) expect_bank_clean(bytes, *options);
    return bytes;
  }
  std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }
  test::DemoDb db;
  test::TempDir dir;
};

TEST_F(PaymentWriter, ElixirFileHoldsTheDocumentsAmountsAndAccounts) {
  test::ScopedUi ui;
  ui.ui().add_script("answer ok; close");
  const std::string path = dir.file("elixir.txt");
  ExportOutcome o = write_payment_file(kUsage, kElixir, path);
  EXPECT_EQ(o.read, 5);
  EXPECT_EQ(o.written, 4);
  const std::string bytes = produced(path, kElixir);
  expect_golden("demo_elixir0.txt", bytes);
  std::vector<std::string> amounts, accounts;
  for (const std::string& line : lines_of(bytes)) {
    std::vector<std::string> f = leading_fields(line, 7);
    amounts.push_back(f[2]);
    accounts.push_back(f[6]);
  }
  const char* written = " where df.id_dokumentu_finansowego in (11, 12, 13, 15)";
  EXPECT_EQ(sorted(amounts), sorted(db.column("select cast(round(kwota * 100) as integer) from "
                                              "dokument_finansowy df" +
                                              std::string(written))));
  EXPECT_EQ(sorted(accounts),
            sorted(db.column(
                "select coalesce(k.lk || replace(k.numer_rachunku, ' ', ''), p.lk || "
                "replace(p.numer_rachunku, ' ', ''), u.lk || replace(u.numer_rachunku, ' ', '')) "
                "from dokument_finansowy df left join rachunek_kontrahenta k on df.typ_platnika = "
                "'k' and k.numer_rachunku = df.nr_rachunku_platnika left join rachunek_pracownika "
                "p on df.typ_platnika = 'p' and p.numer_rachunku = df.nr_rachunku_platnika left "
                "join rachunek_urzedu u on df.typ_platnika = 'u' and u.numer_rachunku = "
                "df.nr_rachunku_platnika" +
                std::string(written))));
  // Transfer 16 (no account; its contractor has no full name) is listed, not written.
  EXPECT_EQ(bytes.find("Zaliczka"), std::string::npos);
  EXPECT_EQ(error_rows(ui.ui()),
            (std::vector<std::vector<std::string>>{{"Rachunek kontrahenta", "", "15-01-2026"},
                                                   {"Nazwa kontrahenta", "", "15-01-2026"}}));
  EXPECT_EQ(ui.boxes().at(0).box.text,
            "Ilość poprawnie utworzonych poleceń przelewu: 4|Ilość pominiętych dokumentów: "
            "1|Utworzono plik: "_w1250 +
                path);
  EXPECT_TRUE(export_errors().empty());
}

TEST_F(PaymentWriter, ListSchemeWritesItsHeaderOnceAndRefusesABlankAccount) {
  test::ScopedUi ui;
  ui.ui().add_script("answer ok; close");
  const std::string path = dir.file("lista.txt");
  ExportOutcome o = write_payment_file(kUsage, kList, path);
  EXPECT_EQ(o.written, 4);  // the fixed field's padding does not stand for the missing account
  const std::string bytes = produced(path, kList);
  expect_golden("demo_lista_przelewow.txt", bytes);
  std::vector<std::string> lines = lines_of(bytes);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "PRZELEWY HURTOWNIA DEMO");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), lines[0]), 1);
}

TEST_F(PaymentWriter, ARefusedFirstTransferLeavesTheHeaderToTheNext) {
  ASSERT_TRUE(
      db.run("update dokument_finansowy set nr_rachunku_platnika = '' where "
             "id_dokumentu_finansowego = 11"));
  test::ScopedUi ui;
  ui.ui().add_script("answer ok; close");
  const std::string path = dir.file("lista.txt");
  EXPECT_EQ(write_payment_file(kUsage, kList, path).written, 3);
  std::vector<std::string> lines = lines_of(produced(path, kList));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "PRZELEWY HURTOWNIA DEMO");
  EXPECT_TRUE(lines[1].starts_with("14-01-2026 Kowalski Jan ")) << lines[1];
}

TEST_F(PaymentWriter, AFailedWriteLeavesNoHalfFile) {
  const std::string path = dir.file("przelewy.txt");
  std::ofstream(path, std::ios::binary) << "poprzedni plik";
  struct Case {
    int n;
    std::string file;
    std::optional<uint64_t> space;
    const char* warning;
  } cases[] = {
      // 1. The disk fills during the second record: warned, nothing under the name changes.
      {1, path, 400, "Wystapił błąd dodawania linii 2|"},
      // 2. A folder that does not exist: the file cannot be made.
      {2, dir.file("brak/przelewy.txt"), std::nullopt, "Błąd utworzenia pliku "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    test::ScopedUi ui;
    ui.ui().add_script("answer ok; close");
    files::set_space_left(c.space);
    EXPECT_TRUE(write_payment_file(kUsage, kElixir, c.file).failed);
    files::set_space_left(std::nullopt);
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_TRUE(ui.boxes()[0].box.text.starts_with(text::from_utf8(c.warning)))
        << text::to_utf8(ui.boxes()[0].box.text);
    EXPECT_EQ(read_bytes(path), "poprzedni plik");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

TEST_F(PaymentWriter, NoRecordMakesNoFile) {
  // No document qualifies, or every one is refused: no (empty) payment file replaces the one
  // of that name, and the summary names none.
  const std::string path = dir.file("przelewy.txt");
  std::ofstream(path, std::ios::binary) << "poprzedni plik";
  ASSERT_TRUE(db.run("update dokument_finansowy set nr_rachunku_platnika = ''"));
  for (int32_t usage : {999, kUsage}) {
    SCOPED_TRACE(usage);
    test::ScopedUi ui;
    ui.ui().add_script("answer ok; close");
    ExportOutcome o = write_payment_file(usage, kElixir, path);
    EXPECT_EQ(o.written, 0);
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(read_bytes(path), "poprzedni plik");
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.boxes()[0].box.text,
              usage == kUsage ? "Ilość poprawnie utworzonych poleceń przelewu: 0|Ilość pominiętych "
                                "dokumentów: 5"_w1250
                              : "Ilość poprawnie utworzonych poleceń przelewu: 0"_w1250);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(PaymentWriter, TheErrorListShowsWhyEachTransferWasLeftOut) {
  export_errors().add({"Kwota", "ACME", 82197, 101, Reason::NumberTooLong, "12345,67"});
  export_errors().add({"Kwota", "ACME", 82197, 101, Reason::Missing, ""});  // the same key
  export_errors().add({"Miejscowość"_w1250, "Jan", 82198, 3, Reason::NoAddress, ""});
  export_errors().add({"", "Jan", 82198, 0, Reason::TextTooLong, ""});
  test::ScopedUi ui;
  ui.ui().add_script("close");
  BLEDY_EXPORTU_MC();
  export_errors().clear();
  EXPECT_EQ(error_rows(ui.ui()),
            (std::vector<std::vector<std::string>>{
                {"Kwota (liczba 12345,67 nie mieści się w polu)"_w1250, "ACME", "14-01-2026"},
                {"Miejscowość (odbiorca nie ma adresu)"_w1250, "Jan", "15-01-2026"},
                {"Cały przelew (tekst dłuższy niż 3000 znaków)"_w1250, "Jan", "15-01-2026"}}));
}

TEST_F(PaymentWriter, TheWindowChecksAsksStoresAndWrites) {
  auto& params = dict::glo().tables.U_PARAMKONFQ;
  params.add({"DOMFILENAMEEPP", "@s255", ""});
  params.add({"DOMSCHEMATEPP", "@n5", "0"});
  const std::string chosen = dir.file("przelewy");
  test::ScopedUi ui;
  ui.ui().add_script(
      "press WYKONAJ; answer ok;"                            // no scheme
      "choose SCHEMATY Elixir-0; press WYKONAJ; answer ok;"  // no file
      "press WYBIERZ_PLIK; answer " +
      chosen +
      ";"                          // ".txt" appended
      "press WYKONAJ; answer no;"  // not confirmed: stays
      "press WYKONAJ; answer yes; answer ok; close");
  EXPORT_TXT_MC(kUsage);
  const std::vector<ui::BoxRecord>& boxes = ui.boxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0].box.text, "Proszę wybrać schemat elektronicznego polecenia przelewu."_w1250);
  EXPECT_EQ(boxes[1].box.text, "Proszę wybrać plik."_w1250);
  EXPECT_EQ(boxes[2].box.text,
            "Czy chcesz wykonać eksport przelewów do pliku: "_w1250 + chosen + ".txt ?");
  EXPECT_EQ(ui.ui().file_dialogs().at(0).title, "Zapisz plik jako.");
  EXPECT_EQ(ui.ui().file_dialogs().at(0).filter, "Pliki tekstowe|*.txt|Wszystkie pliki|*.*");
  expect_golden("demo_elixir0.txt", produced(chosen + ".txt", kElixir));
  EXPECT_EQ(config::POBIERZPARAMKONF("u", "DomFileNameEpp"), chosen + ".txt");
  EXPECT_EQ(config::POBIERZPARAMKONF("u", "DomSchematEPP"), "1");
  EXPECT_EQ(with_extension("a.txt"), "a.txt");
  EXPECT_EQ(with_extension("a.pli"), "a.pli");
  EXPECT_EQ(with_extension("a.tx"), "a.tx.txt");
}

TEST_F(PaymentWriter, ThroughTheCli) {
  const std::string path = dir.file("cli.txt");
  test::CliResult r = test::run_cli({"call", "--db", db.path(), "--ui-script",
                                     "choose SCHEMATY Elixir-0; set PLIK " + path +
                                         "; press WYKONAJ; answer yes; answer ok; close",
                                     "EXPORT_TXT_MC", "300"});
  ASSERT_EQ(r.status, 0) << r.err;
  expect_golden("demo_elixir0.txt", produced(path, kElixir));
}

}  // namespace
}  // namespace orv::payments
