// The execution-log window: the current user's rows of one context, and the titles of the
// skipped-documents context.
#include "lists/log_window.hpp"

#include <gtest/gtest.h>

#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::lists {
namespace {

TEST(LogWindow, ShowsTheUsersRowsOfOneContext) {
  struct Case {
    int n;
    const char* context;
    std::size_t rows;
    const char* title;
    const char* first_column;
  } cases[] = {
      {1, "SzabDokSer", 2, "Informacje o dokumentach pomini\xEAtych", "Szablon / Kontrahent"},
      {2, "Inwentaryzacja", 1, "Informacje", "Opis 1"},
      {3, "Nieznany", 0, "Informacje", "Opis 1"},
      {4, "x' or '1'='1", 0, "Informacje", "Opis 1"},
  };
  test::DemoDb db;
  test::ScopedUi ui;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    ui.ui().add_script("close");
    LOG_WYKONANIA(c.context);
    const ui::WindowRecord& w = ui.ui().windows().back();
    EXPECT_EQ(w.title, c.title);
    EXPECT_EQ(w.controls[0].rows.size(), c.rows);
    EXPECT_EQ(w.controls[0].columns[0].title, c.first_column);
  }
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

}  // namespace
}  // namespace orv::lists
