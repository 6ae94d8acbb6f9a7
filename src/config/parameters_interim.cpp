// Interim copy of USTAWPARAMKONF, to be removed when the configuration parameters land.
#include "config/parameters.hpp"

#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::config {
namespace {

constexpr std::size_t kValueCapacity = 250;

dict::ParamKonfRow* cached_row(std::string_view scope, std::string_view code) {
  auto& tables = dict::glo().tables;
  dict::Queue<dict::ParamKonfRow>& q = scope == "s" ? tables.S_PARAMKONFQ : tables.U_PARAMKONFQ;
  std::string key = text::upper(text::clip(code)).substr(0, 20);
  return q.find([&](const dict::ParamKonfRow& r) { return text::clip(r.code) == key; });
}

std::string quoted(std::string_view v) {
  return "'" + text::double_apostrophes(text::clip(v)) + "'";
}

void log_change(std::string_view scope, std::string_view code, std::string_view old_value,
                std::string_view new_value) {
  const dict::Context& g = dict::glo();
  frame::EXECSQL("call AP_ZapiszDoLoguParam ('" + std::string(scope) + "'," + plain_id(g.ID_FIRMY) +
                 "," + plain_id(g.ID_UZYTKOWNIKA) + "," + quoted(text::upper(text::clip(code))) +
                 "," + quoted(old_value) + "," + quoted(new_value) + ")");
}

void store(std::string_view scope, std::string_view code, const std::string& stored) {
  const dict::Context& g = dict::glo();
  bool company = scope == "s";
  frame::EXECSQL("call RM_ZapiszParamKonf('" + std::string(scope) + "'," +
                 plain_id(company ? g.ID_FIRMY : g.ID_UZYTKOWNIKA) + "," + quoted(code) + "," +
                 quoted(stored) + "," + (company ? "0" : plain_id(g.ID_FIRMY)) + ")");
}

void user_side_effects(std::string_view code, const std::string& stored) {
  std::string upper = text::upper(text::clip(code));
  if (upper == "DOMKASA") {
    Decimal number;
    dict::glo().ID_KASY = Decimal::parse(text::trim(stored), number) ? number.to_double() : 0;
  } else if (upper == "DRZEWKOFILTRROZ") {
    dict::glo().ROZRACH_DRZEWKO_LOADED = 0;
  }
}

}  // namespace

void USTAWPARAMKONF(std::string_view scope, std::string_view code, std::string_view value) {
  scope = text::clip(scope);
  if (scope != "s" && scope != "u") {
    frame::CLOSESQL();
    return;
  }
  dict::ParamKonfRow* row = cached_row(scope, code);
  if (!row) return;
  std::string_view old_value = text::clip(row->value);
  std::string_view new_value = text::clip(value);
  if (scope == "s" && text::clip(code) == "IBAN" && new_value != old_value) {
    frame::EXECSQL("update wartosc_parametru  with (rowlock)  set wartosc=" + quoted(new_value) +
                   " from wartosc_parametru w,parametr_raportu p " +
                   "where p.id_parametru=w.id_parametru and  p.nazwa='IBAN'");
  }
  if (new_value != old_value) {
    std::string old_copy(old_value);
    log_change(scope, code, old_copy, new_value);
    row->value = text::fit(new_value, kValueCapacity);
    std::string stored(text::clip(row->value));
    store(scope, text::clip(code), stored);
    if (scope == "u") user_side_effects(code, stored);
  }
  frame::CLOSESQL();
}

}  // namespace orv::config
