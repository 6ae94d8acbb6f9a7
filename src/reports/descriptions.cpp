// The description list (Opis_dok_poz_brw), its form and the default text.
#include "reports/descriptions.hpp"

#include "config/reported_writes.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"

namespace orv::reports {
namespace {

using ui::ControlKind;

constexpr const char* kRecord = "OPIS_DOK_POZ_FIN";
constexpr std::size_t kTextSize = 1000;
enum : int { kDefaultButton = 20, kGenerateButton, kText = 20 };

std::string list_condition(double type_id, uint8_t level) {
  return "a.id_firmy=" + plain_id(dict::glo().ID_FIRMY) + " and a.id_typu=" + plain_id(type_id) +
         " and a.DOK_POZ=" + std::to_string(level);
}

lists::ListDesign descriptions_design(double type_id, uint8_t level) {
  lists::ListDesign s;
  s.name = "Opis_dok_poz_brw";
  s.title = "Opisy dokumentów"_w1250;
  s.record = kRecord;
  s.fields = {
      {"ID_OPISU", "a.id_opisu", true}, {"OPIS", "a.opis"}, {"DOMYSLNY", "a.domyslny", true}};
  s.from = "opis_dok_poz_fin a with (nolock)";
  s.where = list_condition(type_id, level);
  lists::ListColumnDesign mark = lists::column("Domyślny"_w1250, 40, 2);
  mark.icons = {{"1", "~check.ico"}};
  s.columns = {lists::column("Opis", 250, 1), mark};
  s.sorts = {{"Opis", 1}};
  s.buttons = lists::kUpdates | lists::kSelect | lists::kExport;
  return s;
}

ui::Window descriptions_window() {
  ui::Window w = lists::build_list_window(descriptions_design(0, 0));
  w.add(ControlKind::Button, kDefaultButton, "DOMYSLNY", "Domyślny"_w1250);
  w.add(ControlKind::Button, kGenerateButton, "GENERUJ", "Generuj");
  return w;
}

ui::Window description_form() {
  ui::Window w("Opis_dok_poz_upd", "Opis dokumentu");
  lists::add_form_controls(w);
  w.add(ControlKind::TextArea, kText, "OPIS", "Opis:");
  return w;
}

const ui::WindowRegistrar kListWin("Opis_dok_poz_brw", "OPIS_DOK_POZ_BRW", &descriptions_window);
const ui::WindowRegistrar kFormWin("Opis_dok_poz_upd", "OPIS_DOK_POZ_BRW", &description_form);

// Sound behaviour: clearing the list's mark and setting the row's are one change, so the list
// can never be left with two defaults, or with none after a failure half-way.
void toggle_default(lists::ListWindow& list, double type_id, uint8_t level) {
  const double id = text::real_of(list.field("ID_OPISU"));
  if (id <= 0) return;
  const bool was_default = text::long_of(list.field("DOMYSLNY")) == 1;
  config::ReportedWrites writes;
  if (!writes.execute("begin transaction")) return;
  bool ok = writes.execute(
      "update opis_dok_poz_fin set domyslny=0 where id_firmy=" + plain_id(dict::glo().ID_FIRMY) +
      " and id_typu=" + plain_id(type_id) + " and dok_poz=" + std::to_string(level));
  if (ok && !was_default)
    ok = writes.execute("update opis_dok_poz_fin set domyslny=1 where id_opisu=" + plain_id(id));
  if (!ok || !writes.execute("commit transaction")) writes.execute("rollback transaction");
  frame::CLOSESQL();
  list.refresh();
}

void generate(lists::ListWindow& list, double type_id, uint8_t level) {
  if (ui::backend().popup({"Dla dostaw węglowych"_w1250}) != 1) return;
  frame::EXECSQL("call AP_GenerujOpisyDokumentow(" + plain_id(dict::glo().ID_FIRMY) + "," +
                 plain_id(type_id) + "," + std::to_string(level) + ")");
  if (frame::VAX().error() != 0) frame::MSG_OSTRZEZENIE(frame::VAX().message());
  frame::CLOSESQL();
  list.refresh();
}

bool save_description(double id, const std::string& text, double type_id, uint8_t level) {
  const std::string value = lists::quote(text, kTextSize);
  const std::string same = frame::FUNCSQL("select id_opisu from opis_dok_poz_fin a where " +
                                          list_condition(type_id, level) + " and a.opis=" + value +
                                          " and a.id_opisu<>" + plain_id(id));
  if (!text::clip(same).empty()) {
    frame::MSG_OSTRZEZENIE("Taki opis jest już na liście."_w1250);
    return false;
  }
  const std::string sql =
      id > 0 ? "update opis_dok_poz_fin set opis=" + value + " where id_opisu=" + plain_id(id)
             : "insert into opis_dok_poz_fin (id_firmy, id_typu, dok_poz, opis, domyslny) values(" +
                   plain_id(dict::glo().ID_FIRMY) + "," + plain_id(type_id) + "," +
                   std::to_string(level) + "," + value + ",0)";
  if (frame::ESQL(sql) != 0) return false;
  frame::CLOSESQL();
  if (id <= 0) {
    const std::string made = frame::FUNCSQL("select max(id_opisu) from opis_dok_poz_fin a where " +
                                            list_condition(type_id, level));
    dict::set_record_field(dict::glo().records, kRecord, "ID_OPISU", made);
  }
  return true;
}

void update_description(double type_id, uint8_t level) {
  const double id =
      text::real_of(dict::row_field(dict::glo().records, kRecord, "ID_OPISU").value_or(""));
  const lists::Request r = lists::form_request(id);
  if (r == lists::Request::Delete) {
    const bool yes = lists::confirm_delete();
    if (yes) frame::ESQL("delete from opis_dok_poz_fin where id_opisu=" + plain_id(id));
    frame::CLOSESQL();
    lists::answer_request(yes);
    return;
  }
  ui::Window w = description_form();
  w.at(kText).value = dict::row_field(dict::glo().records, kRecord, "OPIS").value_or("");
  lists::UpdateForm form(w, r);
  form.run([&] { return save_description(id, w.at(kText).value, type_id, level); });
}

}  // namespace

std::string DOMYSLNYOPISDOK(uint8_t level, double type_id) {
  std::string out;
  if (frame::ESQL2("select opis from opis_dok_poz_fin where id_firmy=" +
                   plain_id(dict::glo().ID_FIRMY) + " and id_typu=" + plain_id(type_id) +
                   " and dok_poz=" + std::to_string(level) + " and domyslny=1") == 0 &&
      frame::VAX2().next())
    out = frame::VAX2().field(1);
  frame::CLOSESQL2();
  return out;
}

void OPIS_DOK_POZ_BRW(double type_id, uint8_t level) {
  const lists::ListDesign design = descriptions_design(type_id, level);
  ui::Window w = descriptions_window();
  lists::ListWindow list(w, design);
  list.on_update([&] { update_description(type_id, level); });
  list.add_popup_item("Domyślny"_w1250,
                      [&](lists::ListWindow& l) { toggle_default(l, type_id, level); });
  list.on_event([&](lists::ListWindow& l, const ui::Event& e) {
    if (e.accepted(kDefaultButton)) return toggle_default(l, type_id, level), true;
    if (e.accepted(kGenerateButton)) return generate(l, type_id, level), true;
    return false;
  });
  list.run();
}

}  // namespace orv::reports
