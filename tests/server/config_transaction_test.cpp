// A configuration change on the real database: its value, its report-parameter mirror and its
// log entry are written all or none, also when another process holds the lock.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include "config/parameters.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::test {
namespace {

const std::string kAccount = "PL27114020040000300201355387";

// What the three writes of an IBAN change leave in the database.
struct Footprint {
  std::string value, report_values, log_entries;
  bool operator==(const Footprint&) const = default;
};

Footprint footprint(DemoDb& db) {
  return {db.value("select i.wartosc from interfirmapozycja i join pozycjakonfig p on "
                   "p.id_pozycji = i.id_pozycji where i.id_firmy = 5 and p.kod = 'IBAN'"),
          db.value("select group_concat(w.wartosc, '|') from wartosc_parametru w join "
                   "parametr_raportu p on p.id_parametru = w.id_parametru where p.nazwa = 'IBAN'"),
          db.value("select count(*) from log_parametrow where kod = 'IBAN'")};
}

class ConfigTransaction : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db_.tsql());
    set_company_parameter("IBAN", "61109010140000071219812874");
  }
  DemoDb db_;
  ScopedUi ui_;
};

TEST_F(ConfigTransaction, ARefusedStepUndoesTheOthers) {
  Footprint before = footprint(db_);
  db_.faults().fail_matching("RM_ZapiszParamKonf", sql::Fault::rejected("refused"));
  config::USTAWPARAMKONF("s", "IBAN", kAccount);
  EXPECT_EQ(footprint(db_), before);
  EXPECT_EQ(config::POBIERZPARAMKONF("s", "IBAN"), "61109010140000071219812874");
  EXPECT_EQ(ui_.ui().error_windows().size(), 1u);
}

TEST(ConfigLock, ALockHeldElsewhereIsWaitedForBoundedlyThenReported) {
  ::setenv("ORVRUN_BUSY_TIMEOUT", "100", 1);
  DemoDb db;  // its driver waits 100 ms for a lock
  ::unsetenv("ORVRUN_BUSY_TIMEOUT");
  ScopedUi ui;
  set_company_parameter("IBAN", "61109010140000071219812874");
  Footprint before = footprint(db);
  // Another process in the middle of its own write.
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(db.path().c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
  config::USTAWPARAMKONF("s", "IBAN", kAccount);
  sqlite3_exec(holder, "commit", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_EQ(footprint(db), before);
  auto windows = ui.ui().error_windows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_NE(windows[0].message.find("gave up waiting for another connection's lock"),
            std::string::npos)
      << windows[0].message;
  EXPECT_EQ(config::POBIERZPARAMKONF("s", "IBAN"), "61109010140000071219812874");
  // Once the lock is gone the same change goes through whole.
  config::USTAWPARAMKONF("s", "IBAN", kAccount);
  EXPECT_EQ(footprint(db).value, kAccount);
}

TEST_F(ConfigTransaction, WithoutHindranceAllThreeAreWritten) {
  Footprint before = footprint(db_);
  config::USTAWPARAMKONF("s", "IBAN", kAccount);
  Footprint after = footprint(db_);
  EXPECT_EQ(after.value, kAccount);
  EXPECT_NE(after.report_values, before.report_values);
  EXPECT_EQ(after.report_values.find("6110"), std::string::npos) << after.report_values;
  EXPECT_EQ(std::stoi(after.log_entries), std::stoi(before.log_entries) + 1);
  EXPECT_TRUE(ui_.ui().error_windows().empty());
}

}  // namespace
}  // namespace orv::test
