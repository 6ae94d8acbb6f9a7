// Photos on the demo database: the viewer driven by scripts, group operations, two writers at once.
#include "attachments/photo_viewer.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "attachments/photo_groups.hpp"
#include "config/permissions.hpp"
#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::attachments {
namespace {

void write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "nowe zdjecie";

struct ViewerCase {
  const char* name;
  const char* script;  // $D is the test's folder
  const char* query;   // over the demo database after the window closed
  const char* expected;
};
void PrintTo(const ViewerCase& c, std::ostream* os) {
  *os << c.name;
}

// Article 1 is WU-750 with two photos; the default one (id 2) shows first.
const ViewerCase kViewer[] = {
    // 1. A photo added from a file: its row, its bytes, and the article's photo mark.
    {"Add", "press POBIERZ; answer $D/nowe.jpg; close",
     "select nazwa || ':' || hex(zdjecie) from artykul_blob where id_bloba > 4",
     "nowe.jpg:FFD8FFE06E6F7765207A646A65636965"},
    {"AddTypedName", "set NAZWA inne.jpg; press POBIERZ; answer $D/nowe.jpg; close",
     "select nazwa from artykul_blob where id_bloba > 4", "inne.jpg"},
    // 2. A name the article already has is refused: nothing inserted.
    {"AddTakenName", "set NAZWA wiertarka.jpg; press POBIERZ; answer $D/nowe.jpg; close",
     "select count(*) from artykul_blob", "4"},
    // 3. The other photo made the default one: it alone is.
    {"SetDefault", "press POPRZEDNIE; check DOMYSLNE on; close",
     "select group_concat(id_bloba || '=' || domyslne) from artykul_blob where "
     "indeks_katalogowy = 'WU-750'",
     "1=1,2=0"},
    // 4. Saving writes the shown photo, its extension kept.
    {"Save", "press EKSPORT; answer $D/kopia; close", "select 1", "1"},
    // 5. Deleting asks first; No keeps it, Yes deletes it and keeps the mark current.
    {"DeleteNo", "press USUN; answer no; close", "select count(*) from artykul_blob", "4"},
    {"DeleteYes", "press USUN; answer yes; close",
     "select group_concat(id_bloba) from artykul_blob where indeks_katalogowy = 'WU-750'", "1"},
};

class Viewer : public ::testing::TestWithParam<ViewerCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql());
    config::LADUJUPRAWNIENIA();
    write(dir.file("nowe.jpg"), kJpeg);
  }
  std::string script(std::string s) {
    for (std::size_t at; (at = s.find("$D")) != std::string::npos;) s.replace(at, 2, dir.path());
    return s;
  }
  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
  test::TempDir dir;
};

TEST_P(Viewer, Effect) {
  ui.ui().add_script(script(GetParam().script));
  ZDJECIA_VIEWER("1", "ARTYKUL_BLOB", "0");
  EXPECT_EQ(db.value(GetParam().query), GetParam().expected);
  EXPECT_EQ(db.value("select posiada_zdjecie from artykul where id_artykulu = 1"), "1");
}
INSTANTIATE_TEST_SUITE_P(Scripts, Viewer, ::testing::ValuesIn(kViewer));

TEST_F(Viewer, SavedFileHoldsThePictureAndEnlargeOpensIt) {
  ui.ui().add_script(script("press EKSPORT; answer $D/kopia; press POWIEKSZ; close"));
  dict::glo().LOCALPATH = dir.path();
  ZDJECIA_VIEWER("1", "ARTYKUL_BLOB", "0");
  std::string shown = db.value("select hex(zdjecie) from artykul_blob where id_bloba = 2");
  EXPECT_EQ(shown, "FFD8FFE000104A46494600010100000100010001FFD9");
  EXPECT_EQ(orv::test::read_bytes(dir.file("kopia.jpg")).size(), shown.size() / 2);
  ASSERT_EQ(ui.ui().opened_documents().size(), 1u);
  EXPECT_EQ(ui.ui().opened_documents()[0], dir.path() + "/VH/wiertarka_bok.jpg");
  EXPECT_EQ(orv::test::read_bytes(dir.path() + "/VH/wiertarka_bok.jpg"),
            orv::test::read_bytes(dir.file("kopia.jpg")));
}

// View mode: the changing buttons are disabled, so a script pressing one cannot go on.
TEST_F(Viewer, ViewModeRefusesChanges) {
  ui.ui().add_script("press USUN");
  EXPECT_THROW(ZDJECIA_VIEWER("1", "ARTYKUL_BLOB", "1"), ui::ScriptError);
  EXPECT_EQ(db.value("select count(*) from artykul_blob"), "4");
}

struct GroupCase {
  const char* name;
  const char* operation;
  const char* table;
  const char* marked;  // ids marked with usage 50
  const char* answer;
  const char* query;
  const char* expected;
};
void PrintTo(const GroupCase& c, std::ostream* os) {
  *os << c.name;
}

const GroupCase kGroups[] = {
    // 1. Contractors are picked by their own ids, not through the article table.
    {"DeleteContractors", "UsunZdjeciaZaz", "KONTRAHENT_BLOB", "1,3", "yes",
     "select group_concat(id_kontrahenta) || '/' || (select count(*) from artykul_blob) from "
     "kontrahent_blob",
     "2/4"},
    // 2. Articles by the index of the marked article; the popup's prefix on the name is fine.
    {"DeleteArticles", "PopupUsunZdjeciaZaz", "ARTYKUL_BLOB", "1", "yes",
     "select group_concat(id_bloba) from artykul_blob", "3,4"},
    {"ShrinkArticles", "ZmniejszZdjeciaZaz", "ARTYKUL_BLOB", "1", "yes",
     "select group_concat(id_bloba) from artykul_blob where zdjecie is null", "1,2,3"},
    // 3. No keeps everything; an empty marked set is refused before any question.
    {"AnsweredNo", "UsunZdjeciaZaz", "ARTYKUL_BLOB", "1", "no", "select count(*) from artykul_blob",
     "4"},
    {"NothingMarked", "UsunZdjeciaZaz", "ARTYKUL_BLOB", "", "yes",
     "select count(*) from artykul_blob", "4"},
};

class GroupOperations : public ::testing::TestWithParam<GroupCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.tsql());
    config::LADUJUPRAWNIENIA();
    db.run("insert into kontrahent_blob (id_kontrahenta, nazwa) values (2, 'b.png'), (3, 'c.png')");
  }
  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
};

TEST_P(GroupOperations, Effect) {
  const GroupCase& c = GetParam();
  std::string marked = c.marked;
  for (std::size_t at = 0; !marked.empty() && at != std::string::npos;) {
    std::size_t comma = marked.find(',', at);
    db.run("insert into zaznaczone (id_sesji, uzycie, id) values (7, 50, " +
           marked.substr(at, comma - at) + ")");
    at = comma == std::string::npos ? comma : comma + 1;
  }
  ui.ui().add_answer(c.answer);
  ZDJECIAOPERACJEGRUPOWE(c.operation, c.table, 50);
  EXPECT_EQ(db.value(c.query), c.expected);
  if (marked.empty()) {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, "Brak zaznaczonych artyku\xB3\xF3w!");
  }
}
INSTANTIATE_TEST_SUITE_P(Cases, GroupOperations, ::testing::ValuesIn(kGroups));

TEST(PhotoPopup, EntriesAfterTheSeparator) {
  ui::PopupMenu menu;
  POPUPADDZDJECIA("Art", menu);
  std::string names;
  for (const auto& item : menu.items()) names += item.name + " ";
  EXPECT_EQ(names,
            "ArtSepOper1 ArtZdjecia ArtPrzegladZdjecia ArtZaznaczZdjecia ArtSepZdjecia1 "
            "ArtUwspolnijZdjeciaZaz ArtUsunZdjeciaZaz ArtZmniejszZdjeciaZaz ArtSepZdjecia2 "
            "ArtZapiszZdjeciaZaz ArtImportujZdjeciaZaz ");
  EXPECT_EQ(menu.find("ArtPrzegladZdjecia")->text,
            "Przegl\xB9"
            "darka <Shift+Z>");
}

// Two processes add photos to one article at once; every photo keeps the picture its own
// process stored (an id taken as the table's largest would swap them).
TEST(PhotoWriters, TwoProcessesAtOnce) {
  test::TempDir dir;
  std::string db = dir.file("demo.db");
  std::filesystem::copy_file(test::DemoDb::made_once(), db);
  auto writer = [&](char who) {
    std::string script;
    for (int i = 0; i < 8; ++i) {
      std::string name = std::string(1, who) + std::to_string(i) + ".jpg";
      write(dir.file(name), std::string("\xFF\xD8\xFF", 3) + std::string(5000 + i, who));
      script += "press POBIERZ; answer " + dir.file(name) + "; ";
    }
    return test::run_cli({"call", "--db", db, "--ui-script", script + "close", "ZDJECIA_VIEWER",
                          "3", "ARTYKUL_BLOB", "0"});
  };
  test::CliResult a, b;
  std::thread ta([&] { a = writer('a'); });
  std::thread tb([&] { b = writer('b'); });
  ta.join();
  tb.join();
  ASSERT_EQ(a.status, 0) << a.err;
  ASSERT_EQ(b.status, 0) << b.err;
  for (char who : {'a', 'b'}) {
    for (int i = 0; i < 8; ++i) {
      std::string name = std::string(1, who) + std::to_string(i) + ".jpg";
      auto id = test::run_cli(
          {"sql", "--db", db, "select id_bloba from artykul_blob where nazwa = '" + name + "'"});
      auto got = test::run_cli({"blob", "--db", db, "get", "artykul_blob", "zdjecie", "id_bloba",
                                std::to_string(std::stoll(id.out)), dir.file("back")});
      ASSERT_EQ(got.status, 0) << got.err;
      EXPECT_EQ(orv::test::read_bytes(dir.file("back")), orv::test::read_bytes(dir.file(name)))
          << name;
    }
  }
}

}  // namespace
}  // namespace orv::attachments
