// Server objects about documents: the posting mark of marked documents (RM_UstawDoKsiegowania),
// standard description texts (AP_GenerujOpisyDokumentow) and employee addresses for payment
// files (RM_Func_AdresPracownika).
#include <cctype>

#include "platform/text/text.hpp"
#include "server/server_object.hpp"

namespace orv::server {
namespace {

bool identifier(std::string_view s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

bool has_column(Session& s, const std::string& table, std::string_view column) {
  Rows r = s.query("SELECT count(*) FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE",
                   {SqlValue::of(table), SqlValue::of(std::string(column))});
  return first_integer(r) > 0;
}

const Signature kUstawDoKsiegowania{
    "RM_UstawDoKsiegowania",
    {"tabela", "nowa_wartosc", "stara_wartosc", "kolumna_id", "rezerwa", "podzapytanie"},
    6};

// Sets the posting mark of the documents a sub-select picks (table, new value N, expected old
// value O, id column, reserved 0, " from zaznaczone where ..."): "update T set do_ksiegowania=N
// where do_ksiegowania=O and <id column> in (select id <sub-select>)", built here and run through
// the dialect layer. Withdrawing the mark (N = 0) leaves documents already posted alone. The one
// result row is the number of documents changed. The table must be a document table with a
// posting mark and the id column one of its columns: the names go into the statement as they
// are, so nothing else is accepted.
ProcedureResult ustaw_do_ksiegowania(Session& s, const std::vector<SqlValue>& v) {
  Args a(kUstawDoKsiegowania, v);
  std::string table = a.text(0), column = a.text(3), sub = a.text(5);
  if (!identifier(table) || !has_column(s, table, "do_ksiegowania")) {
    throw ServerError{"RM_UstawDoKsiegowania: tabela '" + table +
                      "' nie jest tabelą dokumentów z oznaczeniem do księgowania."};
  }
  if (!identifier(column) || !has_column(s, table, column)) {
    throw ServerError{"RM_UstawDoKsiegowania: tabela '" + table + "' nie ma kolumny '" + column +
                      "'."};
  }
  std::string_view from = text::trim_left(sub);
  if (!text::equal_ci(from.substr(0, 5), "from ")) {
    throw ServerError{"RM_UstawDoKsiegowania: podzapytanie musi zaczynać się od FROM."};
  }
  int64_t n = a.integer(1), o = a.integer(2);
  std::string sql = "update " + table + " set do_ksiegowania=" + std::to_string(n) +
                    " where do_ksiegowania=" + std::to_string(o) +
                    (n == 0 ? " and zaksiegowany=0" : "") + " and " + column + " in (select id " +
                    std::string(from) + ")";
  s.query_tsql(sql);
  int64_t changed = first_integer(s.query("SELECT changes()"));
  ProcedureResult r;
  r.rows = one_row({"ilosc"}, {SqlValue::of(changed)});
  return r;
}

// The standard texts for coal deliveries that AP_GenerujOpisyDokumentow offers.
const char* const kCoalTexts[] = {
    ("Wyroby węglowe zwolnione od akcyzy - przeznaczone do celów opałowych przez gospodarstwo "
     "domowe (art. 31a ust. 1 pkt 8 ustawy o podatku akcyzowym)"),
    "Akcyza od wyrobów węglowych zapłacona przez sprzedawcę",
    "Dostawa wyrobów węglowych - oświadczenie nabywcy o przeznaczeniu wyrobów w załączeniu",
    "Sprzedaż węgla kamiennego (CN 2701) zgodnie z zamówieniem",
};

const Signature kGenerujOpisy{"AP_GenerujOpisyDokumentow", {"id_firmy", "id_typu", "dok_poz"}, 3};

// Adds the standard texts for coal deliveries to the description list of a company, a financial
// document type and a level (1 document, 2 position). Texts already on the list are not added
// again; the list's default is not changed.
ProcedureResult generuj_opisy(Session& s, const std::vector<SqlValue>& v) {
  Args a(kGenerujOpisy, v);
  SqlValue company = SqlValue::of(a.integer(0)), type = SqlValue::of(a.integer(1)),
           level = SqlValue::of(a.integer(2));
  Rows known =
      s.query("SELECT count(*) FROM typ_dokumentu_finansowego WHERE id_firmy = ? AND id_typu = ?",
              {company, type});
  if (first_integer(known) == 0) {
    throw ServerError{"AP_GenerujOpisyDokumentow: firma " + company.as_text() +
                      " nie ma typu dokumentu finansowego " + type.as_text() + "."};
  }
  Savepoint sp(s);
  for (const char* t : kCoalTexts) {
    s.exec(
        "INSERT INTO opis_dok_poz_fin (id_firmy, id_typu, dok_poz, opis, domyslny) "
        "SELECT ?1, ?2, ?3, ?4, 0 WHERE NOT EXISTS (SELECT 1 FROM opis_dok_poz_fin WHERE "
        "id_firmy = ?1 AND id_typu = ?2 AND dok_poz = ?3 AND opis = ?4)",
        {company, type, level, SqlValue::of(std::string(t))});
  }
  sp.release();
  return {};
}

// The address of an employee valid on a day (employee, day, kind 'M' residence / 'K'
// correspondence): the row with the latest data_od not after the day; no row when there is none.
Rows adres_pracownika(Session& s, const std::vector<SqlValue>& v) {
  Args a("RM_Func_AdresPracownika", v, {"id_pracownika", "data", "typ"}, 3);
  if (!a.given(0) || !a.given(1) || !a.given(2)) return {};
  return s.query(
      "SELECT ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc, poczta, data_od, typ "
      "FROM adres_pracownika WHERE id_pracownika = ? AND typ = ? AND data_od <= ? "
      "ORDER BY data_od DESC, id_adresu DESC LIMIT 1",
      {SqlValue::of(a.integer(0)), SqlValue::of(a.text(2)), SqlValue::of(a.integer(1))});
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kUstawDoKsiegowania, ustaw_do_ksiegowania);
  r.add_procedure(kGenerujOpisy, generuj_opisy);
  r.add_table(
      "RM_Func_AdresPracownika",
      {"ulica", "nr_domu", "nr_lokalu", "kod_pocztowy", "miejscowosc", "poczta", "data_od", "typ"},
      3, adres_pracownika);
});

}  // namespace
}  // namespace orv::server
