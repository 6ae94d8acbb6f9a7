// The positions of one scheme in their order ("Elektroniczne Polecenie Przelewu - definicja
// schematu"): added after the highlighted one, deleted, moved up and down.
#include <string>

#include "lists/list_window.hpp"
#include "payments/position_order.hpp"
#include "payments/scheme_editors.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

constexpr const char* kRecord = "MC_DEF_POZ";
constexpr const char* kTitle = "Elektroniczne Polecenie Przelewu - definicja schematu";

enum : int { kMoveDown = lists::kOwnControls, kMoveUp };

lists::ListDesign positions_design(double scheme_id, std::string_view scheme_name) {
  lists::ListDesign s;
  s.name = "MC_Pozycje";
  s.title = std::string(kTitle) + " (" + std::string(text::clip(scheme_name)) + ")";
  s.record = kRecord;
  s.fields = {
      {"ID_MC_DEF_POZ", "a.id_mc_def_poz", true},
      {"ID_MC_DEF_NAG", "a.id_mc_def_nag", true},
      {"LP", "a.lp", true},
      {"PREFIKS", "a.prefiks"},
      {"NAZWA", "b.nazwa"},
      {"SUFIKS", "a.sufiks"},
      {"SEPARATOR", "a.separator"},
      {"WYMAGANE", "case when a.wymagana_wartosc=1 then '+' else '' end"},
      {"FORMAT_DISPLAY_1", "a.format_display_1"},
      {"FORMAT_DISPLAY_2", "a.format_display_2"},
      {"KONIEC_LINII", "case when a.koniec_linii=1 then ' <koniec linii>' else '' end"},
      {"JEDNORAZOWO", "case when rtrim(isnull(a.typ,''))<>'' then ' <jednorazowo>' else '' end"}};
  s.from =
      "MC_DEF_POZ a with (nolock) left outer join MC_DEF_POLA b with (nolock) on "
      "b.id_mc_def_pola=a.id_mc_def_pola";
  s.where = "a.id_mc_def_nag=" + plain_id(scheme_id);
  s.columns = {lists::column("Lp", 25, 2),
               lists::column("Prefiks", 35, 3),
               lists::column("Nazwa", 120, 4),
               lists::column("Sufiks", 35, 5),
               lists::column("Separator", 35, 6),
               lists::column("Wymagane", 35, 7),
               lists::column("Format", 50, 8),
               lists::column("Układ pola"_w1250, 150, 9),
               lists::column("Info (koniec linii)", 60, 10),
               lists::column("Info (jednorazowe wystąpienie)"_w1250, 60, 11)};
  s.sorts = {{"Lp", 2}};
  s.buttons = lists::kUpdates | lists::kExport;
  return s;
}

ui::Window positions_window() {
  ui::Window w = lists::build_list_window(positions_design(0, ""));
  w.add(ControlKind::Button, kMoveDown, "W_DOL", "Przesuń w dół (Ctrl+Down)"_w1250).key =
      "Ctrl+Down";
  w.add(ControlKind::Button, kMoveUp, "W_GORE", "Przesuń w górę (Ctrl+Up)"_w1250).key = "Ctrl+Up";
  return w;
}

const ui::WindowRegistrar kListWin("MC_Pozycje", "MULTICASH", &positions_window);

int32_t highlighted_lp(const lists::ListWindow& list) {
  return list.current() ? text::long_of(list.field("LP")) : 0;
}

// The form of the position; a new one, added at the end, moves right after the highlighted one.
void update(lists::ListWindow& list, double scheme_id) {
  const lists::Request r = lists::global_request();
  if (r != lists::Request::Insert) return UP_MC_POZYCJE();
  const int32_t lp = highlighted_lp(list);
  dict::set_record_field(dict::glo().records, kRecord, "ID_MC_DEF_NAG", plain_id(scheme_id));
  UP_MC_POZYCJE();
  if (dict::glo().GLOBALRESPONSE != lists::kRequestCompleted) return;
  const double id =
      text::real_of(dict::row_field(dict::glo().records, kRecord, "ID_MC_DEF_POZ").value_or(""));
  place_after(scheme_id, lp, id);
}

void move(lists::ListWindow& list, double scheme_id, int step) {
  const lists::ListRow* row = list.current();
  if (!row) return;
  const double id = row->id;
  if (move_position(scheme_id, highlighted_lp(list), id, step)) list.show_row(id);
}

}  // namespace

void positions_list(double scheme_id, std::string_view scheme_name) {
  const lists::ListDesign design = positions_design(scheme_id, scheme_name);
  ui::Window w = positions_window();
  w.title = design.title;
  lists::ListWindow list(w, design);
  list.on_update([&] { update(list, scheme_id); });
  list.add_popup_item("Przesuń w dół"_w1250, [&](lists::ListWindow& l) { move(l, scheme_id, 1); });
  list.add_popup_item("Przesuń w górę"_w1250,
                      [&](lists::ListWindow& l) { move(l, scheme_id, -1); });
  list.on_event([&](lists::ListWindow& l, const ui::Event& e) {
    if (e.kind != ui::EventKind::Accepted || (e.control != kMoveDown && e.control != kMoveUp))
      return false;
    move(l, scheme_id, e.control == kMoveDown ? 1 : -1);
    return true;
  });
  lists::set_global_request(lists::Request::None);
  list.run();
}

}  // namespace orv::payments
