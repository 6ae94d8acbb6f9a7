// Server objects of object lists and saved filters: RM_ZapiszZaznaczoneObiekty and
// RM_DodajFiltrUzytkownika.
#include "server/server_object.hpp"

namespace orv::server {
namespace {

constexpr int64_t kAdministrator = 4100001;
constexpr int64_t kArticles = 102;

const Signature kZapiszZaznaczoneObiekty{
    "RM_ZapiszZaznaczoneObiekty", {"id_listy", "id_uzytkownika", "uzycie", "id_magazynu"}, 3};

// Replaces the elements of object list L with the user's marked set of usage U (ids above 0);
// for an article list with warehouse W > 0 only the articles of that warehouse. The list's
// LICZNOSC becomes its element count, which is also the result row.
ProcedureResult zapisz_zaznaczone_obiekty(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZapiszZaznaczoneObiekty, v);
  SqlValue list = SqlValue::of(a.integer(0)), user = SqlValue::of(a.integer(1)),
           usage = SqlValue::of(a.integer(2));
  int64_t warehouse = a.integer_or(3, 0);
  Savepoint sp(s);
  s.exec("DELETE FROM orv_elementy_listy_obiektow WHERE id_listy = ?", {list});
  Rows kind = s.query("SELECT uzycie FROM orv_lista_obiektow WHERE id_listy = ?", {list});
  if (kind.rows.empty()) {
    throw ServerError{"RM_ZapiszZaznaczoneObiekty: nie ma listy obiektów o identyfikatorze " +
                      list.as_text() + "."};
  }
  if (warehouse > 0 && first_integer(kind) == kArticles) {
    s.exec(
        "INSERT OR IGNORE INTO orv_elementy_listy_obiektow (id_listy, id_elementu) "
        "SELECT ?, z.id FROM zaznaczone z JOIN artykul a ON a.id_artykulu = z.id "
        "WHERE a.id_magazynu = ? AND z.id > 0 AND z.id_sesji = ? AND z.uzycie = ?",
        {list, SqlValue::of(warehouse), user, usage});
  } else {
    s.exec(
        "INSERT OR IGNORE INTO orv_elementy_listy_obiektow (id_listy, id_elementu) "
        "SELECT ?, id FROM zaznaczone WHERE id > 0 AND id_sesji = ? AND uzycie = ?",
        {list, user, usage});
  }
  s.exec(
      "UPDATE orv_lista_obiektow SET licznosc = (SELECT count(*) FROM orv_elementy_listy_obiektow "
      "e WHERE e.id_listy = orv_lista_obiektow.id_listy) WHERE id_listy = ?",
      {list});
  Rows count = s.query("SELECT licznosc FROM orv_lista_obiektow WHERE id_listy = ?", {list});
  sp.release();
  ProcedureResult r;
  r.rows = one_row({"licznosc"}, {SqlValue::of(first_integer(count))});
  return r;
}

const Signature kDodajFiltrUzytkownika{
    "RM_DodajFiltrUzytkownika", {"nazwa", "kontekst", "typ", "podsystem", "id_uzytkownika"}, 5};

// Creates a filter definition (name, context, type, subsystem, creator) and returns its id as
// the one result row. The creator and the administrator are assigned to it at once, so that
// the lists of saved filters show it. A definition with the same non-empty name, context, type
// and subsystem is not made twice: its id comes back instead.
ProcedureResult dodaj_filtr_uzytkownika(Session& s, const std::vector<SqlValue>& v) {
  Args a(kDodajFiltrUzytkownika, v);
  std::vector<SqlValue> key{SqlValue::of(a.text_or(0, "")), SqlValue::of(a.text_or(1, "")),
                            SqlValue::of(a.text_or(2, "")), SqlValue::of(a.text_or(3, ""))};
  SqlValue creator = SqlValue::of(a.integer_or(4, 0));
  Savepoint sp(s);
  int64_t id = 0;
  if (key[0].text.empty()) {
    s.exec(
        "INSERT INTO orv_definicja_filtra (nazwa, nazwa_kontekstu, typ, podsystem, id_uzytkownika) "
        "VALUES (?,?,?,?,?)",
        {key[0], key[1], key[2], key[3], creator});
    id = s.last_insert_id();
  } else {
    std::vector<SqlValue> p = key;
    p.push_back(creator);
    s.exec(
        "INSERT INTO orv_definicja_filtra (nazwa, nazwa_kontekstu, typ, podsystem, id_uzytkownika) "
        "SELECT ?1, ?2, ?3, ?4, ?5 WHERE NOT EXISTS (SELECT 1 FROM orv_definicja_filtra WHERE "
        "nazwa = ?1 AND nazwa_kontekstu = ?2 AND typ = ?3 AND podsystem = ?4)",
        p);
    id = first_integer(s.query(
        "SELECT min(id_filtra) FROM orv_definicja_filtra WHERE nazwa = ? AND nazwa_kontekstu = ? "
        "AND typ = ? AND podsystem = ?",
        key));
  }
  s.exec(
      "INSERT OR IGNORE INTO orv_uzytkownik_filtrow (id_uzytkownika, id_filtra) "
      "SELECT DISTINCT u, ?1 FROM (SELECT ?2 AS u UNION SELECT ?3) WHERE u > 0",
      {SqlValue::of(id), creator, SqlValue::of(kAdministrator)});
  sp.release();
  ProcedureResult r;
  r.rows = one_row({"id_filtra"}, {SqlValue::of(id)});
  return r;
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kZapiszZaznaczoneObiekty, zapisz_zaznaczone_obiekty);
  r.add_procedure(kDodajFiltrUzytkownika, dodaj_filtr_uzytkownika);
});

}  // namespace
}  // namespace orv::server
