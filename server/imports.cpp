// Server objects of the CSV import of articles: moving buffered records into the article table
// (AP_PrzeniesRekordyZBufora) and putting them back to be processed (AP_PrzywrocRekordyWBuforze).
#include <iterator>
#include <string>
#include <vector>

#include "server/server_object.hpp"

namespace orv::server {
namespace {

// Columns of artykul_imp that go into artykul under the same name.
const char* const kTextColumns[] = {"nazwa",
                                    "nazwa2",
                                    "nazwa_oryg",
                                    "rodzaj",
                                    "vat_zakupu",
                                    "vat_sprzedazy",
                                    "indeks_katalogowy",
                                    "indeks_handlowy",
                                    "wyroznik",
                                    "lokalizacja",
                                    "swwku",
                                    "pkwiu",
                                    "kod_kreskowy",
                                    "nazwa_certyfikatu",
                                    "opis",
                                    "ostrzezenie",
                                    "uwagi",
                                    "kraj_pochodzenia",
                                    "producent",
                                    "kod_cn",
                                    "nazwa_intrastat",
                                    "jed_wagi",
                                    "jed_wymiaru",
                                    "sym_wal",
                                    "pole1",
                                    "pole2",
                                    "pole3",
                                    "pole4",
                                    "pole5",
                                    "pole6",
                                    "pole7",
                                    "pole8",
                                    "pole9",
                                    "pole10"};
const char* const kNumberColumns[] = {"plu",
                                      "stan_minimalny",
                                      "stan_maksymalny",
                                      "data_certyfikatu",
                                      "waga",
                                      "wymiar_w",
                                      "wymiar_s",
                                      "wymiar_g",
                                      "cena_zakupu_netto",
                                      "cena_zakupu_brutto",
                                      "c_zakupu_netto_wal",
                                      "c_zakupu_brutto_wal",
                                      "cena_n_kgo",
                                      "cena_b_kgo",
                                      "promocja_od",
                                      "promocja_do",
                                      "cena_promocji_n",
                                      "cena_promocji_b"};

// One buffered record by column name.
struct Record {
  std::vector<std::string> names;
  std::vector<SqlValue> values;
  const SqlValue& operator[](std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return values[i];
    }
    static const SqlValue none;
    return none;
  }
  std::string text(std::string_view name) const { return (*this)[name].as_text(); }
};

int64_t find_or_add(Session& s, const char* find, const char* add,
                    const std::vector<SqlValue>& key) {
  Rows r = s.query(find, key);
  if (!r.rows.empty()) return r.rows[0][0].as_integer();
  s.exec(add, key);
  return s.last_insert_id();
}

int64_t category_id(Session& s, const std::string& name) {
  return find_or_add(s, "SELECT id_kategorii FROM kategoria_artykulu WHERE nazwa = ?",
                     "INSERT INTO kategoria_artykulu (nazwa) VALUES (?)", {SqlValue::of(name)});
}

// The node of a "\"-separated category path, made where missing.
int64_t tree_id(Session& s, const std::string& path) {
  int64_t parent = 0;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string name = path.substr(start, end - start);
    if (!name.empty()) {
      parent = find_or_add(s,
                           "SELECT id_kategorii_tree FROM kategoria_artykulu_tree WHERE id_rodzica "
                           "= ? AND nazwa = ?",
                           "INSERT INTO kategoria_artykulu_tree (id_rodzica, nazwa) VALUES (?, ?)",
                           {SqlValue::of(parent), SqlValue::of(name)});
    }
    start = end + 1;
  }
  return parent;
}

// Why a record cannot become an article, or "" when it can.
std::string rejection(Session& s, const Record& rec) {
  if (rec.text("nazwa").empty()) return "Brak nazwy artykułu.";
  if (rec.text("indeks_katalogowy").empty()) return "Brak indeksu katalogowego.";
  for (const char* col : {"vat_zakupu", "vat_sprzedazy"}) {
    std::string symbol = rec.text(col);
    if (symbol.empty()) continue;
    if (first_integer(s.query("SELECT count(*) FROM stawka_vat WHERE symbol = ?",
                              {SqlValue::of(symbol)})) == 0) {
      return "Nieznana stawka VAT: " + symbol + ".";
    }
  }
  return {};
}

// The SET list and values of the columns a record fills: texts that are not empty and numbers
// that are not 0 (a column left empty in the file keeps the article's value).
void filled_columns(Session& s, const Record& rec, std::vector<std::string>& cols,
                    std::vector<SqlValue>& vals) {
  for (const char* c : kTextColumns) {
    if (!rec.text(c).empty()) {
      cols.push_back(c);
      vals.push_back(SqlValue::of(rec.text(c)));
    }
  }
  for (const char* c : kNumberColumns) {
    if (rec[c].as_real() != 0) {
      cols.push_back(c);
      vals.push_back(rec[c]);
    }
  }
  if (!rec.text("kategoria").empty()) {
    cols.push_back("id_kategorii");
    vals.push_back(SqlValue::of(category_id(s, rec.text("kategoria"))));
  }
  if (!rec.text("kategoria_wielopoziomowa").empty()) {
    cols.push_back("id_kategorii_tree");
    vals.push_back(SqlValue::of(tree_id(s, rec.text("kategoria_wielopoziomowa"))));
  }
}

int64_t insert_article(Session& s, const Record& rec, int64_t warehouse,
                       const std::vector<std::string>& cols, std::vector<SqlValue> vals) {
  std::string sql = "INSERT INTO artykul (id_magazynu";
  std::string marks = "?";
  for (const auto& c : cols) {
    sql += ", " + c;
    marks += ", ?";
  }
  vals.insert(vals.begin(), SqlValue::of(warehouse));
  s.exec(sql + ") VALUES (" + marks + ")", vals);
  int64_t id = s.last_insert_id();
  // One article in several warehouses shares one guid.
  s.exec(
      "UPDATE artykul SET guid_artykul = coalesce((SELECT guid_artykul FROM artykul WHERE "
      "indeks_katalogowy = ?1 AND id_artykulu <> ?2 AND guid_artykul <> '' ORDER BY id_artykulu "
      "LIMIT 1), 'IMP-' || ?2) WHERE id_artykulu = ?2",
      {SqlValue::of(rec.text("indeks_katalogowy")), SqlValue::of(id)});
  std::string unit = rec.text("jednostka").empty() ? "szt" : rec.text("jednostka");
  s.exec("INSERT INTO jednostka (id_artykulu, skrot, nazwa, przelicznik) VALUES (?, ?, ?, 1)",
         {SqlValue::of(id), SqlValue::of(unit), SqlValue::of(unit)});
  s.exec("UPDATE artykul SET id_jednostki = ? WHERE id_artykulu = ?",
         {SqlValue::of(s.last_insert_id()), SqlValue::of(id)});
  return id;
}

// Moves one record; returns the article's id, or 0 with the record rejected.
int64_t move_record(Session& s, const Record& rec, int64_t warehouse) {
  const SqlValue& rec_id = rec["id_rekordu"];
  std::string why = rejection(s, rec);
  if (!why.empty()) {
    s.exec("UPDATE artykul_imp SET status = 2, uwagi_imp = ? WHERE id_rekordu = ?",
           {SqlValue::of(why), rec_id});
    return 0;
  }
  std::vector<std::string> cols;
  std::vector<SqlValue> vals;
  filled_columns(s, rec, cols, vals);
  Rows existing = s.query(
      "SELECT id_artykulu FROM artykul WHERE indeks_katalogowy = ? AND id_magazynu = ? "
      "ORDER BY id_artykulu LIMIT 1",
      {SqlValue::of(rec.text("indeks_katalogowy")), SqlValue::of(warehouse)});
  int64_t id = first_integer(existing);
  if (id == 0) {
    id = insert_article(s, rec, warehouse, cols, vals);
  } else {
    std::string set;
    for (const auto& c : cols) set += (set.empty() ? "" : ", ") + c + " = ?";
    vals.push_back(SqlValue::of(id));
    s.exec("UPDATE artykul SET " + set + " WHERE id_artykulu = ?", vals);
  }
  s.exec("UPDATE artykul_imp SET status = 1, uwagi_imp = '', id_artykulu = ? WHERE id_rekordu = ?",
         {SqlValue::of(id), rec_id});
  return id;
}

void refresh_counters(Session& s, const SqlValue& file) {
  s.exec(
      "UPDATE plik_blob SET status0_imp = (SELECT count(*) FROM artykul_imp WHERE id_bloba = ?1 "
      "AND "
      "status = 0), ilosc_przeniesionych = (SELECT count(*) FROM artykul_imp WHERE id_bloba = ?1 "
      "AND "
      "status = 1) WHERE id_bloba = ?1",
      {file});
}

const Signature kPrzeniesZBufora{
    "AP_PrzeniesRekordyZBufora", {"id_bloba", "id_firmy", "id_magazynu", "id_uzytkownika"}, 4};

// Moves the waiting records of an imported file into the articles of a warehouse (file, company,
// warehouse, user). A record whose index exists in the warehouse updates that article with the
// columns it fills; any other becomes a new article (with its category, category path and unit,
// made where missing). Records without a name or index, or with an unknown VAT symbol, are
// rejected (status 2, the reason in uwagi_imp). The one result row is the number moved.
ProcedureResult przenies_z_bufora(Session& s, const std::vector<SqlValue>& v) {
  Args a(kPrzeniesZBufora, v);
  SqlValue file = SqlValue::of(a.integer(0));
  int64_t company = a.integer(1), warehouse = a.integer(2);
  Savepoint sp(s);
  if (s.exec("UPDATE plik_blob SET przeniesiony = 1 WHERE id_bloba = ?", {file}) == 0) {
    throw ServerError{"AP_PrzeniesRekordyZBufora: nie ma pliku importu " + file.as_text() + "."};
  }
  Rows owner =
      s.query("SELECT id_firmy FROM magazyn WHERE id_magazynu = ?", {SqlValue::of(warehouse)});
  if (owner.rows.empty() || first_integer(owner) != company) {
    throw ServerError{"AP_PrzeniesRekordyZBufora: magazyn " + std::to_string(warehouse) +
                      " nie należy do firmy " + std::to_string(company) + "."};
  }
  std::vector<std::string> names{"id_rekordu", "kategoria", "kategoria_wielopoziomowa",
                                 "jednostka"};
  names.insert(names.end(), std::begin(kTextColumns), std::end(kTextColumns));
  names.insert(names.end(), std::begin(kNumberColumns), std::end(kNumberColumns));
  std::string list;
  for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
  Rows waiting = s.query(
      "SELECT " + list + " FROM artykul_imp WHERE id_bloba = ? AND status = 0 ORDER BY id_rekordu",
      {file});
  int64_t moved = 0;
  for (auto& row : waiting.rows) {
    if (move_record(s, Record{names, row}, warehouse) > 0) ++moved;
  }
  refresh_counters(s, file);
  sp.release();
  ProcedureResult r;
  r.rows = one_row({"ilosc"}, {SqlValue::of(moved)});
  return r;
}

const Signature kPrzywrocWBuforze{"AP_PrzywrocRekordyWBuforze", {"id_bloba", "id_uzytkownika"}, 2};

// Marks the records of an imported file as waiting again (file, user), except the lines rejected
// when the file was read (status 3), which no move can take; the file keeps its
// "moved before" flag so that moving it again asks first.
ProcedureResult przywroc_w_buforze(Session& s, const std::vector<SqlValue>& v) {
  Args a(kPrzywrocWBuforze, v);
  SqlValue file = SqlValue::of(a.integer(0));
  Savepoint sp(s);
  s.exec(
      "UPDATE artykul_imp SET status = 0, uwagi_imp = '', id_artykulu = 0 WHERE id_bloba = ? "
      "AND status <> 3",
      {file});
  if (first_integer(s.query("SELECT count(*) FROM plik_blob WHERE id_bloba = ?", {file})) == 0) {
    throw ServerError{"AP_PrzywrocRekordyWBuforze: nie ma pliku importu " + file.as_text() + "."};
  }
  refresh_counters(s, file);
  sp.release();
  return {};
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kPrzeniesZBufora, przenies_z_bufora);
  r.add_procedure(kPrzywrocWBuforze, przywroc_w_buforze);
});

}  // namespace
}  // namespace orv::server
