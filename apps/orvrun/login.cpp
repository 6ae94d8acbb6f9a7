// The host's log-in and log-out around a call: tables filled, preferences written back.
#include "login.hpp"

#include <cstdlib>

#include "calc/vat.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "config/preferences.hpp"
#include "exports/orvrun.h"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::cli {
namespace {

using Row = std::vector<std::string>;

// The rows of a quiet query on the main channel; none when it fails.
std::vector<Row> rows_of(const std::string& statement, std::size_t columns) {
  std::vector<Row> rows;
  if (frame::ESQL(statement, /*quiet=*/1) == 0) {
    while (frame::VAX().next()) {
      Row r;
      for (std::size_t k = 1; k <= columns; ++k) r.push_back(frame::VAX().field(k));
      rows.push_back(std::move(r));
    }
  }
  frame::CLOSESQL();
  return rows;
}

double number(const std::string& s) {
  return std::strtod(s.c_str(), nullptr);
}

void sign_in(const HostOptions& o) {
  dict::Context& g = dict::glo();
  g.ID_UZYTKOWNIKA = o.user.value_or(kDefaultUser);
  auto own = rows_of("select id_firmy, id_magazynu from uzytkownik where id_uzytkownika = " +
                         plain_id(g.ID_UZYTKOWNIKA),
                     2);
  bool known = !own.empty() && number(own[0][0]) != 0;
  g.ID_FIRMY = o.company.value_or(known ? number(own[0][0]) : kDefaultCompany);
  g.ID_MAGAZYNU = o.warehouse.value_or(known ? number(own[0][1]) : kDefaultWarehouse);
}

void load_vat() {
  std::vector<dict::VatRow> rates;
  for (const Row& r : rows_of("select symbol, stawka from stawka_vat", 2)) {
    Decimal rate;
    if (!Decimal::parse(r[1], rate)) continue;
    rates.push_back({r[0], rate});
  }
  calc::fill_vatq(rates);
}

void load_parameters(dict::Queue<dict::ParamKonfRow>& q, const std::string& values_table,
                     const std::string& owner) {
  q.clear();
  for (const Row& r :
       rows_of("select p.kod, p.maska, i.wartosc from pozycjakonfig p join " + values_table +
                   " i on i.id_pozycji = p.id_pozycji where " + owner + " order by p.id_pozycji",
               3)) {
    q.add({text::upper(text::clip(r[0])).substr(0, 20), r[1].substr(0, 20), r[2].substr(0, 249)});
  }
}

void load_window_parameters(double user) {
  auto& q = dict::glo().tables.INI_PAR_OKNO;
  q.clear();
  for (const Row& r : rows_of("select o.nazwa, p.nazwa, i.wartosc from inter_parametr_uzytkownik "
                              "i join ini_parametr p on p.id_parametru = i.id_parametru join "
                              "ini_okno o on o.id_okna = p.id_okna where i.id_uzytkownika = " +
                                  plain_id(user) + " order by p.id_okna, p.id_parametru",
                              3)) {
    q.add({r[0].substr(0, 50), r[1].substr(0, 50), r[2].substr(0, 50)});
  }
}

// Through the C ABI, as any host loads the column settings after log-in.
void load_column_settings() {
  ::LADUJUSTAWIENIAKOLUMN();
}

void restore_date_range() {
  dict::Context& g = dict::glo();
  g.ZAKRES = std::string(text::clip(config::POBIERZPARAMKONF("u", "ZakrWys"))).substr(0, 20);
  g.DATA_OD = std::atoi(config::POBIERZPARAMKONF("u", "Data_Od").c_str());
  g.DATA_DO = std::atoi(config::POBIERZPARAMKONF("u", "Data_Do").c_str());
}

}  // namespace

Preferences Preferences::current() {
  const dict::Context& g = dict::glo();
  Preferences p;
  for (const auto& c : g.tables.INI_KOL_BRO) {
    p.columns.push_back({c.column_id, c.width, c.position, c.format});
  }
  for (const auto& w : g.tables.INI_PAR_OKNO) {
    p.window_parameters.push_back({w.window, w.parameter, w.value});
  }
  p.range = g.ZAKRES;
  p.date_from = g.DATA_OD;
  p.date_to = g.DATA_DO;
  return p;
}

Preferences log_in(const HostOptions& options) {
  sign_in(options);
  const dict::Context& g = dict::glo();
  load_vat();
  load_parameters(dict::glo().tables.S_PARAMKONFQ, "interfirmapozycja",
                  "i.id_firmy = " + plain_id(g.ID_FIRMY));
  load_parameters(dict::glo().tables.U_PARAMKONFQ, "interuzytkownikpozycja",
                  "i.id_uzytkownika = " + plain_id(g.ID_UZYTKOWNIKA));
  config::LADUJUPRAWNIENIA();
  load_window_parameters(g.ID_UZYTKOWNIKA);
  load_column_settings();
  restore_date_range();
  return Preferences::current();
}

void log_out(const Preferences& loaded) {
  if (Preferences::current() == loaded) return;
  config::ZAPISZPREFERENCJEUZYTKOWNIKA(dict::glo().ID_UZYTKOWNIKA);
}

}  // namespace orv::cli
