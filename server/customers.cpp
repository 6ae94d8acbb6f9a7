// Server objects about customers: the balance behind the credit-limit window
// (AP_ObliczSaldoKontrahenta, AP_Func_PodajLimitKontrDoWykorz, AP_Func_NaleznosciKontrahenta) and
// the EU form of a tax number (AP_Func_PodajNip).
#include <cctype>

#include "server/server_object.hpp"

namespace orv::server {
namespace {

// The server's day zero (1 Jan 1900) as a day number of the runtime.
constexpr int64_t kServerDayZero = 36163;

// Open amounts of a payer's settlements of one kind ('N' receivables, 'Z' payables) with a
// document dated on or before `day` (any day when day <= 0); `overdue` keeps those whose due date
// is before `day`. The settlement of document `skip` (the one being issued) is left out.
double open_amount(Session& s, int64_t payer, const char* kind, int64_t day, bool overdue,
                   int64_t skip) {
  Rows r = s.query(
      "SELECT coalesce(sum(kwota - kwota_rozliczona), 0) FROM rozrachunek WHERE id_kontrahenta = "
      "?1 "
      "AND typ = ?2 AND kwota <> kwota_rozliczona AND (?3 <= 0 OR data_dokumentu <= ?3) "
      "AND (?4 = 0 OR termin_platnosci < ?3) AND (?5 <= 0 OR id_dokumentu_handlowego <> ?5)",
      {SqlValue::of(payer), SqlValue::of(std::string(kind)), SqlValue::of(day),
       SqlValue::of(int64_t{overdue}), SqlValue::of(skip)});
  return money(first_real(r));
}

// Issues (WZ) to the payer that no invoice covers yet.
double issues_without_invoice(Session& s, int64_t payer, int64_t day) {
  Rows r = s.query(
      "SELECT coalesce(sum(d.wartosc_brutto), 0) FROM dokument_magazynowy d "
      "JOIN typ_dokumentu_magazynowego t ON t.id_firmy = d.id_firmy AND t.id_typu = d.id_typu "
      "WHERE t.sygnatura = 'WZ' AND d.id_kontrahenta = ?1 AND d.id_dokumentu_handlowego = 0 "
      "AND (?2 <= 0 OR d.data <= ?2)",
      {SqlValue::of(payer), SqlValue::of(day)});
  return money(first_real(r));
}

const Signature kObliczSaldo{
    "AP_ObliczSaldoKontrahenta", {"id_platnika", "id_dokumentu", "data", "blokowanie"}, 3};

// One row for the credit-limit window (payer, document being issued, day, blocking mode):
// overdue receivables, overdue payables, the date of the last transaction as the server's day
// number (days since 1 Jan 1900; NULL when the payer has none), all receivables, all payables
// and the issues not invoiced yet. The blocking mode does not change the figures.
ProcedureResult oblicz_saldo(Session& s, const std::vector<SqlValue>& v) {
  Args a(kObliczSaldo, v);
  int64_t payer = a.integer(0), doc = a.integer_or(1, 0), day = a.integer(2);
  Rows last = s.query(
      "SELECT max(data_dokumentu) FROM rozrachunek WHERE id_kontrahenta = ? AND (? <= 0 OR "
      "data_dokumentu <= ?)",
      {SqlValue::of(payer), SqlValue::of(day), SqlValue::of(day)});
  SqlValue last_day = first_integer(last, 0) > 0
                          ? SqlValue::of(first_integer(last) - kServerDayZero)
                          : SqlValue::null();
  ProcedureResult r;
  r.rows = one_row({"naleznosci_przeterminowane", "zobowiazania_przeterminowane",
                    "data_ostatniej_transakcji", "naleznosci", "zobowiazania", "kwota_wydan"},
                   {SqlValue::of(open_amount(s, payer, "N", day, true, doc)),
                    SqlValue::of(open_amount(s, payer, "Z", day, true, doc)), last_day,
                    SqlValue::of(open_amount(s, payer, "N", day, false, doc)),
                    SqlValue::of(open_amount(s, payer, "Z", day, false, doc)),
                    SqlValue::of(issues_without_invoice(s, payer, day))});
  return r;
}

// The part of a payer's credit limit still available on a day: the limit less all open
// receivables, and less the issues not invoiced yet when the flag is 1. Negative when the limit
// is exceeded; 0 for an unknown payer. Arguments 2-4 are reserved and always 0.
SqlValue limit_do_wykorzystania(Session& s, const std::vector<SqlValue>& v) {
  Args a("AP_Func_PodajLimitKontrDoWykorz", v,
         {"id_platnika", "id_dokumentu", "id_waluty", "rezerwa", "data", "wliczaj_wz"}, 6);
  if (!a.given(0)) return SqlValue::null();
  int64_t payer = a.integer(0), day = a.integer_or(4, 0);
  double limit = first_real(s.query(
      "SELECT limit_kupiecki FROM kontrahent WHERE id_kontrahenta = ?", {SqlValue::of(payer)}));
  double available = limit - open_amount(s, payer, "N", day, false, 0);
  if (a.integer_or(5, 0) == 1) available -= issues_without_invoice(s, payer, day);
  return SqlValue::of(money(available));
}

// Open receivables of a customer today: a computed additional field of customers.
SqlValue naleznosci_kontrahenta(Session& s, const std::vector<SqlValue>& v) {
  Args a("AP_Func_NaleznosciKontrahenta", v, {"id_kontrahenta"}, 1);
  if (!a.given(0)) return SqlValue::null();
  return SqlValue::of(open_amount(s, a.integer(0), "N", 0, false, 0));
}

bool letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string upper_ascii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The EU VAT form of a tax number (number, country, flag): the country prefix followed by the
// number without separators, at most 20 characters. A number that starts with two letters
// keeps them as its prefix (letters inside foreign numbers stay too); otherwise the prefix is the
// second argument when it is a two-letter country code, else PL. With a flag other than 1 the
// number comes back as given. NULL in, NULL out; a number without digits gives the empty text.
SqlValue podaj_nip(Session&, const std::vector<SqlValue>& v) {
  Args a("AP_Func_PodajNip", v, {"nip", "kraj", "flaga"}, 1);
  if (!a.given(0)) return SqlValue::null();
  std::string number = a.text(0);
  if (a.integer_or(2, 1) != 1) return SqlValue::of(cut_utf8(number, 20));
  std::string prefix = "PL", body;
  std::string trimmed = number.substr(number.find_first_not_of(' ') == std::string::npos
                                          ? number.size()
                                          : number.find_first_not_of(' '));
  bool foreign = trimmed.size() >= 2 && letter(trimmed[0]) && letter(trimmed[1]);
  if (foreign) {
    prefix = upper_ascii(trimmed.substr(0, 2));
    for (char c : trimmed.substr(2)) {
      if (std::isalnum(static_cast<unsigned char>(c))) body += static_cast<char>(std::toupper(c));
    }
  } else {
    std::string country = upper_ascii(a.text_or(1, ""));
    if (country.size() == 2 && letter(country[0]) && letter(country[1])) prefix = country;
    for (char c : trimmed) {
      if (std::isdigit(static_cast<unsigned char>(c))) body += c;
    }
  }
  if (body.find_first_of("0123456789") == std::string::npos) return SqlValue::of(std::string());
  return SqlValue::of((prefix + body).substr(0, 20));
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kObliczSaldo, oblicz_saldo);
  r.add_scalar("AP_Func_PodajLimitKontrDoWykorz", 6, limit_do_wykorzystania);
  r.add_scalar("AP_Func_NaleznosciKontrahenta", 1, naleznosci_kontrahenta);
  r.add_scalar("AP_Func_PodajNip", 3, podaj_nip);
});

}  // namespace
}  // namespace orv::server
