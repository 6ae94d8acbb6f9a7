// Server objects of marked sets: JL_Zaznacz, JL_Odznacz, JL_OdznaczAll and the saving and
// restoring of a set under two numbers (RM_Zachowaj_TORIX_zaznaczone, RM_Przywroc_...).
#include "server/server_object.hpp"

#include "platform/date/date.hpp"

namespace orv::server {
namespace {

const Signature kZaznacz{"JL_Zaznacz", {"id_sesji", "uzycie", "id"}, 3};

// Marks one record: afterwards exactly one row (user, usage, id) exists. One statement, so that
// sessions marking the same set at once never add a row twice.
ProcedureResult zaznacz(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZaznacz, v);
  SqlValue user = SqlValue::of(a.integer(0)), usage = SqlValue::of(a.integer(1)),
           id = SqlValue::of(a.integer(2));
  s.exec(
      "INSERT INTO zaznaczone (id_sesji, uzycie, id, id2) SELECT ?1, ?2, ?3, 0 "
      "WHERE NOT EXISTS (SELECT 1 FROM zaznaczone WHERE id_sesji = ?1 AND uzycie = ?2 AND id = ?3)",
      {user, usage, id});
  return {};
}

const Signature kOdznacz{"JL_Odznacz", {"id_sesji", "uzycie", "id"}, 3};

// Unmarks one record, whatever its second identifier.
ProcedureResult odznacz(Session& s, const std::vector<SqlValue>& v) {
  Args a(kOdznacz, v);
  s.exec("DELETE FROM zaznaczone WHERE id_sesji = ? AND uzycie = ? AND id = ?",
         {SqlValue::of(a.integer(0)), SqlValue::of(a.integer(1)), SqlValue::of(a.integer(2))});
  return {};
}

const Signature kOdznaczAll{"JL_OdznaczAll", {"id_sesji", "uzycie"}, 2};

// Empties one marked set.
ProcedureResult odznacz_all(Session& s, const std::vector<SqlValue>& v) {
  Args a(kOdznaczAll, v);
  s.exec("DELETE FROM zaznaczone WHERE id_sesji = ? AND uzycie = ?",
         {SqlValue::of(a.integer(0)), SqlValue::of(a.integer(1))});
  return {};
}

struct SavedSet {
  SqlValue company, user, usage, slot;
};

SavedSet saved_set(const Args& a) {
  return {SqlValue::of(a.integer(0)), SqlValue::of(a.integer(1)), SqlValue::of(a.integer(2)),
          SqlValue::of(a.integer(3))};
}

const Signature kZachowaj{
    "RM_Zachowaj_TORIX_zaznaczone", {"id_firmy", "id_uzytkownika", "uzycie", "nr_zestawu"}, 4};

// Saves the user's marked set of usage A under slot B (company, user, A, B), replacing what the
// slot held. Return code 1 when at least one mark was saved, 0 for an empty set (the slot is
// then saved empty).
ProcedureResult zachowaj(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZachowaj, v);
  SavedSet k = saved_set(a);
  Savepoint sp(s);
  s.exec(
      "DELETE FROM torix_zaznaczone_x WHERE id_firmy = ? AND id_uzytkownika = ? AND uzycie = ? "
      "AND nr_zestawu = ?",
      {k.company, k.user, k.usage, k.slot});
  int64_t saved = s.exec(
      "INSERT INTO torix_zaznaczone_x (id_firmy, id_uzytkownika, uzycie, nr_zestawu, id, id2) "
      "SELECT ?1, ?2, ?3, ?4, id, id2 FROM zaznaczone WHERE id_sesji = ?2 AND uzycie = ?3",
      {k.company, k.user, k.usage, k.slot});
  s.exec(
      "INSERT OR REPLACE INTO torix_zaznaczone_x2 (id_firmy, id_uzytkownika, uzycie, nr_zestawu, "
      "ilosc, data, czas) VALUES (?,?,?,?,?,?,?)",
      {k.company, k.user, k.usage, k.slot, SqlValue::of(saved),
       SqlValue::of(int64_t{date::today()}), SqlValue::of(int64_t{date::clock()})});
  sp.release();
  ProcedureResult r;
  r.return_code = saved > 0 ? 1 : 0;
  return r;
}

const Signature kPrzywroc{
    "RM_Przywroc_TORIX_zaznaczone", {"id_firmy", "id_uzytkownika", "uzycie", "nr_zestawu"}, 4};

// Puts a saved slot back as the user's marked set of usage A. Return code 1 when the slot
// exists (the set now holds exactly its rows), 0 when nothing was saved there: the current
// marks then stay as they are.
ProcedureResult przywroc(Session& s, const std::vector<SqlValue>& v) {
  Args a(kPrzywroc, v);
  SavedSet k = saved_set(a);
  const std::vector<SqlValue> key{k.company, k.user, k.usage, k.slot};
  Savepoint sp(s);
  // Writes come first, guarded by the slot's existence, so the write lock is taken at once.
  s.exec(
      "DELETE FROM zaznaczone WHERE id_sesji = ?2 AND uzycie = ?3 AND EXISTS (SELECT 1 FROM "
      "torix_zaznaczone_x2 WHERE id_firmy = ?1 AND id_uzytkownika = ?2 AND uzycie = ?3 AND "
      "nr_zestawu = ?4)",
      key);
  s.exec(
      "INSERT INTO zaznaczone (id_sesji, uzycie, id, id2) SELECT ?2, ?3, id, id2 FROM "
      "torix_zaznaczone_x WHERE id_firmy = ?1 AND id_uzytkownika = ?2 AND uzycie = ?3 AND "
      "nr_zestawu = ?4",
      key);
  Rows slot = s.query(
      "SELECT count(*) FROM torix_zaznaczone_x2 WHERE id_firmy = ? AND id_uzytkownika = ? AND "
      "uzycie = ? AND nr_zestawu = ?",
      key);
  sp.release();
  ProcedureResult r;
  r.return_code = first_integer(slot) > 0 ? 1 : 0;
  return r;
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kZaznacz, zaznacz);
  r.add_procedure(kOdznacz, odznacz);
  r.add_procedure(kOdznaczAll, odznacz_all);
  r.add_procedure(kZachowaj, zachowaj);
  r.add_procedure(kPrzywroc, przywroc);
});

}  // namespace
}  // namespace orv::server
