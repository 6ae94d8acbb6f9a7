// The group change of stock levels on the demo database: the statement sent, the rights per
// warehouse, the settings kept.
#include "dialogs/stock_levels.hpp"

#include <gtest/gtest.h>

#include "config/permissions.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "selection/marked_records.hpp"
#include "support/case_names.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::dialogs {
namespace {

constexpr int32_t kArticles = 102;       // user 7's marked articles 1, 3, 4: warehouse 1
constexpr int32_t kTwoWarehouses = 120;  // articles 1 and 2: warehouses 1 and 2

struct StockCase {
  const char* name;
  double user;
  int32_t usage;
  const char* script;
  const char* change;   // the change statement, nullptr when nothing may change
  const char* warning;  // "" = none
  bool saved;           // the settings row of the user holds the window's state afterwards
};
void PrintTo(const StockCase& c, std::ostream* os) {
  *os << c.name;
}

const StockCase kCases[] = {
    // 1. A percentage for the maximum goes with mode 1, a quantity for the minimum with mode 2.
    {"PercentAndQuantity", 7, kArticles,
     "set PR_STAN_MAX 150; set PR_WART_STAN_MIN ilościowo; set STAN_MIN 2,5; key F10",
     "call RM_StanyMinMaxRezGrupowaZmiana(7,102,2.5,2,150,1,0,0)", "", true},
    // 2. Both levels cleared: the statement still goes, with modes 0.
    {"BothCleared", 7, kArticles, "check CHK_STAN_MIN off; check CHK_STAN_MAX off; key F10",
     "call RM_StanyMinMaxRezGrupowaZmiana(7,102,20,0,150,0,0,0)", "", true},
    // 3. Without the right the window does not open.
    {"NoRight", 8, kArticles, "", nullptr,
     "Brak uprawnień na wykonanie funkcji grupowej zmiany stanów minimalnego i maksymalnego!",
     false},
    // 4. One forbidden warehouse stops the change; the settings are saved all the same.
    {"ForbiddenWarehouse", 9, kTwoWarehouses, "check CHK_STAN_MIN on; set PR_STAN_MIN 35; key F10",
     nullptr,
     "Brak uprawnień na zmianę stanów minimalnego i maksymalnego artykułów w magazynie Magazyn "
     "hurtowy !",
     true},
    // 5. Esc saves and changes nothing.
    {"Cancel", 7, kArticles, "set PR_STAN_MIN 35; key Esc", nullptr, "", false},
};

class StockLevels : public ::testing::TestWithParam<StockCase> {
 protected:
  void sign_in(double user) {
    dict::glo().ID_UZYTKOWNIKA = user;
    config::LADUJUPRAWNIENIA();
    if (user == 9) {  // user 9 marks two articles of two warehouses
      selection::ZAZNACZSQL(kTwoWarehouses, 1);
      selection::ZAZNACZSQL(kTwoWarehouses, 2);
    }
  }
  std::string settings(double user) {
    return db.value(
        "select xml from orv_filtr_uzytkownika where id_filtra = 1 and id_uzytkownika = " +
        text::to_utf8(std::to_string(static_cast<int>(user))));
  }
  bool sent_change() {
    for (const auto& s : db.statements()) {
      if (s.find("RM_StanyMinMaxRezGrupowaZmiana") != std::string::npos) return true;
    }
    return false;
  }
  test::DemoDb db;
};

TEST_P(StockLevels, ChangeOnlyWhereAllowed) {
  const StockCase& c = GetParam();
  sign_in(c.user);
  const std::string before = settings(c.user);
  test::ScopedUi ui;
  ui.ui().add_script(c.script);
  db.clear_statements();
  STANYMINMAXREZGRUPOWAZMIANA(c.usage);
  std::string boxes;
  for (const auto& b : ui.boxes()) boxes += b.box.text;
  EXPECT_EQ(boxes, text::from_utf8(c.warning));
  if (c.change) {
    bool found = false;
    for (const auto& s : db.statements()) found = found || s == c.change;
    EXPECT_TRUE(found) << "the change statement was not sent";
  } else {
    EXPECT_FALSE(sent_change());
  }
  EXPECT_EQ(settings(c.user) != before, c.saved) << settings(c.user);
}

INSTANTIATE_TEST_SUITE_P(Cases, StockLevels, ::testing::ValuesIn(kCases), orv::test::named_case);

// The levels the server set, and the settings the next opening starts from.
TEST_F(StockLevels, TheLevelsChangeAndTheSettingsComeBack) {
  sign_in(7);
  {
    test::ScopedUi ui;
    ui.ui().add_script(
        "set PR_STAN_MAX 150; set PR_WART_STAN_MIN ilościowo; set STAN_MIN 2,5; key F10");
    STANYMINMAXREZGRUPOWAZMIANA(kArticles);
  }
  EXPECT_EQ(db.column("select stan_minimalny || '/' || stan_maksymalny from artykul where "
                      "id_artykulu in (1, 3) order by id_artykulu"),
            (std::vector<std::string>{"2.5/18", "2.5/10.5"}));
  test::ScopedUi ui;
  ui.ui().add_script("key Esc");
  STANYMINMAXREZGRUPOWAZMIANA(kArticles);
  ASSERT_EQ(ui.ui().windows().size(), 1u);
  std::string state;
  for (const auto& ctl : ui.ui().windows()[0].controls) state += ctl.id + "=" + ctl.value + ";";
  EXPECT_NE(state.find("PR_STAN_MAX=150;"), std::string::npos) << state;
  EXPECT_NE(state.find("STAN_MIN=2,5000;"), std::string::npos) << state;
}

// A warehouse list that cannot be read grants nothing: the change is not sent, and the user is
// told why.
TEST_F(StockLevels, AFailedWarehouseListIsNoPermission) {
  sign_in(7);
  db.faults().fail_matching("RM_ListaMagazynowZaznArtykulow", sql::Fault::rejected("timeout"));
  test::ScopedUi ui;
  ui.ui().add_script("key F10");
  STANYMINMAXREZGRUPOWAZMIANA(kArticles);
  EXPECT_FALSE(sent_change());
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_NE(ui.boxes()[0].box.text.find(text::from_utf8("Zmiany nie wykonano.")),
            std::string::npos);
  EXPECT_EQ(ui.ui().error_windows().size(), 1u);
}

}  // namespace
}  // namespace orv::dialogs
