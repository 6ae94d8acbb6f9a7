// The settings-profile list and its form.
#include "lists/settings_profiles.hpp"

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"

namespace orv::lists {
namespace {

using ui::ControlKind;

constexpr const char* kRecord = "ORV_PROFILE_USTAWIEN";
constexpr std::size_t kNameSize = 50;
enum : int { kName = 20, kShared, kSettings };

ListDesign profiles_design() {
  ListDesign s;
  s.name = "Profile_Ustawien_Brw";
  s.title = "Profile ustawień"_w1250;
  s.record = kRecord;
  s.fields = {{"ID_PROFILU", "p.id_profilu", true},
              {"NAZWA", "p.nazwa"},
              {"ID_UZYTKOWNIKA", "p.id_uzytkownika", true},
              {"USTAWIENIA", "p.ustawienia"},
              {"WLASCICIEL",
               "isnull((select u.nazwa from uzytkownik u with (nolock) where "
               "u.id_uzytkownika=p.id_uzytkownika),'')"}};
  s.from = "orv_profile_ustawien p with (nolock)";
  s.where = "p.id_uzytkownika in (0," + plain_id(dict::glo().ID_UZYTKOWNIKA) + ")";
  ListColumnDesign shared = column("", 12, 2);
  shared.icons = {{"0", "~wspolny.ico"}};
  s.columns = {column("Nazwa", 150, 1), shared, column("Właściciel"_w1250, 100, 4)};
  s.sorts = {{"Nazwa", 1}};
  return s;
}

ui::Window profiles_window() {
  return build_list_window(profiles_design());
}

ui::Window profile_form() {
  ui::Window w("Profile_Ustawien_Upd", "Profil ustawień"_w1250);
  add_form_controls(w);
  w.add(ControlKind::Entry, kName, "NAZWA", "Nazwa:");
  w.add(ControlKind::Check, kShared, "WSPOLNY", "profil wspólny dla wszystkich użytkowników"_w1250)
      .value = "0";
  w.add(ControlKind::TextArea, kSettings, "USTAWIENIA", "Ustawienia:");
  return w;
}

const ui::WindowRegistrar kListWin("Profile_Ustawien_Brw", "PROFILE_USTAWIEN_BRW",
                                   &profiles_window);
const ui::WindowRegistrar kFormWin("Profile_Ustawien_Upd", "PROFILE_USTAWIEN_BRW", &profile_form);

std::string buffer(const char* field) {
  return dict::row_field(dict::glo().records, kRecord, field).value_or("");
}

// A name is unique among the profiles one user sees.
bool save_profile(double id, const ui::Window& w) {
  const std::string name = quote(w.find(kName)->value, kNameSize);
  const std::string owner =
      w.find(kShared)->value == "1" ? "0" : plain_id(dict::glo().ID_UZYTKOWNIKA);
  const std::string same =
      frame::FUNCSQL("select id_profilu from orv_profile_ustawien where nazwa=" + name +
                     " and id_uzytkownika in (0," + plain_id(dict::glo().ID_UZYTKOWNIKA) +
                     ") and id_profilu<>" + plain_id(id));
  if (!text::clip(same).empty()) {
    frame::MSG_OSTRZEZENIE("Istnieje już profil o podanej nazwie!|Proszę zmienić nazwę."_w1250);
    return false;
  }
  const std::string settings = quote(w.find(kSettings)->value);
  const std::string sql =
      id > 0 ? "update orv_profile_ustawien set nazwa=" + name + ", id_uzytkownika=" + owner +
                   ", ustawienia=" + settings + " where id_profilu=" + plain_id(id)
             : "insert into orv_profile_ustawien (nazwa, id_uzytkownika, ustawienia) values(" +
                   name + "," + owner + "," + settings + ")";
  if (frame::ESQL(sql) != 0) return false;
  frame::CLOSESQL();
  if (id <= 0) {
    dict::set_record_field(dict::glo().records, kRecord, "ID_PROFILU",
                           frame::FUNCSQL("select max(id_profilu) from orv_profile_ustawien"));
  }
  return true;
}

void update_profile() {
  const double id = text::real_of(buffer("ID_PROFILU"));
  const Request r = form_request(id);
  if (r == Request::Delete) {
    const bool yes = confirm_delete();
    if (yes) frame::ESQL("delete from orv_profile_ustawien where id_profilu=" + plain_id(id));
    frame::CLOSESQL();
    answer_request(yes);
    return;
  }
  ui::Window w = profile_form();
  w.at(kName).value = buffer("NAZWA");
  w.at(kShared).value = id > 0 && text::real_of(buffer("ID_UZYTKOWNIKA")) == 0 ? "1" : "0";
  w.at(kSettings).value = buffer("USTAWIENIA");
  UpdateForm form(w, r);
  form.run([&] { return save_profile(id, w); });
}

}  // namespace

void PROFILE_USTAWIEN_BRW() {
  const ListDesign design = profiles_design();
  ui::Window w = profiles_window();
  ListWindow list(w, design);
  list.on_update(&update_profile);
  list.run();
}

}  // namespace orv::lists
