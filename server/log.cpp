// Server objects around the application log and configuration values: AP_ZapiszDoLogu,
// AP_ZapiszDoLoguParam, RM_ZapiszParamKonf and JL_AddWatchProcedure.
#include "platform/date/date.hpp"
#include "server/server_object.hpp"

namespace orv::server {
namespace {

SqlValue now_day() {
  return SqlValue::of(int64_t{date::today()});
}
SqlValue now_time() {
  return SqlValue::of(int64_t{date::clock()});
}

const Signature kZapiszDoLogu{"AP_ZapiszDoLogu",
                              {"id_firmy", "id_magazynu", "id_uzytkownika", "id_obiektu",
                               "rodzaj_obiektu", "kod_zdarzenia", "opis", "zrodlo", "opis2"},
                              8};

// Writes one event of the application log. The list export passes a ninth argument, the
// summary of what it wrote; it is kept as the event's second text.
ProcedureResult zapisz_do_logu(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZapiszDoLogu, v);
  s.exec(
      "INSERT INTO log_zdarzen (id_firmy, id_magazynu, id_uzytkownika, id_obiektu, "
      "rodzaj_obiektu, kod_zdarzenia, opis, zrodlo, opis2, data, czas) "
      "VALUES (?,?,?,?,?,?,?,?,?,?,?)",
      {SqlValue::of(a.integer_or(0, 0)), SqlValue::of(a.integer_or(1, 0)),
       SqlValue::of(a.integer_or(2, 0)), SqlValue::of(a.integer_or(3, 0)),
       SqlValue::of(a.text_or(4, "")), SqlValue::of(a.integer_or(5, 0)),
       SqlValue::of(a.text_or(6, "")), SqlValue::of(a.integer_or(7, 0)),
       SqlValue::of(a.text_or(8, "")), now_day(), now_time()});
  return {};
}

std::string scope_of(const Args& a, std::string_view object) {
  std::string scope = a.text(0);
  if (scope != "s" && scope != "u") {
    throw ServerError{std::string(object) + ": nieprawidłowy zakres parametru '" + scope +
                      "' (dozwolone 's' i 'u')."};
  }
  return scope;
}

const Signature kZapiszDoLoguParam{
    "AP_ZapiszDoLoguParam",
    {"zakres", "id_firmy", "id_uzytkownika", "kod", "stara_wartosc", "nowa_wartosc"},
    6};

// Logs the change of one configuration value: scope, company, user, code, old and new value.
ProcedureResult zapisz_do_logu_param(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZapiszDoLoguParam, v);
  std::string scope = scope_of(a, "AP_ZapiszDoLoguParam");
  s.exec(
      "INSERT INTO log_parametrow (zakres, id_firmy, id_uzytkownika, kod, stara_wartosc, "
      "nowa_wartosc, data, czas) VALUES (?,?,?,?,?,?,?,?)",
      {SqlValue::of(scope), SqlValue::of(a.integer_or(1, 0)), SqlValue::of(a.integer_or(2, 0)),
       SqlValue::of(a.text(3)), SqlValue::of(a.text_or(4, "")), SqlValue::of(a.text_or(5, "")),
       now_day(), now_time()});
  return {};
}

const Signature kZapiszParamKonf{
    "RM_ZapiszParamKonf", {"zakres", "id_wlasciciela", "kod", "wartosc", "id_firmy"}, 4};

// Stores a configuration value: ('s', company, code, value, 0) or ('u', user, code, value,
// company). The position must exist; the value replaces the owner's previous one.
ProcedureResult zapisz_param_konf(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZapiszParamKonf, v);
  std::string scope = scope_of(a, "RM_ZapiszParamKonf");
  const char* sql =
      scope == "s"
          ? "INSERT INTO interfirmapozycja (id_firmy, id_pozycji, wartosc) "
            "SELECT ?, id_pozycji, ? FROM pozycjakonfig WHERE kod = ? "
            "ON CONFLICT (id_firmy, id_pozycji) DO UPDATE SET wartosc = excluded.wartosc"
          : "INSERT INTO interuzytkownikpozycja (id_uzytkownika, id_pozycji, wartosc) "
            "SELECT ?, id_pozycji, ? FROM pozycjakonfig WHERE kod = ? "
            "ON CONFLICT (id_uzytkownika, id_pozycji) DO UPDATE SET wartosc = excluded.wartosc";
  std::string code = a.text(2);
  int64_t changed =
      s.exec(sql, {SqlValue::of(a.integer(1)), SqlValue::of(a.text_or(3, "")), SqlValue::of(code)});
  if (changed == 0) {
    throw ServerError{"RM_ZapiszParamKonf: nie ma parametru konfiguracyjnego o kodzie '" + code +
                      "'."};
  }
  return {};
}

const Signature kAddWatchProcedure{"JL_AddWatchProcedure", {"nazwa", "id_uzytkownika"}, 2};

// Registers a procedure a user watches; registering it again only refreshes the date.
ProcedureResult add_watch_procedure(Session& s, const std::vector<SqlValue>& v) {
  Args a(kAddWatchProcedure, v);
  std::string name = a.text(0);
  if (name.empty()) throw ServerError{"JL_AddWatchProcedure: nie podano nazwy procedury."};
  s.exec(
      "INSERT INTO jl_obserwowana_procedura (nazwa, id_uzytkownika, data, czas) VALUES (?,?,?,?) "
      "ON CONFLICT (nazwa, id_uzytkownika) DO UPDATE SET data = excluded.data, czas = "
      "excluded.czas",
      {SqlValue::of(name), SqlValue::of(a.integer(1)), now_day(), now_time()});
  return {};
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kZapiszDoLogu, zapisz_do_logu);
  r.add_procedure(kZapiszDoLoguParam, zapisz_do_logu_param);
  r.add_procedure(kZapiszParamKonf, zapisz_param_konf);
  r.add_procedure(kAddWatchProcedure, add_watch_procedure);
});

}  // namespace
}  // namespace orv::server
