// Server objects about articles: photo marks and sharing (AP_AktZnacznikFoto, AP_UwspolnijFoto),
// category paths (AP_Func_PodajNazweDrzewiastaArt), stock over warehouses
// (AP_Func_StanArtWszystkieMag) and the group change of stock levels
// (RM_ListaMagazynowZaznArtykulow, RM_StanyMinMaxRezGrupowaZmiana).
#include <set>

#include "platform/decimal/decimal.hpp"

#include "server/server_object.hpp"

namespace orv::server {
namespace {

// The catalogue indexes of a user's marked articles, as a sub-select taking (user, usage).
constexpr const char* kMarkedIndexes =
    "SELECT a.indeks_katalogowy FROM zaznaczone z JOIN artykul a ON a.id_artykulu = z.id "
    "WHERE z.id_sesji = ? AND z.uzycie = ?";

const Signature kAktZnacznikFoto{"AP_AktZnacznikFoto", {"id", "uzycie", "indeks_katalogowy"}, 3};

// Keeps artykul.posiada_zdjecie current: (article id, 0, index) for one article and every row
// with its index, or (user, usage, 0) for the user's marked articles. An article has a photo
// when a photo row exists for its index, wherever the picture itself is kept.
ProcedureResult akt_znacznik_foto(Session& s, const std::vector<SqlValue>& v) {
  Args a(kAktZnacznikFoto, v);
  const char* set =
      "UPDATE artykul SET posiada_zdjecie = EXISTS (SELECT 1 FROM artykul_blob b WHERE "
      "b.indeks_katalogowy = artykul.indeks_katalogowy) ";
  std::string index = a.text_or(2, "");
  if (!index.empty() && index != "0") {
    s.exec(std::string(set) + "WHERE indeks_katalogowy = ? OR id_artykulu = ?",
           {SqlValue::of(index), SqlValue::of(a.integer(0))});
  } else {
    s.exec(std::string(set) + "WHERE indeks_katalogowy IN (" + kMarkedIndexes + ")",
           {SqlValue::of(a.integer(0)), SqlValue::of(a.integer(1))});
  }
  return {};
}

const Signature kUwspolnijFoto{"AP_UwspolnijFoto", {"id_uzytkownika", "uzycie"}, 2};

// Shares photos among the marked articles and the articles they are one with (same
// guid_artykul, other index, e.g. in another warehouse): each index gets a copy of every photo
// of the others that it lacks by name. An index left without a default photo gets its first one
// as default. The one result row is the number of photos copied.
ProcedureResult uwspolnij_foto(Session& s, const std::vector<SqlValue>& v) {
  Args a(kUwspolnijFoto, v);
  SqlValue user = SqlValue::of(a.integer(0)), usage = SqlValue::of(a.integer(1));
  const std::string group =
      "SELECT a.guid_artykul FROM zaznaczone z JOIN artykul a ON a.id_artykulu = z.id "
      "WHERE z.id_sesji = ?1 AND z.uzycie = ?2 AND a.guid_artykul <> ''";
  Savepoint sp(s);
  int64_t copied = s.exec(
      "INSERT OR IGNORE INTO artykul_blob (indeks_katalogowy, nazwa, domyslne, zdjecie) "
      "SELECT t.indeks_katalogowy, b.nazwa, 0, b.zdjecie FROM "
      "(SELECT DISTINCT guid_artykul, indeks_katalogowy FROM artykul WHERE guid_artykul IN (" +
          group +
          ")) t JOIN (SELECT DISTINCT guid_artykul, indeks_katalogowy FROM artykul) o "
          "ON o.guid_artykul = t.guid_artykul AND o.indeks_katalogowy <> t.indeks_katalogowy "
          "JOIN artykul_blob b ON b.indeks_katalogowy = o.indeks_katalogowy ORDER BY b.id_bloba",
      {user, usage});
  s.exec(
      "UPDATE artykul_blob SET domyslne = 1 WHERE id_bloba IN (SELECT min(id_bloba) FROM "
      "artykul_blob WHERE indeks_katalogowy IN (SELECT indeks_katalogowy FROM artykul WHERE "
      "guid_artykul IN (" +
          group + ")) GROUP BY indeks_katalogowy HAVING max(domyslne) = 0)",
      {user, usage});
  s.exec(
      "UPDATE artykul SET posiada_zdjecie = EXISTS (SELECT 1 FROM artykul_blob b WHERE "
      "b.indeks_katalogowy = artykul.indeks_katalogowy) WHERE guid_artykul IN (" +
          group + ")",
      {user, usage});
  sp.release();
  ProcedureResult r;
  r.rows = one_row({"ilosc"}, {SqlValue::of(copied)});
  return r;
}

// The article's category path (article, maximum length): the names of its category tree from
// the root down, joined by "\" ("Narzędzia\Elektronarzędzia\Wiertarki"), or its plain category
// when it has no tree node; cut to the maximum length (100 when 0 or less). NULL for an unknown
// article.
SqlValue nazwa_drzewiasta(Session& s, const std::vector<SqlValue>& v) {
  Args a("AP_Func_PodajNazweDrzewiastaArt", v, {"id_artykulu", "dlugosc"}, 1);
  if (!a.given(0)) return SqlValue::null();
  int64_t max = a.integer_or(1, 100);
  if (max <= 0) max = 100;
  Rows art = s.query(
      "SELECT a.id_kategorii_tree, coalesce(k.nazwa, '') FROM artykul a LEFT JOIN "
      "kategoria_artykulu k ON k.id_kategorii = a.id_kategorii WHERE a.id_artykulu = ?",
      {SqlValue::of(a.integer(0))});
  if (art.rows.empty()) return SqlValue::null();
  std::string path;
  std::set<int64_t> seen;  // a damaged tree with a cycle must not loop
  for (int64_t node = art.rows[0][0].as_integer(); node > 0 && seen.insert(node).second;) {
    Rows r =
        s.query("SELECT id_rodzica, nazwa FROM kategoria_artykulu_tree WHERE id_kategorii_tree = ?",
                {SqlValue::of(node)});
    if (r.rows.empty()) break;
    std::string name = r.rows[0][1].as_text();
    path = path.empty() ? name : name.append("\\").append(path);
    node = r.rows[0][0].as_integer();
  }
  if (path.empty()) path = art.rows[0][1].as_text();
  return SqlValue::of(cut_utf8(path, static_cast<std::size_t>(max)));
}

// The stock of an article in every warehouse (the rows sharing its guid_artykul): a computed
// additional field of articles.
SqlValue stan_wszystkie_magazyny(Session& s, const std::vector<SqlValue>& v) {
  Args a("AP_Func_StanArtWszystkieMag", v, {"id_artykulu"}, 1);
  if (!a.given(0)) return SqlValue::null();
  Rows r = s.query(
      "SELECT sum(b.stan) FROM artykul a JOIN artykul b ON b.id_artykulu = a.id_artykulu OR "
      "(a.guid_artykul <> '' AND b.guid_artykul = a.guid_artykul) WHERE a.id_artykulu = ?",
      {SqlValue::of(a.integer(0))});
  if (r.rows.empty() || r.rows[0][0].is_null()) return SqlValue::null();
  return SqlValue::of(round_to(first_real(r), 0.0001));
}

const Signature kListaMagazynow{"RM_ListaMagazynowZaznArtykulow", {"id_uzytkownika", "uzycie"}, 2};

// The warehouses holding the user's marked articles: one row (id, name) each, by id.
ProcedureResult lista_magazynow(Session& s, const std::vector<SqlValue>& v) {
  Args a(kListaMagazynow, v);
  ProcedureResult r;
  r.rows = s.query(
      "SELECT DISTINCT m.id_magazynu, m.nazwa FROM zaznaczone z JOIN artykul a ON a.id_artykulu = "
      "z.id JOIN magazyn m ON m.id_magazynu = a.id_magazynu WHERE z.id_sesji = ? AND z.uzycie = ? "
      "ORDER BY m.id_magazynu",
      {SqlValue::of(a.integer(0)), SqlValue::of(a.integer(1))});
  return r;
}

const Signature kStanyMinMax{"RM_StanyMinMaxRezGrupowaZmiana",
                             {"id_uzytkownika", "uzycie", "stan_min", "tryb_min", "stan_max",
                              "tryb_max", "prog_rez", "tryb_rez"},
                             8};

// Sets minimum, maximum and reservation-threshold levels of the user's marked articles (user,
// usage, then a (value, mode) pair for each level): mode 0 leaves the level, 1 sets it to value
// percent of the article's current stock (4 places), any other mode to the value itself. The
// one result row is the number of articles changed.
ProcedureResult stany_min_max(Session& s, const std::vector<SqlValue>& v) {
  Args a(kStanyMinMax, v);
  static const char* const columns[] = {"stan_minimalny", "stan_maksymalny", "prog_rezerwacji"};
  std::string set;
  std::vector<SqlValue> params;
  for (int k = 0; k < 3; ++k) {
    int64_t mode = a.integer_or(3 + 2 * k, 0);
    if (mode == 0) continue;
    double value = a.real_or(2 + 2 * k, 0);
    if (value < 0) {
      throw ServerError{"RM_StanyMinMaxRezGrupowaZmiana: poziom stanu nie może być ujemny."};
    }
    set += std::string(set.empty() ? "" : ", ") + columns[k] +
           (mode == 1 ? " = round(stan * ? / 100.0, 4)" : " = ?");
    params.push_back(SqlValue::of(value));
  }
  int64_t changed = 0;
  if (!set.empty()) {
    params.push_back(SqlValue::of(a.integer(0)));
    params.push_back(SqlValue::of(a.integer(1)));
    changed = s.exec("UPDATE artykul SET " + set +
                         " WHERE id_artykulu IN (SELECT id FROM zaznaczone WHERE id_sesji = ? AND "
                         "uzycie = ?)",
                     params);
  }
  ProcedureResult r;
  r.rows = one_row({"ilosc"}, {SqlValue::of(changed)});
  return r;
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kAktZnacznikFoto, akt_znacznik_foto);
  r.add_procedure(kUwspolnijFoto, uwspolnij_foto);
  r.add_procedure(kListaMagazynow, lista_magazynow);
  r.add_procedure(kStanyMinMax, stany_min_max);
  r.add_scalar("AP_Func_PodajNazweDrzewiastaArt", 2, nazwa_drzewiasta);
  r.add_scalar("AP_Func_StanArtWszystkieMag", 1, stan_wszystkie_magazyny);
});

}  // namespace
}  // namespace orv::server
