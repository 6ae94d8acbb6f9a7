// STANYMINMAXREZGRUPOWAZMIANA: the window with its sliders, the warehouses' rights, the change.
#include "dialogs/stock_levels.hpp"

#include <string>
#include <utility>
#include <vector>

#include "config/permissions.hpp"
#include "frame/messages.hpp"
#include "frame/progress_window.hpp"
#include "frame/sql_channels.hpp"
#include "frame/window_conventions.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"
#include "selection/saved_filters.hpp"

namespace orv::dialogs {
namespace {

using ui::ControlKind;

constexpr const char* kPermission = "ArtykStanMinMaxRez";
constexpr const char* kQuantityPicture = "@N14_`4";

enum : int {
  kMinCheck = 1,
  kMinMode,
  kMinSlider,
  kMinPercent,
  kMinQuantity,
  kMaxCheck,
  kMaxMode,
  kMaxSlider,
  kMaxPercent,
  kMaxQuantity,
  kConfirm,
  kCancel
};

// One level's controls and the record's fields behind them.
struct Level {
  int check, mode, slider, percent, quantity;
  const char *chk, *pr_wart, *pr, *value;
};
constexpr Level kLevels[] = {
    {kMinCheck, kMinMode, kMinSlider, kMinPercent, kMinQuantity, "CHK_STAN_MIN", "PR_WART_STAN_MIN",
     "PR_STAN_MIN", "STAN_MIN"},
    {kMaxCheck, kMaxMode, kMaxSlider, kMaxPercent, kMaxQuantity, "CHK_STAN_MAX", "PR_WART_STAN_MAX",
     "PR_STAN_MAX", "STAN_MAX"},
};

void add_level(ui::Window& w, const Level& l, const char* caption, int high, int tick) {
  w.add(ControlKind::Check, l.check, l.chk, caption);
  ui::Control& mode = w.add(ControlKind::DropList, l.mode, l.pr_wart, "Sposób"_w1250);
  mode.items = {"procentowo", "ilościowo"_w1250};
  ui::Control& slider = w.add(ControlKind::Slider, l.slider, l.pr,
                              std::to_string(high) + " % bieżącego stanu magazynu"_w1250);
  slider.high = high;
  slider.tick = tick;
  w.add(ControlKind::Label, l.percent, std::string(l.pr) + "_PROC", "0%");
  w.add(ControlKind::Entry, l.quantity, l.value, "Ilość"_w1250);
}

ui::Window stock_levels_window() {
  ui::Window w("StanyMinMaxRezGrupowaZmiana",
               "Ustalenie parametrów dla zaznaczonych artykułów"_w1250);
  w.rect = {0, 0, 260, 170};
  add_level(w, kLevels[0], "stan minimalny", 100, 5);
  add_level(w, kLevels[1], "stan maksymalny", 200, 10);
  w.add(ControlKind::Button, kConfirm, "ZATWIERDZ", "Zatwierdź"_w1250).key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kWindow("StanyMinMaxRezGrupowaZmiana", "STANYMINMAXREZGRUPOWAZMIANA",
                                  &stock_levels_window);

std::string& field(dict::Group& g, const char* name) {
  return g.find(std::string("GRS:") + name)->values[0];
}

// A value as the server procedure takes it: plain decimal, no trailing zeros.
std::string plain(const std::string& value) {
  Decimal d;
  return Decimal::parse(value, d) ? plain_number(d.to_double()) : "0";
}

class StockLevels {
 public:
  explicit StockLevels(int32_t usage) : usage_(usage) {}
  void run();

 private:
  void show();
  void on_event(const ui::Event& e);
  void confirm();
  std::optional<std::vector<std::pair<int32_t, std::string>>> warehouses();
  bool allowed_everywhere();
  std::string change_statement();

  int32_t usage_;
  int32_t filter_id_ = 0;
  dict::Group r_ = stock_levels_record();
  ui::Window w_ = stock_levels_window();
};

// The settings' saved filter; created when the database has none, so settings are kept.
int32_t settings_filter() {
  const int32_t id =
      selection::POBIERZIDFILTRAXML("GrupoweStanyMinMaxRez", "asortyment", "ustawienia", "stany");
  if (id > 0) return id;
  return text::long_of(frame::FUNCSQL(
      "call RM_DodajFiltrUzytkownika('GrupoweStanyMinMaxRez','asortyment','ustawienia','stany'," +
      plain_id(dict::glo().ID_UZYTKOWNIKA) + ")"));
}

void StockLevels::run() {
  filter_id_ = settings_filter();
  selection::POBIERZXMLFILTRUZYTKOWNIKA(filter_id_, r_);
  show();
  frame::open_window(w_);
  for (;;) {
    const ui::Event e = w_.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kConfirm)) {
      confirm();
      break;
    }
    on_event(e);
  }
  w_.close();
}

void StockLevels::show() {
  for (const Level& l : kLevels) {
    const bool on = field(r_, l.chk) == "1";
    w_.at(l.check).value = on ? "1" : "0";
    ui::Control& mode = w_.at(l.mode);
    mode.selected = field(r_, l.pr_wart) == "1" ? 1 : 2;
    mode.value = mode.items[static_cast<std::size_t>(mode.selected - 1)];
    const int32_t percent = text::long_of(field(r_, l.pr));
    w_.at(l.slider).value = std::to_string(percent);
    w_.at(l.percent).caption = std::to_string(percent) + "%";
    w_.at(l.quantity).value = std::string(
        text::trim(picture::format(text::real_of(field(r_, l.value)), kQuantityPicture)));
    for (int c : {l.mode, l.slider, l.percent, l.quantity}) w_.at(c).disabled = !on;
  }
  w_.display();
}

void StockLevels::on_event(const ui::Event& e) {
  for (const Level& l : kLevels) {
    if (e.accepted(l.check)) field(r_, l.chk) = w_.at(l.check).value == "1" ? "1" : "0";
    if (e.accepted(l.mode)) field(r_, l.pr_wart) = w_.at(l.mode).selected == 1 ? "1" : "2";
    if (e.accepted(l.slider))
      field(r_, l.pr) = std::to_string(text::long_of(w_.at(l.slider).value));
    if (e.accepted(l.quantity)) {
      const double typed = picture::deformat_number(w_.at(l.quantity).value, kQuantityPicture);
      field(r_, l.value) = Decimal::from_double(typed).rescale(4).to_string();
    }
  }
  show();
}

void StockLevels::confirm() {
  selection::ZAPISZXMLFILTRUZYTKOWNIKA(filter_id_, r_);
  if (!allowed_everywhere()) return;
  frame::EXECSQLWIN(change_statement());
}

// The warehouses holding a marked article; nothing when the list could not be read.
std::optional<std::vector<std::pair<int32_t, std::string>>> StockLevels::warehouses() {
  std::vector<std::pair<int32_t, std::string>> out;
  const bool read =
      frame::ESQL("call RM_ListaMagazynowZaznArtykulow(" + plain_id(dict::glo().ID_UZYTKOWNIKA) +
                  "," + std::to_string(usage_) + ")") == 0;
  while (read && frame::VAX().next()) {
    out.emplace_back(text::long_of(frame::VAX().field(1)), frame::VAX().field(2));
  }
  frame::CLOSESQL();
  if (!read) return std::nullopt;
  return out;
}

// A warehouse list that cannot be read is no proof of a right: nothing is changed.
bool StockLevels::allowed_everywhere() {
  const auto list = warehouses();
  if (!list) {
    frame::MSG_OSTRZEZENIE(
        "Brak uprawnień na zmianę stanów minimalnego i maksymalnego artykułów: nie udało się "
        "odczytać magazynów zaznaczonych artykułów. Zmiany nie wykonano."_w1250);
    return false;
  }
  for (const auto& [id, name] : *list) {
    if (config::POBIERZUPRAWNIENIE(kPermission, id) != 0) continue;
    frame::MSG_OSTRZEZENIE(
        "Brak uprawnień na zmianę stanów minimalnego i maksymalnego artykułów w magazynie "_w1250 +
        std::string(text::clip(name)) + " !");
    return false;
  }
  return true;
}

std::string StockLevels::change_statement() {
  struct Pair {
    const char *chk, *pr_wart, *pr, *value;
  };
  static constexpr Pair kPairs[] = {
      {"CHK_STAN_MIN", "PR_WART_STAN_MIN", "PR_STAN_MIN", "STAN_MIN"},
      {"CHK_STAN_MAX", "PR_WART_STAN_MAX", "PR_STAN_MAX", "STAN_MAX"},
      {"CHK_PROG_REZ", "PR_WART_PROG_ZAM", "PR_PROG_REZ", "PROG_REZ"},
  };
  std::string out = "call RM_StanyMinMaxRezGrupowaZmiana(" + plain_id(dict::glo().ID_UZYTKOWNIKA) +
                    "," + std::to_string(usage_);
  for (const Pair& p : kPairs) {
    const bool percent = field(r_, p.pr_wart) == "1";
    out += "," + plain(field(r_, percent ? p.pr : p.value)) + "," +
           (field(r_, p.chk) == "1" ? std::to_string(text::byte_of(field(r_, p.pr_wart))) : "0");
  }
  return out + ")";
}

}  // namespace

dict::Group stock_levels_record() {
  using K = dict::FieldKind;
  dict::Group g;
  for (const char* name : {"CHK_STAN_MIN", "CHK_STAN_MAX", "CHK_PROG_REZ", "PR_WART_STAN_MIN",
                           "PR_WART_STAN_MAX", "PR_WART_PROG_ZAM"}) {
    g.add(std::string("GRS:") + name, K::Byte);
  }
  for (const char* name : {"PR_STAN_MIN", "PR_STAN_MAX", "PR_PROG_REZ"}) {
    g.add(std::string("GRS:") + name, K::Decimal, 0);
  }
  for (const char* name : {"STAN_MIN", "STAN_MAX", "PROG_REZ"}) {
    g.add(std::string("GRS:") + name, K::Decimal, 4);
  }
  return g;
}

void STANYMINMAXREZGRUPOWAZMIANA(int32_t usage) {
  if (config::POBIERZUPRAWNIENIE(kPermission) == 0) {
    frame::MSG_OSTRZEZENIE(
        "Brak uprawnień na wykonanie funkcji grupowej zmiany stanów minimalnego i maksymalnego!"_w1250);
    return;
  }
  StockLevels(usage).run();
}

}  // namespace orv::dialogs
