// Classifier values against the demo database: filters, checks, saves, loads and report texts.
#include "reports/classifiers.hpp"

#include <gtest/gtest.h>

#include "host/session.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::reports {
namespace {

using test::DemoDb;
using test::ScopedUi;

ClassifierValues values(std::initializer_list<const char*> given) {
  ClassifierValues v;
  std::size_t i = 0;
  for (const char* g : given) v[i++] = g;
  return v;
}

class Classifiers : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host::load_classifiers()); }
  std::string ids_where(const std::string& condition) {
    std::string out;
    for (const auto& id : db.column("select id_artykulu from artykul A where " + condition +
                                    " order by id_artykulu"))
      out += (out.empty() ? "" : ",") + id;
    return out;
  }
  DemoDb db;
};

struct FilterCase {
  const char* name;
  ClassifierValues values;
  std::optional<ClassifierValues> operators;
  const char* condition;
  const char* selects;  // the articles it selects, nullptr = not run
  const char* warning;  // "" = none
};

const FilterCase kFilters[] = {
    // 1. All blank: no condition at all.
    {"Blank", values({}), std::nullopt, "", nullptr, ""},
    // 2. Without operators text is a prefix, other types equal; apostrophes doubled.
    {"Apostrophe", values({"O'Neil"}), std::nullopt, "A.pole1 like 'O''Neil%'", "", ""},
    {"Plain", values({"nieb", "24"}), std::nullopt, "A.pole1 like 'nieb%' and A.pole2='24'", "1,2",
     ""},
    // 3. A value that reads as SQL stays a value, compared as text or refused as a number.
    {"InjectedEquals", values({"", "1 or 1=1"}), std::nullopt, "A.pole2='1 or 1=1'", "", ""},
    {"InjectedNumber", values({"", "1 or 1=1"}), values({"", ">="}), "1=0", "",
     "Wartość pola Gwarancja (mies.) musi być liczbą!"},
    // 4. Operators: contains forms, numeric comparisons bare, blank operators leave a field out.
    {"Operators", values({"abc", "24", "kit", "", "3"}), values({"nie zawiera", ">=", "zawiera"}),
     "A.pole1 not like '%abc%' and cast(A.pole2 as real) >=24 and A.pole3 like '%kit%'", "3", ""},
    {"EqualsNumber", values({"", "100"}), values({"", "="}), "A.pole2 = '100'", "", ""},
    // 5. A computed field tests its function of the object's identifier.
    {"Computed", values({"", "", "", "", "7"}), std::nullopt,
     "dbo.AP_Func_StanArtWszystkieMag(A.ID_ARTYKULU)='7'", nullptr, ""},
};

class ClassifierFilters : public Classifiers, public testing::WithParamInterface<FilterCase> {};

TEST_P(ClassifierFilters, SelectWhatTheyTypedAndNothingElse) {
  const FilterCase& c = GetParam();
  ScopedUi ui;
  const std::string sql =
      KLASYFIKATORY_UTWORZSQL("Artykul", c.values, c.operators ? &*c.operators : nullptr);
  EXPECT_EQ(sql, text::from_utf8(c.condition));
  if (c.selects) {
    EXPECT_EQ(ids_where(sql.empty() ? "1=1" : sql), c.selects);
  }
  if (*c.warning) {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, text::from_utf8(c.warning));
  } else {
    EXPECT_TRUE(ui.boxes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifierFilters, testing::ValuesIn(kFilters),
                         orv::test::named_case);

// 6. A condition longer than the caller's 2,000 characters is refused, not cut.
TEST_F(Classifiers, AnOverlongConditionIsRefused) {
  ScopedUi ui;
  const std::string long_value(2100, 'x');
  EXPECT_EQ(KLASYFIKATORY_UTWORZSQL("Artykul", values({long_value.c_str()}), nullptr), "1=0");
  ASSERT_EQ(ui.boxes().size(), 1u);
}

struct CheckCase {
  const char* name;
  ClassifierValues values;
  bool wrong;
  const char* warning;
};

const CheckCase kChecks[] = {
    // 1. Sound values pass.
    {"Sound", values({"biały", "24", "Bosch"}), false, ""},
    // 2. A restricted value must be a whole item, not a part of one.
    {"PartOfItem", values({"", "2", "Bosch"}), true,
     "Wartość pola Gwarancja (mies.) musi pochodzić z listy:|0|12|24|36"},
    {"Unlisted", values({"", "48", "Bosch"}), true,
     "Wartość pola Gwarancja (mies.) musi pochodzić z listy:|0|12|24|36"},
    // 3. A required text must not be blank.
    {"Required", values({"", "", " "}), true, "Musisz wypełnić pole dodatkowe Dostawca!"},
};

class ClassifierChecks : public Classifiers, public testing::WithParamInterface<CheckCase> {};

TEST_P(ClassifierChecks, WarnAtTheFirstWrongField) {
  ScopedUi ui;
  ClassifierValues v = GetParam().values;
  for (auto& s : v) s = text::from_utf8(s);
  EXPECT_EQ(KLASYFIKATORY_WALIDUJ("Artykul", v), GetParam().wrong);
  ASSERT_EQ(ui.boxes().size(), *GetParam().warning ? 1u : 0u);
  if (*GetParam().warning) {
    EXPECT_EQ(ui.boxes()[0].box.text, text::from_utf8(GetParam().warning));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifierChecks, testing::ValuesIn(kChecks),
                         orv::test::named_case);

// Saving: the value stored as typed however often it is saved;
// with id 0 only flagged fields, copied to the articles sharing a guid unless kept apart.
TEST_F(Classifiers, SavingStoresWhatWasTyped) {
  ScopedUi ui;
  const ClassifierValues typed = values({"O'Neil", "12", "Atlas"});
  KLASYFIKATORY_ZAPISZ("Artykul", "ID_ARTYKULU", 4, typed, nullptr);
  KLASYFIKATORY_ZAPISZ("Artykul", "ID_ARTYKULU", 4, typed, nullptr);
  EXPECT_EQ(db.value("select pole1 || '/' || pole2 from artykul where id_artykulu = 4"),
            "O'Neil/12");

  const ClassifierValues none;
  KLASYFIKATORY_ZAPISZ("Artykul", "id_artykulu=1", 0, values({"zielony"}), &none);
  EXPECT_EQ(db.count("artykul where pole1 = 'zielony'"), 0);

  const ClassifierValues first = values({"1"});
  KLASYFIKATORY_ZAPISZ("Artykul", "id_artykulu=1", 0, values({"zielony", "36"}), &first);
  EXPECT_EQ(ids_where("pole1 = 'zielony' and pole2 = 24"), "1,2");  // 2 shares 1's guid
  test::set_company_parameter("SynchroArt", "Rozłączne"_w1250);
  KLASYFIKATORY_ZAPISZ("Artykul", "id_artykulu=1", 0, values({"czerwony"}), &first);
  EXPECT_EQ(ids_where("pole1 = 'czerwony'"), "1");
  EXPECT_TRUE(ui.boxes().empty());
}

// A statement the server refuses is told with the driver's text; what ran before stays.
TEST_F(Classifiers, AFailedSaveWarnsWithTheDriversText) {
  ScopedUi ui;
  db.faults().fail_matching("from artykul b", sql::Fault::rejected("brak miejsca"), 1);
  const ClassifierValues first = values({"1"});
  KLASYFIKATORY_ZAPISZ("Artykul", "id_artykulu=1", 0, values({"zielony"}), &first);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].box.text.find("brak miejsca"), std::string::npos);
  EXPECT_EQ(ids_where("pole1 = 'zielony'"), "1");
}

struct LoadCase {
  const char* name;
  const char* group;
  double id;
  uint8_t mode;
  uint8_t any;
  ClassifierValues loaded;
};

const LoadCase kLoads[] = {
    // 1. A new object gets the defaults; 2. an existing one its row and computed fields.
    {"New", "Artykul", 0, 1, 1, values({"biały", "12"})},
    {"Existing", "Artykul", 1, 2, 1, values({"niebieski", "24", "Bosch", "", "16"})},
    // 3. Mode 0 leaves everything as it was.
    {"Nothing", "Artykul", 1, 0, 0, values({})},
    // 4. Kontrahent has fields 1, 2, 3 and 5: the walk stops after 3.
    {"WalkStops", "Kontrahent", 1, 2, 1, values({"Handel", "Jan Kowalski"})},
};

class ClassifierLoads : public Classifiers, public testing::WithParamInterface<LoadCase> {};

TEST_P(ClassifierLoads, FillTheValues) {
  const LoadCase& c = GetParam();
  ScopedUi ui;
  ClassifierValues v;
  const char* id_column = std::string(c.group) == "Artykul" ? "ID_ARTYKULU" : "ID_KONTRAHENTA";
  EXPECT_EQ(KLASYFIKATORY_INITUSE(c.group, id_column, c.id, v, c.mode), c.any);
  ClassifierValues expected = c.loaded;
  for (auto& s : expected) s = text::from_utf8(s);
  if (std::string(c.name) == "WalkStops") v[2].clear();  // computed: whatever the data says
  EXPECT_EQ(v, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassifierLoads, testing::ValuesIn(kLoads), orv::test::named_case);

// Report texts in two columns; a wide left text takes its row alone; unmasked and inactive
// fields are left out.
TEST_F(Classifiers, ReportTextsAreLaidInTwoColumns) {
  Band band;
  const ClassifierValues v = values(
      {"niebieski", "24", "Bosch", "82153", "16.5", "C:\\karty\\karta-katalogowa-12345.pdf"});
  EXPECT_FALSE(KLASYFIKATORY_RAPORT("Artykul", v, band, "1111111"));
  std::string laid;
  for (const BandText& t : band.texts) {
    laid += std::to_string(t.number) + "@" + std::to_string(t.x) + "," + std::to_string(t.y) + " " +
            text::to_utf8(t.text) + "\n";
  }
  EXPECT_EQ(laid,
            "5001@100,50 Kolor:  niebieski\n"
            "5002@3600,50 Gwarancja (mies.):  24\n"
            "5003@100,200 Dostawca:  Bosch\n"
            "5004@3600,200 Stan we wszystkich magazynach:  16.5000\n"
            "5005@100,350 Karta katalogowa:  C:\\karty\\karta-katalogowa-12345.pdf\n"
            "5006@100,500 Strona producenta:  \n");
  Band none;
  EXPECT_TRUE(KLASYFIKATORY_RAPORT("Artykul", v, none, "0001"));  // field 4 is inactive
  EXPECT_TRUE(none.texts.empty());
}

}  // namespace
}  // namespace orv::reports
