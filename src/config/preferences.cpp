// Window parameters in INI_PAR_OKNO and the one-pass write-back of a user's preferences.
#include "config/preferences.hpp"

#include "config/parameters.hpp"
#include "config/reported_writes.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::config {
namespace {

using dict::ParOknoRow;

constexpr std::size_t kNameSize = 50;
constexpr std::size_t kRangeSize = 20;

ParOknoRow* parameter_row(std::string_view window, std::string_view parameter) {
  std::string_view w = text::clip(window.substr(0, kNameSize));
  std::string_view p = text::clip(parameter.substr(0, kNameSize));
  return dict::glo().tables.INI_PAR_OKNO.find([&](const ParOknoRow& r) {
    return text::clip(r.window) == w && text::clip(r.parameter) == p;
  });
}

std::string quoted(std::string_view s) {
  return text::double_apostrophes(text::clip(s));
}

void store_date_range() {
  const dict::Context& g = dict::glo();
  USTAWPARAMKONF("u", "ZakrWys", g.ZAKRES.substr(0, kRangeSize));
  USTAWPARAMKONF("u", "Data_Od", std::to_string(g.DATA_OD));
  USTAWPARAMKONF("u", "Data_Do", std::to_string(g.DATA_DO));
}

void write_columns(const std::string& user, ReportedWrites& writes) {
  for (const dict::IniKolBroRow& r : dict::glo().tables.INI_KOL_BRO) {
    writes.execute(
        "Update inter_ini_uzytkownik with (rowlock) set rozmiar=" + std::to_string(r.width) +
        ",kolejnosc=" + std::to_string(r.position) + ",format_kolumny='" + quoted(r.format) +
        "' where id_uzytkownika=" + user + " and id_kolumny=" + plain_id(r.column_id));
  }
}

void write_window_parameters(const std::string& user, ReportedWrites& writes) {
  for (const ParOknoRow& r : dict::glo().tables.INI_PAR_OKNO) {
    writes.execute("Update inter_parametr_uzytkownik with (rowlock)  set wartosc='" +
                   quoted(r.value) +
                   "'  from ini_parametr p,inter_parametr_uzytkownik i,ini_okno o  where "
                   "i.id_uzytkownika=" +
                   user + " and  p.nazwa='" + quoted(r.parameter) +
                   "' and  p.id_parametru=i.id_parametru and p.id_okna=o.id_okna and  o.nazwa='" +
                   quoted(r.window) + "'");
  }
}

}  // namespace

std::string POBIERZPARAMETROKNA(std::string_view window, std::string_view parameter) {
  const ParOknoRow* r = parameter_row(window, parameter);
  return r ? r->value : std::string();
}

uint8_t ZAPISZPARAMETROKNA(std::string_view window, std::string_view parameter,
                           std::string_view value) {
  ParOknoRow* r = parameter_row(window, parameter);
  if (!r) return 0;
  r->value = text::clip(text::clip(value).substr(0, kNameSize));
  return 1;
}

void ZAPISZPREFERENCJEUZYTKOWNIKA(double user) {
  ui::BusyCursor busy;
  ReportedWrites writes;
  store_date_range();
  std::string u = plain_id(user);
  write_columns(u, writes);
  write_window_parameters(u, writes);
  frame::CLOSESQL();
}

}  // namespace orv::config
