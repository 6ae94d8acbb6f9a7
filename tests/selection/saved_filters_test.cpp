// Saved filter states on the demo database: written whole, updated in place, found by name.
#include "selection/saved_filters.hpp"

#include <gtest/gtest.h>

#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

using dict::FieldKind;

class SavedFilter : public ::testing::Test {
 protected:
  static dict::Group record(const std::string& kod, std::size_t width = 20) {
    dict::Group g;
    g.add("LOC:Kod", FieldKind::Text, width).values[0] = kod;
    g.add("LOC:Data_Od", FieldKind::Date).values[0] = "82000";
    g.add("LOC:Sw", FieldKind::Byte, 0, 3).values = {"1", "0", "1"};
    return g;
  }
  std::string rows(int filter) {
    return db.value("select count(*) from orv_filtr_uzytkownika where id_filtra=" +
                    std::to_string(filter) + " and id_firmy=5 and id_uzytkownika=7");
  }

  test::DemoDb db;
  test::ScopedUi ui{{}, /*strict=*/false};
};

TEST_F(SavedFilter, SavedTwiceIsOneRowAndLoadsBack) {
  ZAPISZXMLFILTRUZYTKOWNIKA(2, record("O'Neil"), "uwagi  ");
  ZAPISZXMLFILTRUZYTKOWNIKA(2, record("Kowalski"), "inne");
  EXPECT_EQ(rows(2), "1");
  dict::Group back = record("");
  back.clear();
  std::string additional;
  POBIERZXMLFILTRUZYTKOWNIKA(2, back, &additional);
  EXPECT_EQ(back.at(0).values[0], "Kowalski");
  EXPECT_EQ(back.at(2).values, (std::vector<std::string>{"1", "0", "1"}));  // arrays kept
  EXPECT_EQ(additional, "inne");
  // the apostrophe of a value travels doubled and comes back single
  ZAPISZXMLFILTRUZYTKOWNIKA(2, record("O'Neil"));
  POBIERZXMLFILTRUZYTKOWNIKA(2, back, &additional);
  EXPECT_EQ(back.at(0).values[0], "O'Neil");
  EXPECT_EQ(additional, "");
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SavedFilter, SixtyThousandCharactersSaveAndLoadWhole) {
  const std::string big(60000 - 100, 'x');
  ZAPISZXMLFILTRUZYTKOWNIKA(3, record(big, big.size()));
  EXPECT_GE(std::stoul(db.value("select length(xml) from orv_filtr_uzytkownika where id_filtra=3 "
                                "and id_uzytkownika=7")),
            60000u - 100u);
  dict::Group back = record("", big.size());
  POBIERZXMLFILTRUZYTKOWNIKA(3, back);
  EXPECT_EQ(back.at(0).values[0], big);
}

TEST_F(SavedFilter, NothingWrittenOrLoadedWhenItShouldNotBe) {
  // 1 filter id 0 or below writes nothing
  ZAPISZXMLFILTRUZYTKOWNIKA(0, record("a"));
  ZAPISZXMLFILTRUZYTKOWNIKA(-1, record("a"));
  EXPECT_EQ(db.value("select count(*) from orv_filtr_uzytkownika where id_filtra<=0"), "0");
  // 2 more than a saved state holds is refused with a warning, the old state kept
  ZAPISZXMLFILTRUZYTKOWNIKA(2, record("stary"));
  const std::string huge(kMaxSavedXml, 'y');
  ZAPISZXMLFILTRUZYTKOWNIKA(2, record(huge, huge.size()));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].box.text.find("Filtra nie zapisano."), std::string::npos);
  // 3 no saved state leaves the record and the text alone
  dict::Group g = record("moje");
  std::string additional = "bez zmian";
  POBIERZXMLFILTRUZYTKOWNIKA(99, g, &additional);
  EXPECT_EQ(g.at(0).values[0], "moje");
  EXPECT_EQ(additional, "bez zmian");
  POBIERZXMLFILTRUZYTKOWNIKA(2, g);
  EXPECT_EQ(g.at(0).values[0], "stary");
  // 4 a stored state that is not XML: the warning, the record untouched
  db.run(
      "update orv_filtr_uzytkownika set xml='<GROUP><Kod>' where id_filtra=2 and id_uzytkownika=7");
  POBIERZXMLFILTRUZYTKOWNIKA(2, g);
  EXPECT_EQ(g.at(0).values[0], "stary");
  EXPECT_EQ(ui.boxes().back().box.text.rfind("B\xB3\xB9"
                                             "d \xB3"
                                             "adowania definicji XML!",
                                             0),
            0u);
}

TEST_F(SavedFilter, FoundByNameContextTypeAndSubsystem) {
  EXPECT_EQ(
      POBIERZIDFILTRAXML("Faktury grudzie\xF1  ", "Dokument_Handlowy_Brw", "Filtr", "FiltrF8"), 2);
  EXPECT_EQ(POBIERZIDFILTRAXML("duzi KLIENCI", "Kontrahent_Brw", "Filtr", "FiltrF8"), 3);
  EXPECT_EQ(POBIERZIDFILTRAXML("Duzi klienci", "Kontrahent_Brw", "Filtr", "Inny"), 0);
  EXPECT_EQ(POBIERZIDFILTRAXML("x' or '1'='1", "Kontrahent_Brw", "Filtr", "FiltrF8"), 0);
}

}  // namespace
}  // namespace orv::selection
