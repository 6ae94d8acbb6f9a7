// A filter's additional-table conditions saved beside it and loaded back whole, arrays included.
#include "selection/companion_filters.hpp"

#include <gtest/gtest.h>

#include "platform/dict/context.hpp"
#include "selection/saved_filters.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

dict::FiltrTabelRow conditions(int32_t table) {
  dict::FiltrTabelRow r;
  r.table = table;
  r.name = "Dodatkowe <warunki>";
  r.switches[0] = 1;
  r.switches[99] = 7;
  r.texts100[5] = "O'Neil & syn";
  r.texts20[99] = "ostatni";
  return r;
}

bool same(const dict::FiltrTabelRow& a, const dict::FiltrTabelRow& b) {
  if (a.table != b.table || a.name != b.name) return false;
  for (int i = 0; i < 100; ++i) {
    if (a.switches[i] != b.switches[i] || a.texts100[i] != b.texts100[i] ||
        a.texts20[i] != b.texts20[i])
      return false;
  }
  return true;
}

dict::Group filter_record(int32_t table) {
  dict::Group g;
  g.add("LOC:Kod", dict::FieldKind::Text, 20).values[0] = "abc";
  g.add("LOC:ID_TABELI", dict::FieldKind::Long).values[0] = std::to_string(table);
  return g;
}

TEST(CompanionFilter, TheRowSurvivesTheRecordForm) {
  const dict::FiltrTabelRow row = conditions(3);
  EXPECT_TRUE(same(filter_table_row(filter_table_record(row)), row));
}

TEST(CompanionFilter, SavedAndLoadedWithItsFilter) {
  test::DemoDb db;
  test::ScopedUi ui;
  auto& queue = dict::glo().tables.FILTRTABELQUEUE;
  queue.add(conditions(3));
  ZAPISZXMLFILTRUZYTKOWNIKA(2, filter_record(3));
  EXPECT_EQ(db.count("orv_definicja_filtra where nazwa = 'FiltrExt2TabExt3' and typ = 'Filtr' and "
                     "podsystem = 'FiltrF8'"),
            1);
  // Loaded into a queue whose row for the table is stale: replaced, not doubled.
  queue.clear();
  dict::FiltrTabelRow stale;
  stale.table = 3;
  stale.name = "stary";
  queue.add(stale);
  dict::Group back = filter_record(0);
  POBIERZXMLFILTRUZYTKOWNIKA(2, back);
  ASSERT_EQ(queue.size(), 1u);
  EXPECT_TRUE(same(queue[0], conditions(3)));
  // Without an additional table no companion is made.
  ZAPISZXMLFILTRUZYTKOWNIKA(3, filter_record(0));
  EXPECT_EQ(db.count("orv_definicja_filtra where nazwa like 'FiltrExt3%'"), 0);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace
}  // namespace orv::selection
