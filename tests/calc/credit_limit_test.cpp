// The credit-limit rules, the check before an invoice and the limit window against the demo data.
#include "calc/credit_limit.hpp"

#include <gtest/gtest.h>

#include "config/authorisation.hpp"
#include "exports/orvrun.h"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/ui/registry.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::calc {
namespace {

using test::DemoDb;
using test::ScopedUi;

Decimal dec(const char* s) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(s, d)) << s;
  return d;
}

const std::string kTail = "|Odmowa wystawienia faktury.";
const std::string kOverdue =
    "Dla płatnika Budmat S.A. istnieją przeterminowane należności!"_w1250 + kTail;
const std::string kOverdueSum =
    "Suma przeterminowanych należności i kwoty transakcji jest większa niż przyznany limit!"_w1250 +
    kTail;
const std::string kAllSum =
    "Suma wszystkich należności i kwoty transakcji jest większa niż przyznany limit!"_w1250 + kTail;

// ---------------------------------------------------------------- the rules

struct RuleCase {
  const char* name;
  uint8_t blocking;
  const char* sale;
  const char* overdue;
  const char* all;
  const char* available;
  std::string refusal;  // empty: the sale may go on
};

class LimitRules : public testing::TestWithParam<RuleCase> {};

TEST_P(LimitRules, RefuseOrAllow) {
  const auto& c = GetParam();
  LimitFigures f;
  f.payer_name = "Budmat S.A.   ";
  f.limit = dec("20000.00");
  f.blocking = c.blocking;
  f.overdue_receivables = dec(c.overdue);
  f.all_receivables = dec(c.all);
  f.available = dec(c.available);
  EXPECT_EQ(limit_refusal(f, dec(c.sale)).value_or(""), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    CreditLimit, LimitRules,
    testing::Values(
        // 1-2. Mode 2: any overdue receivable refuses, whatever the sale.
        RuleCase{"OverdueRefuses", 2, "0.01", "0.01", "0", "0", kOverdue},
        RuleCase{"NothingOverdue", 2, "99999", "0", "50000", "0", ""},
        // 3-4. Mode 3: the sale plus overdue receivables against the limit, equality allowed.
        RuleCase{"OverduePlusSaleAtLimit", 3, "14850.00", "5150.00", "8225", "9930", ""},
        RuleCase{"OverduePlusSaleAbove", 3, "14850.01", "5150.00", "8225", "9930", kOverdueSum},
        // 5. The sale counts, not the available amount: a sale beyond what is left refuses
        // even though the available amount plus receivables never exceeds the limit.
        RuleCase{"SaleNotAvailableAmount", 3, "16000", "5150", "8225", "11775", kOverdueSum},
        // 6-7. Mode 4: the sale plus all receivables.
        RuleCase{"AllPlusSaleAbove", 4, "11775.01", "0", "8225", "11775", kAllSum},
        RuleCase{"AllPlusSaleBelow", 4, "11775.00", "5150", "8225", "11775", ""},
        // 8-9. No control and the full block are not the window's business.
        RuleCase{"ModeZero", 0, "1000000", "1000000", "1000000", "0", ""},
        RuleCase{"ModeOne", 1, "1000000", "1000000", "1000000", "0", ""}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- the demo database

// Function-password prompt stand-in: records the codes asked and answers as told.
class Password {
 public:
  explicit Password(uint8_t answer) {
    answer_ = answer;
    asked.clear();
    previous_ = config::install_authorisation({nullptr, &Password::ask});
  }
  ~Password() { config::install_authorisation(previous_); }
  static inline std::vector<std::string> asked;

 private:
  static uint8_t ask(std::string_view code) {
    asked.emplace_back(code);
    return answer_;
  }
  static inline uint8_t answer_ = 0;
  config::Authorisation previous_;
};

class DemoLimit : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.tsql()) << "the backend must speak T-SQL"; }
  void document(const char* gross, const char* paid) {
    auto& d = dict::glo().records.DOKUMENT_HANDLOWY;
    d.ID_DOKUMENTU_HANDLOWEGO = 3;
    d.WARTOSC_BRUTTO = dec(gross);
    d.ZAPLACONO = dec(paid);
  }
  const ui::WindowRecord& window() { return ui.ui().windows().back(); }
  const ui::Control& control(const char* id) {
    for (const auto& c : window().controls) {
      if (c.id == id) return c;
    }
    static ui::Control none;
    ADD_FAILURE() << "no control " << id;
    return none;
  }
  std::size_t limit_windows() {
    std::size_t n = 0;
    for (const auto& w : ui.ui().windows()) n += w.name == "LimitKupiecki";
    return n;
  }

  DemoDb db;
  ScopedUi ui;
};

TEST_F(DemoLimit, WindowShowsThePayersBalance) {
  test::set_company_parameter("WliczajWZDoLimitu", "Tak");
  ui.ui().add_script("key Esc");
  EXPECT_EQ(LIMITKUPIECKI(2, 1, 2, 100, 0, 82198), 0);
  EXPECT_EQ(db.statements(),
            (std::vector<std::string>{
                "select nazwa from kontrahent with (nolock) where id_kontrahenta=1",
                "select nazwa,limit_kupiecki,blokowanie,dni_po_terminie from kontrahent where "
                "id_kontrahenta=2",
                "call AP_ObliczSaldoKontrahenta(2,0,82198,3)",
                "select dbo.AP_Func_PodajLimitKontrDoWykorz(2,0,0,0,82198,1)"}));
  EXPECT_EQ(window().title, "Limit kupiecki płatnika"_w1250);
  EXPECT_EQ(control("KONTRAHENT").value, "ACME Sp. z o.o.");
  EXPECT_EQ(control("PLATNIK").value, "Budmat S.A.");
  EXPECT_EQ(control("LIMIT").value, "20000.00");
  EXPECT_EQ(control("DO_WYKORZYSTANIA").value, "9930.00");
  EXPECT_EQ(control("PRZETERMINOWANE").caption,
            "Przeterminowane transakcje nierozliczone (15 dni po terminie)");
  EXPECT_EQ(control("NALEZNOSCI_PRZET").value, "5150.00");
  EXPECT_EQ(control("ZOBOWIAZANIA_PRZET").value, "2000.00");
  EXPECT_EQ(control("DATA_OSTATNIEJ").value, "10.01.2026");
  EXPECT_EQ(control("NALEZNOSCI").value, "8225.00");
  EXPECT_EQ(control("ZOBOWIAZANIA").value, "2000.00");
  EXPECT_EQ(control("KWOTA_WYDAN").value, "1845.00");
  EXPECT_FALSE(control("ZATWIERDZ").hidden);
  EXPECT_EQ(ui.ui().help_requests().size(), 0u);
}

TEST_F(DemoLimit, DateLeftOutIsTodayAndIssuesNotCounted) {
  ui.ui().add_script("key Esc");
  LIMITKUPIECKI(2, 1, 2, 100, 4);
  EXPECT_EQ(db.statements()[2], "call AP_ObliczSaldoKontrahenta(2,4,82198,3)");
  EXPECT_EQ(db.statements()[3], "select dbo.AP_Func_PodajLimitKontrDoWykorz(2,0,0,0,82198,0)");
  EXPECT_EQ(control("DO_WYKORZYSTANIA").value, "11775.00");
}

struct WindowCase {
  const char* name;
  uint8_t window_mode;
  double payer;
  double sale;
  const char* script;
  uint8_t expected;
  std::string warning;  // empty: no message
};

class LimitWindow : public DemoLimit, public testing::WithParamInterface<WindowCase> {};

TEST_P(LimitWindow, ConfirmAppliesTheRules) {
  const auto& c = GetParam();
  ui.ui().add_script(c.script);
  EXPECT_EQ(LIMITKUPIECKI(c.window_mode, 1, c.payer, c.sale, 0, 82198), c.expected);
  if (c.warning.empty()) {
    EXPECT_TRUE(ui.boxes().empty());
  } else {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text, c.warning);
  }
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    CreditLimit, LimitWindow,
    testing::Values(
        // 1-2. Budmat (mode 3, limit 20 000, 5 150 overdue).
        WindowCase{"OverdueSumWithinLimit", 2, 2, 14850, "press ZATWIERDZ", 1, ""},
        WindowCase{"OverdueSumAboveLimit", 2, 2, 14850.01, "key F10", 0, kOverdueSum},
        // 3. Malinowski (mode 2) has overdue receivables.
        WindowCase{"OverdueRefused", 2, 3, 1, "press ZATWIERDZ", 0,
                   "Dla płatnika Jan Malinowski Usługi Remontowe istnieją "
                   "przeterminowane należności!"_w1250 +
                       kTail},
        // 4. ACME (mode 4, limit 50 000, 24 600 receivable).
        WindowCase{"AllSumAboveLimit", 2, 1, 25400.01, "press ZATWIERDZ", 0, kAllSum},
        // 5. Another window mode confirms without checks.
        WindowCase{"NoChecksInMode3", 3, 3, 1e9, "press ZATWIERDZ", 1, ""},
        // 6. Cancel is 0 whatever the rules.
        WindowCase{"Cancel", 2, 5, 1, "press Anuluj", 0, ""},
        // 7. View only: F10 does nothing there, closing gives 0.
        WindowCase{"ViewOnly", 1, 5, 1, "key F10; key Esc", 0, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(DemoLimit, ViewOnlyShowsOnlyClose) {
  ui.ui().add_script("press Zamknij");
  EXPECT_EQ(LIMITKUPIECKI(1, 1, 1, 0, 0), 0);
  EXPECT_TRUE(control("ZATWIERDZ").hidden);
  EXPECT_TRUE(control("F10").hidden);
  EXPECT_EQ(control("ANULUJ").caption, "Zamknij");
  // ACME has no days past due: the caption stays.
  EXPECT_EQ(control("PRZETERMINOWANE").caption, "Przeterminowane transakcje nierozliczone");
}

TEST_F(DemoLimit, UnknownCustomerReadsNothingAndConfirms) {
  ui.ui().add_script("press ZATWIERDZ");
  EXPECT_EQ(LIMITKUPIECKI(2, 999, 3, 1e6, 0, 82198), 1);
  EXPECT_EQ(db.statements(),
            std::vector<std::string>{"select nazwa from kontrahent with (nolock) where "
                                     "id_kontrahenta=999"});
  EXPECT_EQ(control("LIMIT").value, "0.00");
  // View only skips its look as well: the confirm button stays and confirms.
  ui.ui().add_script("key F10");
  EXPECT_EQ(LIMITKUPIECKI(1, 999, 3, 1e6, 0, 82198), 1);
  EXPECT_FALSE(control("ZATWIERDZ").hidden);
  EXPECT_EQ(control("ANULUJ").caption, "Anuluj");
}

TEST_F(DemoLimit, RefusalAsksThePasswordInsteadOfWarning) {
  test::set_company_parameter("BlokFuncHaslo", "Tak");
  for (uint8_t answer : {1, 0}) {
    Password password(answer);
    ui.ui().add_script("press ZATWIERDZ");
    EXPECT_EQ(LIMITKUPIECKI(2, 1, 3, 1, 0, 82198), answer);
    EXPECT_EQ(Password::asked, std::vector<std::string>{"LIMIT_KUPIECKI"});
  }
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(DemoLimit, FailingBalanceShowsTheErrorWindow) {
  db.faults().fail_matching("AP_ObliczSaldoKontrahenta", sql::Fault::rejected("timeout"));
  ui.ui().add_script("close; press ZATWIERDZ");
  EXPECT_EQ(LIMITKUPIECKI(2, 1, 2, 1, 0, 82198), 1);
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].message, "timeout");
  EXPECT_EQ(control("NALEZNOSCI_PRZET").value, "0.00");
}

// ---------------------------------------------------------------- the check before an invoice

TEST_F(DemoLimit, NoControlAsksOnlyTheName) {
  EXPECT_EQ(WALIDACJALIMITU(5, 5, 0, 10000, 0), 0);
  EXPECT_EQ(db.statements(),
            std::vector<std::string>{"select nazwa from kontrahent where id_kontrahenta=5"});
}

struct BlockCase {
  const char* name;
  const char* setting;  // BlokFuncHaslo, nullptr = not configured
  int password;         // the prompt's answer, -1 = never asked
  uint8_t expected;
  bool warned;
};

class BlockedPayer : public DemoLimit, public testing::WithParamInterface<BlockCase> {};

TEST_P(BlockedPayer, StopsUnlessThePasswordIsGiven) {
  const auto& c = GetParam();
  if (c.setting) test::set_company_parameter("BlokFuncHaslo", c.setting);
  Password password(c.password < 0 ? 1 : static_cast<uint8_t>(c.password));
  EXPECT_EQ(WALIDACJALIMITU(4, 4, 1, 0, 0), c.expected);
  EXPECT_EQ(Password::asked.size(), c.password < 0 ? 0u : 1u);
  if (c.warned) {
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].box.text,
              "Sprzedaż dla płatnika Handel Mława Sp.j. jest zablokowana!"_w1250);
  } else {
    EXPECT_TRUE(ui.boxes().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(CreditLimit, BlockedPayer,
                         testing::Values(
                             // 1. Without the setting the block is final.
                             BlockCase{"NotConfigured", nullptr, -1, 1, true},
                             // 2. "tak" in lower case is not "Tak".
                             BlockCase{"LowerCaseTak", "tak", -1, 1, true},
                             // 3. The right password lets the sale go on, silently.
                             BlockCase{"PasswordGiven", "Tak", 1, 0, false},
                             // 4. A wrong or cancelled password: blocked, with the message.
                             BlockCase{"PasswordRefused", "Tak", 0, 1, true}),
                         [](const auto& info) { return info.param.name; });

// The configuration layer's own password window, as the host has it: jan's password for
// LIMIT_KUPIECKI is "Tajne".
TEST_F(DemoLimit, BlockOverriddenInThePasswordWindow) {
  ASSERT_TRUE(ui::find_window_definition("HasloFunkcji"));
  test::set_company_parameter("BlokFuncHaslo", "Tak");
  ui.ui().add_script("set HASLO Tajne; key F10");
  EXPECT_EQ(WALIDACJALIMITU(4, 4, 1, 0, 0), 0);
  ui.ui().add_script("set HASLO \"' or '1'='1\"; key F10; key Esc");
  EXPECT_EQ(WALIDACJALIMITU(4, 4, 1, 0, 0), 1);
  EXPECT_EQ(ui.boxes().back().box.text,
            "Sprzedaż dla płatnika Handel Mława Sp.j. jest zablokowana!"_w1250);
}

struct CheckCase {
  const char* name;
  uint8_t mode;
  double payer;
  double payer_limit;
  const char* gross;
  const char* paid;
  double deduction;
  const char* script;  // nullptr: the window must not open
  uint8_t expected;
};

class InvoiceCheck : public DemoLimit, public testing::WithParamInterface<CheckCase> {};

TEST_P(InvoiceCheck, OpensTheWindowOnlyWhenNeeded) {
  const auto& c = GetParam();
  document(c.gross, c.paid);
  if (c.script) ui.ui().add_script(c.script);
  EXPECT_EQ(WALIDACJALIMITU(1, c.payer, c.mode, c.payer_limit, c.deduction), c.expected);
  EXPECT_EQ(limit_windows(), c.script ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    CreditLimit, InvoiceCheck,
    testing::Values(
        // 1-2. Modes 3 and 4 need a positive payer limit.
        CheckCase{"Mode3WithoutLimit", 3, 2, 0, "20000", "0", 0, nullptr, 0},
        CheckCase{"Mode4NegativeLimit", 4, 1, -1, "20000", "0", 0, nullptr, 0},
        // 3-4. Nothing left to pay never opens the window.
        CheckCase{"PaidInFull", 2, 3, 0, "100.00", "100.00", 0, nullptr, 0},
        CheckCase{"DeductionCoversIt", 3, 2, 20000, "100.00", "0", 100.0001, nullptr, 0},
        // 5. Budmat: 20 000 less 5 000 deducted is 15 000 on 5 150 overdue: refused, stop.
        CheckCase{"Mode3Refused", 3, 2, 20000, "20000", "0", 5000, "press ZATWIERDZ", 1},
        // 6. 14 000 fits under the limit: the sale goes on.
        CheckCase{"Mode3Allowed", 3, 2, 20000, "14000", "0", 0, "press ZATWIERDZ", 0},
        // 7. A window closed without confirming stops the sale.
        CheckCase{"ClosedWindowStops", 2, 2, 0, "10", "0", 0, "key Esc", 1},
        // 8. An unknown mode checks nothing.
        CheckCase{"UnknownMode", 7, 2, 20000, "1000000", "0", 0, nullptr, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(DemoLimit, WindowGetsTheOpenAmountAndDocument) {
  document("20000", "1000.5");
  ui.ui().add_script("key Esc");
  WALIDACJALIMITU(1, 2, 3, 20000, 0.5);
  EXPECT_EQ(db.statements()[3], "call AP_ObliczSaldoKontrahenta(2,3,82198,3)");
}

TEST_F(DemoLimit, ThroughTheCEntryPoints) {
  EXPECT_EQ(ORVRUN_RECORD_SET("dokument_handlowy", "wartosc_brutto", "20000"), 1);
  EXPECT_EQ(ORVRUN_RECORD_SET("DOKUMENT_HANDLOWY", "ZAPLACONO", "x"), 0);
  char* v = ORVRUN_RECORD_GET("DOKUMENT_HANDLOWY", "WARTOSC_BRUTTO");
  EXPECT_STREQ(v, "20000.0000");
  ORVRUN_FREE(v);
  ui.ui().add_script("press ZATWIERDZ");
  EXPECT_EQ(::WALIDACJALIMITU(1, 2, 3, 20000, 0), 1);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].box.text, kOverdueSum);
  int32_t day = 82198;
  ui.ui().add_script("press ZATWIERDZ");
  EXPECT_EQ(::LIMITKUPIECKI(2, 1, 2, 100, 0, &day), 1);
}

}  // namespace
}  // namespace orv::calc
