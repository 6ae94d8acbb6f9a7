// The list-window framework on a real table: paging keys, the locator, sort orders, choosing a
// row, the update requests, the export and a failing page read.
#include "lists/list_window.hpp"

#include <gtest/gtest.h>

#include "lists/export_button.hpp"
#include "lists/sql_value.hpp"
#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"

namespace orv::lists {
namespace {

// 45 names: "Nazwa 01" ... "Nazwa 45", and O'Neil at id 46; page of 10 rows.
class ListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.run(
        "create table pozycja (id integer primary key, nazwa text collate PL_CI_AS, kod "
        "integer)");
    db.run(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 45) insert "
        "into pozycja select i, printf('Nazwa %02d', i), 100 - i from n");
    db.run("insert into pozycja values (46, 'O''Neil', 0)");
    s.name = "Pozycja_Brw";
    s.title = "Pozycje";
    s.record = "POZYCJA";
    s.fields = {{"ID", "p.id", true}, {"NAZWA", "p.nazwa", false}, {"KOD", "p.kod", true}};
    s.from = "pozycja p with (nolock)";
    s.columns = {column("Nazwa", 80, 1), column("Kod", 30, 2)};
    s.sorts = {{"Nazwa", 1}, {"Kod", 2}};
    s.page_rows = 10;
  }

  // Runs the list with a script; the rows shown when it closed, by their first cell.
  std::vector<std::string> run(const std::string& script, Request request = Request::None) {
    ui.ui().add_script(script);
    ui::Window w = build_list_window(s);
    ListWindow list(w, s);
    if (update) list.on_update(update);
    set_global_request(request);
    chosen = list.run();
    const ui::Control& shown = ui.ui().windows().back().controls.front();
    selected = shown.selected;
    std::vector<std::string> out;
    for (const auto& r : shown.rows) out.push_back(r[0]);
    return out;
  }

  test::DemoDb db;
  test::ScopedUi ui;
  ListDesign s;
  ListWindow::Update update;
  bool chosen = false;
  int selected = 0;
};

TEST_F(ListWindowTest, KeysMoveThroughPagesReadByKey) {
  struct Case {
    int n;
    const char* script;
    const char* first;
    const char* last;
    int selected;
  } cases[] = {
      {1, "close", "Nazwa 01", "Nazwa 10", 1},
      {2, "key End; close", "Nazwa 37", "O'Neil", 10},
      {3, "key End; key Home; close", "Nazwa 01", "Nazwa 10", 1},
      {4, "select LISTA 10; key Down; key Down; close", "Nazwa 03", "Nazwa 12", 10},
      {5, "key PgDn; close", "Nazwa 11", "Nazwa 20", 1},
      {6, "key PgDn; key PgDn; key PgUp; close", "Nazwa 11", "Nazwa 20", 1},
      {7, "key End; key PgDn; close", "Nazwa 37", "O'Neil", 10},
      {8, "key Up; close", "Nazwa 01", "Nazwa 10", 1},
      {9, "key PgDn; key Up; close", "Nazwa 10", "Nazwa 19", 1},
      {10, "set LOKATOR \"nazwa 2\"; close", "Nazwa 20", "Nazwa 29", 1},
      {11, "set LOKATOR \"O'N\"; close", "Nazwa 37", "O'Neil", 10},
      {12, "set LOKATOR \"x' or '1'='1\"; close", "Nazwa 37", "O'Neil", 10},
      {13, "choose KOLEJNOSC Kod; key Home; close", "O'Neil", "Nazwa 37", 1},
      {14, "set LOKATOR \"Nazwa 44\"; close", "Nazwa 37", "O'Neil", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    auto rows = run(c.script);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), c.first);
    EXPECT_EQ(rows.back(), c.last);
    EXPECT_EQ(selected, c.selected);
  }
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(ListWindowTest, ChoosingAnswersInResponseAndRecordBuffer) {
  struct Case {
    int n;
    Request request;
    const char* script;
    bool chosen;
    int32_t response;
    const char* name;
  } cases[] = {
      {1, Request::Select, "select LISTA 3; key Enter", true, kRequestCompleted, "Nazwa 03"},
      {2, Request::Select, "key End; press Wybierz", true, kRequestCompleted, "O'Neil"},
      {3, Request::Select, "dclick LISTA 2", true, kRequestCompleted, "Nazwa 02"},
      {4, Request::Select, "key Esc", false, kRequestCancelled, ""},
      {5, Request::None, "key Esc", false, kRequestCancelled, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    dict::fill_row_buffer(dict::glo().records, "POZYCJA", {});
    run(c.script, c.request);
    EXPECT_EQ(chosen, c.chosen);
    EXPECT_EQ(dict::glo().GLOBALRESPONSE, c.response);
    EXPECT_EQ(dict::row_field(dict::glo().records, "POZYCJA", "NAZWA"), c.name);
    EXPECT_EQ(global_request(), Request::None);
  }
  // Browse mode offers no "Wybierz"; Enter on a row asks to change it instead.
  run("close");
  EXPECT_TRUE(ui.ui().windows().back().controls[6].hidden);
}

TEST_F(ListWindowTest, UpdateRequestsCarryTheRowAndRefreshTheList) {
  std::vector<std::pair<Request, std::string>> asked;
  update = [&] {
    asked.emplace_back(global_request(), *dict::row_field(dict::glo().records, "POZYCJA", "NAZWA"));
    if (global_request() == Request::Insert) {
      db.run("insert into pozycja values (47, 'Nazwa 05a', 1)");
      dict::set_record_field(dict::glo().records, "POZYCJA", "ID", "47");
    }
    if (global_request() == Request::Delete) db.run("delete from pozycja where id = 2");
    dict::glo().GLOBALRESPONSE = kRequestCompleted;
  };
  auto rows =
      run("select LISTA 2; key Delete; key Insert; select LISTA 4; press Popraw; "
          "select LISTA 1; key Enter; close");
  const std::vector<std::pair<Request, std::string>> expected{{Request::Delete, "Nazwa 02"},
                                                              {Request::Insert, ""},
                                                              {Request::Change, "Nazwa 05"},
                                                              {Request::Change, "Nazwa 01"}};
  EXPECT_EQ(asked, expected);
  // The page keeps its place; the new row shows where it belongs, the deleted one is gone.
  EXPECT_EQ(rows.front(), "Nazwa 01");
  EXPECT_EQ(rows[1], "Nazwa 03");
  EXPECT_EQ(rows[4], "Nazwa 05a");
  EXPECT_EQ(db.count("pozycja where id = 2"), 0);
}

ListObject g_exported;
void record_export(const ListObject& list, int32_t) {
  g_exported = list;
}

TEST_F(ListWindowTest, ExportWritesEveryRowNotThePage) {
  ListExporter previous = set_list_exporter(&record_export);
  for (const char* script : {"press EKSPORT; close",
                             "key Shift+F10; choose popup \"Eksport do "
                             "Excela\"; close"}) {
    SCOPED_TRACE(script);
    g_exported = {};
    run(script);
    ASSERT_EQ(g_exported.row_count(), 46u);
    const Row& last = *g_exported.shown_row(45);
    EXPECT_EQ(ListObject::field_of(last, g_exported.columns[0].field).text, "O'Neil");
    EXPECT_EQ(ListObject::field_of(last, g_exported.columns[1].field).number, 0);
    EXPECT_EQ(g_exported.columns.size(), 2u);
    EXPECT_EQ(g_exported.caption, "Pozycje");
  }
  set_list_exporter(previous);
}

TEST_F(ListWindowTest, ValuesAreQuotedInOnePlace) {
  EXPECT_EQ(quote("O'Neil"), "'O''Neil'");
  EXPECT_EQ(quote("x' or '1'='1  "), "'x'' or ''1''=''1'");
  EXPECT_EQ(quote("abcdef", 3), "'abc'");
  EXPECT_EQ(number("12.5"), "12.5");
  EXPECT_EQ(number("1; drop table x"), "0");
}

TEST_F(ListWindowTest, AFailingPageReadShowsTheErrorAndAnEmptyList) {
  db.faults().fail_matching("from pozycja", sql::Fault::rejected("no such table"), 1);
  auto rows = run("close; close");  // the error window, then the list
  EXPECT_TRUE(rows.empty());
  ASSERT_EQ(ui.ui().error_windows().size(), 1u);
  EXPECT_EQ(ui.ui().error_windows()[0].message, "no such table");
}

}  // namespace
}  // namespace orv::lists
