// EXPORTBROWSERTOEXCEL against the demo database and the headless UI: the checks, the dialog, the
// log entry, the open question, and every way a write can fail.
#include "lists/list_export.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/dict/context.hpp"
#include "platform/files/files.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/demo_db.hpp"

namespace orv::lists {
namespace {

constexpr double kAdministrator = 4100001;

ListObject sample_list() {
  ListObject l;
  l.caption = "Artykuły/2"_w1250;
  l.columns = {{"Lp", 20, "@n_6", 1, false},
               {"Indeks", 40, "@s20", 2, false},
               {"Cena", 40, "@n-14_`2", 3, false}};
  l.rows = {{Cell{}, Cell::of_text("WU-750"), Cell::of_number(259)},
            {Cell{}, Cell::of_text("FE \"10\""), Cell::of_number(1234.5)}};
  return l;
}

class ListExport : public testing::Test {
 protected:
  void SetUp() override {
    dict::glo().ID_UZYTKOWNIKA = kAdministrator;
    parameter("ZnakDoExcela", ";");
  }
  void TearDown() override { files::set_space_left(std::nullopt); }

  static void parameter(const std::string& code, const std::string& value) {
    auto& q = dict::glo().tables.U_PARAMKONFQ;
    q.add({text::upper(code), "@s20", value});
  }
  std::string run(const std::string& script, std::optional<std::string_view> description = {},
                  const ListObject& list = sample_list()) {
    ui.ui().add_script(script);
    EXPORTBROWSERTOEXCEL(list, 1, description);
    return files::read_all(dir.file("a.csv")).value_or("<none>");
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& b : ui.boxes()) out.push_back(b.box.text);
    return out;
  }
  // Nothing but the files the test expects is left in the folder: no temporary names.
  std::vector<std::string> files_left() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

  test::DemoDb db;
  test::TempDir dir;
  test::ScopedUi ui;
};

// The written CSV: quoted fields, ";" from the user's setting, "Lp" numbering, quotes replaced.
TEST_F(ListExport, WritesTheCsvAndOffersToOpenIt) {
  std::string csv = run("answer " + dir.file("a.csv") + "; answer yes");
  EXPECT_EQ(csv,
            "\"Lp\";\"Indeks\";\"Cena\"\r\n\"1\";\"WU-750\";\"259,00\"\r\n"
            "\"2\";\"FE `10`\";\"1 234,50\"\r\n");
  ASSERT_EQ(ui.ui().file_dialogs().size(), 1u);
  const auto& d = ui.ui().file_dialogs()[0];
  EXPECT_EQ(d.title, "Zapisz jako ...");
  EXPECT_EQ(d.file, "Artykuły_2_20260115"_w1250);
  EXPECT_EQ(d.filter, "XLSX|*.xlsx|XLS|*.xls|CSV|*.csv");
  EXPECT_EQ(texts(), std::vector<std::string>{"Plik eksportu " + dir.file("a.csv") +
                                              " został utworzony. |Czy chcesz go otworzyć?"_w1250});
  EXPECT_EQ(ui.ui().opened_documents(), std::vector<std::string>{dir.file("a.csv")});
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  EXPECT_EQ(ui.ui().windows()[0].name, "EksportDoExcela");
  EXPECT_EQ(ui.ui().busy_depth(), 0);
  EXPECT_EQ(files_left(), std::vector<std::string>{"a.csv"});
}

struct StopCase {
  int n;
  const char* purpose;
  double user;
  bool empty;
  const char* script;
  std::vector<std::string> boxes;
};

// Every way the export ends before writing: no file, nothing logged.
TEST_F(ListExport, StopsBeforeWriting) {
  const StopCase cases[] = {
      {1, "an empty list", kAdministrator, true, "", {"Brak danych do eksportu!"}},
      {2, "no permission", 8, false, "", {"Brak uprawnień na wykonanie Eksportu do Excela!"_w1250}},
      {3, "the dialog cancelled", kAdministrator, false, "answer cancel", {}},
  };
  for (const auto& c : cases) {
    ui.ui().clear_records();
    dict::glo().ID_UZYTKOWNIKA = c.user;
    ListObject list = sample_list();
    if (c.empty) list.rows.clear();
    db.clear_statements();
    EXPECT_EQ(run(c.script, "opis", list), "<none>") << c.n << ": " << c.purpose;
    EXPECT_EQ(texts(), c.boxes) << c.n << ": " << c.purpose;
    EXPECT_TRUE(db.statements().empty()) << c.n << ": " << c.purpose;
  }
}

// The description goes into the log as one literal, its apostrophes doubled; without one nothing
// is logged; a failing log statement is shown and the export stands.
TEST_F(ListExport, LogsTheDescribedExport) {
  run("answer " + dir.file("a.csv") + "; answer no", "Lista 'A'");
  EXPECT_EQ(db.statements(),
            std::vector<std::string>{"call  AP_ZapiszDoLogu(5,1,4100001,0,'Lista ''A''',6,"
                                     "'Eksport do excela',3,'Wyeksportowano rekordów: 2')"_w1250});
  EXPECT_EQ(db.value("select opis2 from log_zdarzen where rodzaj_obiektu = 'Lista ''A'''"),
            "Wyeksportowano rekordów: 2"_w1250);
  db.clear_statements();
  run("answer " + dir.file("a.csv") + "; answer no", "  ");
  EXPECT_TRUE(db.statements().empty());
  db.faults().fail_next(1, sql::Fault::rejected("log refused"));
  ui.ui().clear_records();
  run("answer " + dir.file("a.csv") + "; answer no", "x");
  EXPECT_EQ(texts().front(), "log refused");
  EXPECT_EQ(texts().size(), 2u);  // then the open question: the file stands
}

// A name ending otherwise is written as CSV with ".csv" appended.
TEST_F(ListExport, OtherEndingsBecomeCsv) {
  run("answer " + dir.file("a.txt") + "; answer no");
  EXPECT_EQ(files_left(), std::vector<std::string>{"a.txt.csv"});
}

struct SeparatorCase {
  int n;
  const char* setting;
  const char* locale;
  char separator;
};

// "S" or nothing takes the list separator of the user's regional settings.
TEST_F(ListExport, SeparatorFollowsTheSettingOrTheLocale) {
  const SeparatorCase cases[] = {
      {1, ";", "C", ';'},
      {2, "S", "C", ','},
      {3, "s", "pl_PL.UTF-8", ';'},
      {4, "", "pl_PL.UTF-8", ';'},
  };
  const char* old = std::getenv("LC_ALL");
  std::string saved = old ? old : "";
  for (const auto& c : cases) {
    dict::glo().tables.U_PARAMKONFQ.clear();
    parameter("ZnakDoExcela", c.setting);
    setenv("LC_ALL", c.locale, 1);
    std::string csv = run("answer " + dir.file("a.csv") + "; answer no");
    EXPECT_EQ(csv.substr(0, 14), std::string("\"Lp\"") + c.separator + "\"Indeks\"" + c.separator)
        << c.n;
  }
  old ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");
}

struct FailCase {
  int n;
  const char* purpose;
  const char* file;
  std::uint64_t space;
};

// A full disk: a warning, no file under the name nor a temporary one, nothing logged, no question.
TEST_F(ListExport, AFailedWriteLeavesNoFile) {
  const FailCase cases[] = {
      {1, "CSV, disk full at once", "a.csv", 0},
      {2, "CSV, disk full midway", "a.csv", 40},
      {3, "XLS, disk full in the cells", "a.xls", 3000},
      {4, "XLS, disk full in the allocation table", "a.xls", 4700},
  };
  for (const auto& c : cases) {
    ui.ui().clear_records();
    db.clear_statements();
    files::set_space_left(c.space);
    run("answer " + dir.file(c.file), "opis");
    files::set_space_left(std::nullopt);
    ASSERT_EQ(texts().size(), 1u) << c.n << ": " << c.purpose;
    EXPECT_TRUE(texts()[0].starts_with("Wystąpił błąd podczas zapisu pliku eksportu "_w1250 +
                                       dir.file(c.file) + ".|"))
        << c.n << ": " << texts()[0];
    EXPECT_TRUE(files_left().empty()) << c.n << ": " << c.purpose;
    EXPECT_TRUE(db.statements().empty()) << c.n << ": " << c.purpose;
  }
}

// XLSX without the library, or with a library that cannot write: the warning, no file.
TEST_F(ListExport, XlsxFailuresLeaveNoFile) {
  test::TempDir empty;
  dict::glo().LOCALPATH = empty.path();
  run("answer " + dir.file("a.xlsx"));
  EXPECT_EQ(texts(), std::vector<std::string>{
                         "Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll"_w1250});
  dict::glo().LOCALPATH.clear();
  ui.ui().clear_records();
  run("answer " + dir.file("missing/a.xlsx"));
  ASSERT_EQ(texts().size(), 1u);
  EXPECT_TRUE(texts()[0].starts_with("Wystąpił błąd podczas zapisu pliku eksportu "_w1250));
  EXPECT_TRUE(files_left().empty());
}

// "Pytaj" asks whether the colours go in; other values ask nothing.
TEST_F(ListExport, ColoursAskedWhenTheSettingSaysSo) {
  parameter("KoloryDoExcelaXLSX", "Pytaj");
  run("answer " + dir.file("a.xlsx") + "; answer no; answer no");
  ASSERT_EQ(texts().size(), 2u);
  EXPECT_EQ(texts()[0], "Czy przy eksporcie uwzględnić kolory komórek?"_w1250);
  EXPECT_EQ(files_left(), std::vector<std::string>{"a.xlsx"});
}

}  // namespace
}  // namespace orv::lists
