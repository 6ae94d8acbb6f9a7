// Server objects of exchange rates: AP_PobierzKursWaluty, AP_AktualizujKursWaluty and the
// imports of NBP and ECB tables (KS_ImportKusowWalutNBP, KS_ImportKusowWalutECB).
#include <cmath>
#include <optional>

#include "platform/date/date.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/text.hpp"
#include "platform/xml/rate_tables.hpp"
#include "server/server_object.hpp"

namespace orv::server {
namespace {

using xml::PublishedRate;
using xml::RateTable;

constexpr int64_t kNbp = 0;
constexpr int64_t kEcb = -1;
const std::string kHome = "PLN";

std::string currency(const Args& a, std::size_t i) {
  std::string c = text::to_utf8(text::upper(text::from_utf8(a.text_or(i, ""))));
  std::string_view t = text::trim(c);
  return t.empty() ? kHome : std::string(t);
}

// Złoty for one unit of `code` from source `kind`, the newest rate on or before `day` (any day
// when day <= 0); nullopt when there is none.
std::optional<double> zloty_per_unit(Session& s, const std::string& code, int64_t kind,
                                     int64_t day) {
  if (code == kHome) return 1.0;
  Rows r = s.query(
      "SELECT kurs, przelicznik FROM kurs_waluty WHERE rodzaj = ? AND symbol_waluty = ? "
      "AND (? <= 0 OR data <= ?) ORDER BY data DESC LIMIT 1",
      {SqlValue::of(kind), SqlValue::of(code), SqlValue::of(day), SqlValue::of(day)});
  if (r.rows.empty()) return std::nullopt;
  double units = r.rows[0][1].as_real();
  return r.rows[0][0].as_real() / (units > 0 ? units : 1);
}

const Signature kPobierzKursWaluty{
    "AP_PobierzKursWaluty", {"waluta1", "waluta2", "data", "rodzaj"}, 4};

// The factor that turns an amount in currency 1 into currency 2 on a day, from one source of
// rates (0 NBP, -1 ECB, others as kept). A blank currency is the złoty. One row, or no row when a
// rate is missing (the caller then warns and uses 1).
ProcedureResult pobierz_kurs_waluty(Session& s, const std::vector<SqlValue>& v) {
  Args a(kPobierzKursWaluty, v);
  std::string c1 = currency(a, 0), c2 = currency(a, 1);
  int64_t day = a.integer_or(2, 0), kind = a.integer_or(3, kNbp);
  std::optional<double> r1 = zloty_per_unit(s, c1, kind, day);
  std::optional<double> r2 = zloty_per_unit(s, c2, kind, day);
  ProcedureResult r;
  r.rows.columns = {"przelicznik"};
  if (r1 && r2 && *r2 > 0) r.rows.rows.push_back({SqlValue::of(*r1 / *r2)});
  return r;
}

// Złoty rates with fewer than five significant digits are kept per 100 (or more) units, as the
// NBP tables keep the yen and the forint.
void scale_units(double& value, int64_t& units) {
  while (value < 0.1 && units < 10000) {
    value *= 100;
    units *= 100;
  }
}

void store_rate(Session& s, int64_t kind, const std::string& code, int64_t day, double value,
                int64_t units, const std::string& number) {
  s.exec(
      "INSERT INTO kurs_waluty (rodzaj, symbol_waluty, data, czas, kurs, przelicznik, "
      "numer_tabeli) "
      "VALUES (?,?,?,?,?,?,?) ON CONFLICT (rodzaj, symbol_waluty, data) DO UPDATE SET "
      "czas = excluded.czas, kurs = excluded.kurs, przelicznik = excluded.przelicznik, "
      "numer_tabeli = excluded.numer_tabeli",
      {SqlValue::of(kind), SqlValue::of(code), SqlValue::of(day),
       SqlValue::of(int64_t{date::clock()}), SqlValue::of(round_to(value, 0.000001)),
       SqlValue::of(units), SqlValue::of(number)});
}

const Signature kAktualizujKursWaluty{
    "AP_AktualizujKursWaluty", {"data", "czas", "waluta", "kurs", "rodzaj"}, 4};

// Stores one rate typed by a user: (date, time, currency, złoty per unit, kind).
ProcedureResult aktualizuj_kurs_waluty(Session& s, const std::vector<SqlValue>& v) {
  Args a(kAktualizujKursWaluty, v);
  std::string code = currency(a, 2);
  if (code == kHome) {
    throw ServerError{"AP_AktualizujKursWaluty: nie podano waluty (kurs złotego jest zawsze 1)."};
  }
  double rate = a.real(3);
  if (!(rate > 0))
    throw ServerError{"AP_AktualizujKursWaluty: kurs waluty musi być większy od zera."};
  s.exec(
      "INSERT INTO kurs_waluty (rodzaj, symbol_waluty, data, czas, kurs, przelicznik, "
      "numer_tabeli) "
      "VALUES (?,?,?,?,?,1,'') ON CONFLICT (rodzaj, symbol_waluty, data) DO UPDATE SET "
      "czas = excluded.czas, kurs = excluded.kurs, przelicznik = 1, numer_tabeli = ''",
      {SqlValue::of(a.integer_or(4, kNbp)), SqlValue::of(code), SqlValue::of(a.integer(0)),
       SqlValue::of(a.integer_or(1, 0)), SqlValue::of(round_to(rate, 0.000001))});
  return {};
}

std::string iso(const RateTable& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
  return buf;
}

// Writes a read table and builds the result row (table day, remark).
ProcedureResult store_table(Session& s, const RateTable& t, int64_t kind,
                            const std::vector<std::pair<std::string, double>>& zloty,
                            const std::vector<int>& units_in) {
  int64_t day = date::make(t.month, t.day, t.year);
  Savepoint sp(s);
  int64_t known =
      first_integer(s.query("SELECT count(*) FROM kurs_waluty WHERE rodzaj = ? AND data = ?",
                            {SqlValue::of(kind), SqlValue::of(day)}));
  for (std::size_t i = 0; i < zloty.size(); ++i) {
    double value = zloty[i].second;
    int64_t units = units_in[i];
    scale_units(value, units);
    if (!(round_to(value, 0.000001) > 0) || !std::isfinite(value)) continue;
    store_rate(s, kind, zloty[i].first, day, value, units, t.number);
  }
  sp.release();
  std::string remark;
  if (known > 0) {
    remark = "Tabela kursów " + t.number + " z dnia " + iso(t) +
             " była już zaimportowana - kursy zostały zaktualizowane.";
  }
  ProcedureResult r;
  r.rows = one_row({"data", "uwagi"}, {SqlValue::of(day), SqlValue::of(remark)});
  return r;
}

const Signature kImportNbp{"KS_ImportKusowWalutNBP", {"tabela"}, 1};

// Imports an NBP table (the text the utility library fetched): every mid rate is stored as złoty
// for its units under source 0 and the table's day. One row: the table's day number and a
// remark (non-empty when that day's table had been imported before).
ProcedureResult import_nbp(Session& s, const std::vector<SqlValue>& v) {
  Args a(kImportNbp, v);
  RateTable t;
  std::string error;
  if (!xml::read_nbp_table(a.text(0), t, error))
    throw ServerError{"KS_ImportKusowWalutNBP: " + error};
  std::vector<std::pair<std::string, double>> zloty;
  std::vector<int> units;
  for (const PublishedRate& r : t.rates) {
    zloty.emplace_back(r.code, r.value);
    units.push_back(r.units);
  }
  return store_table(s, t, kNbp, zloty, units);
}

const Signature kImportEcb{"KS_ImportKusowWalutECB", {"tabela"}, 1};

// Imports the ECB reference rates of one day under source -1. The bank quotes currencies per
// euro; they are kept in złoty through that day's złoty rate of the euro, so the table must
// quote PLN.
ProcedureResult import_ecb(Session& s, const std::vector<SqlValue>& v) {
  Args a(kImportEcb, v);
  RateTable t;
  std::string error;
  if (!xml::read_ecb_table(a.text(0), t, error))
    throw ServerError{"KS_ImportKusowWalutECB: " + error};
  double pln = 0;
  for (const PublishedRate& r : t.rates) {
    if (r.code == kHome) pln = r.value;
  }
  if (pln <= 0) {
    throw ServerError{
        "KS_ImportKusowWalutECB: tabela EBC nie zawiera kursu złotego (PLN) - "
        "kursów nie można przeliczyć na złote."};
  }
  std::vector<std::pair<std::string, double>> zloty{{"EUR", pln}};
  std::vector<int> units{1};
  for (const PublishedRate& r : t.rates) {
    if (r.code == kHome || r.code == "EUR") continue;
    zloty.emplace_back(r.code, pln / r.value);
    units.push_back(1);
  }
  return store_table(s, t, kEcb, zloty, units);
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kPobierzKursWaluty, pobierz_kurs_waluty);
  r.add_procedure(kAktualizujKursWaluty, aktualizuj_kurs_waluty);
  r.add_procedure(kImportNbp, import_nbp);
  r.add_procedure(kImportEcb, import_ecb);
});

}  // namespace
}  // namespace orv::server
