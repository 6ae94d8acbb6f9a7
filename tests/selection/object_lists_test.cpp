// Object lists on the demo database: a list made from the marked customers, chosen, changed and
// deleted; the marked-set caption; the clipboard list of mode 24.
#include "selection/object_lists.hpp"

#include <gtest/gtest.h>

#include "platform/dict/context.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::selection {
namespace {

class ObjectLists : public ::testing::Test {
 protected:
  std::string list_value(const std::string& column, const std::string& name) {
    return db.value("select " + column + " from orv_lista_obiektow where nazwa_listy='" + name +
                    "'");
  }
  std::string buffer(const char* field) {
    return dict::row_field(dict::glo().records, "ORV_LISTA_OBIEKTOW", field).value_or("?");
  }

  test::DemoDb db;
  test::ScopedUi ui;
};

TEST_F(ObjectLists, AListOfTheMarkedCustomersIsMadeChosenAndDeleted) {
  // 1: jan has customers 1 and 2 marked; the new list holds them and has both users assigned.
  ui.ui().add_script("key Insert; set NAZWA \"Klienci O'Neil\"; key F10; close");
  LISTY_OBIEKTOW("120");
  const std::string id = list_value("id_listy", "Klienci O''Neil");
  EXPECT_EQ(list_value("licznosc", "Klienci O''Neil"), "2");
  EXPECT_EQ(db.column("select id_uzytkownika from orv_uzytkownik_listy_obiektow where id_listy=" +
                      id + " order by 1"),
            (std::vector<std::string>{"7", "4100001"}));
  const ui::WindowRecord& form = ui.ui().windows()[0];
  EXPECT_EQ(form.controls[5].caption,
            "utw\xF3rz list\xEA z zaznaczonych aktualnie 2 kontrahent\xF3w ");
  // 2: mode 4 chooses it into the record buffer.
  ui.ui().add_script("set LOKATOR Klienci; key Enter");
  LISTY_OBIEKTOW("120", "4");
  EXPECT_EQ(buffer("ID_LISTY"), id);
  EXPECT_EQ(dict::glo().GLOBALRESPONSE, 1);
  // 3: a name another list of the kind has is refused; x' or '1'='1 is an ordinary name.
  ui.ui().add_script(
      "set LOKATOR Klienci; press POPRAW; set NAZWA \"Kluczowi klienci\"; key F10; "
      "answer ok; set NAZWA \"x' or '1'='1\"; key F10; close");
  LISTY_OBIEKTOW("120");
  EXPECT_EQ(list_value("id_listy", "x'' or ''1''=''1"), id);
  // 4: deleting takes the elements and the assignments along.
  ui.ui().add_script("set LOKATOR x; key Delete; answer yes; close");
  LISTY_OBIEKTOW("120");
  EXPECT_EQ(db.count("orv_lista_obiektow where id_listy=" + id), 0);
  EXPECT_EQ(db.count("orv_elementy_listy_obiektow where id_listy=" + id), 0);
  EXPECT_EQ(db.count("orv_uzytkownik_listy_obiektow where id_listy=" + id), 0);
  EXPECT_TRUE(ui.ui().error_windows().empty());
}

TEST_F(ObjectLists, InsertNeedsAMarkedSetAndCancelLeavesNoList) {
  const int before = db.count("orv_lista_obiektow");
  ui.ui().add_script("key Insert; answer ok; key Insert; key Esc; close");
  db.run("delete from zaznaczone where uzycie=120 and id_sesji=8");
  LISTY_OBIEKTOW("120", {}, "999");  // nothing marked under 999
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes()[0].box.text, "Prosz\xEA najpierw wykona\xE6 zaznaczenie kontrahent\xF3w!");
  EXPECT_EQ(db.count("orv_lista_obiektow"), before);
}

TEST_F(ObjectLists, ModeTwentyFourStoresTheClipboardWithoutAWindow) {
  LISTY_OBIEKTOW_UPD(102, 24);
  EXPECT_EQ(db.value("select licznosc || ' ' || nazwa_listy from orv_lista_obiektow where "
                     "id_uzytkownika=7 and uzycie=102"),
            "3 <zaznaczone artyku\xB3y>");
  EXPECT_EQ(db.count("orv_uzytkownik_listy_obiektow where id_listy=4"), 0);
  EXPECT_TRUE(ui.ui().windows().empty());
  // The clipboard lists are what mode 24 lists.
  ui.ui().add_script("close");
  LISTY_OBIEKTOW("102", "24");
  EXPECT_EQ(ui.ui().windows().back().controls[0].rows.size(), 1u);
  // Its window deletes through the form (not by storing another clipboard list); a delete that
  // fails half-way leaves the list whole: elements and row go together or not.
  db.faults().fail_matching("delete from ORV_LISTA_OBIEKTOW", sql::Fault::rejected(), 1);
  ui.ui().add_script("key Delete; answer yes; close; close");
  LISTY_OBIEKTOW("102", "24");
  EXPECT_EQ(db.count("orv_elementy_listy_obiektow where id_listy=4"), 3);
  EXPECT_EQ(db.count("orv_lista_obiektow where id_listy=4"), 1);
  EXPECT_EQ(db.count("orv_lista_obiektow where id_uzytkownika=7 and uzycie=102"), 1);
}

}  // namespace
}  // namespace orv::selection
