// Server objects of report variants: JL_ZapiszParametrRaportu.
#include "server/server_object.hpp"

namespace orv::server {
namespace {

const Signature kZapiszParametrRaportu{
    "JL_ZapiszParametrRaportu", {"id_parametru", "id_wariantu", "id_uzytkownika", "wartosc"}, 3};

// Stores one user's value of a report parameter in a variant (parameter, variant, user, value),
// replacing the previous one. The parameter must exist.
ProcedureResult zapisz_parametr_raportu(Session& s, const std::vector<SqlValue>& v) {
  Args a(kZapiszParametrRaportu, v);
  int64_t changed = s.exec(
      "INSERT INTO wartosc_parametru (id_parametru, id_wariantu, id_uzytkownika, wartosc) "
      "SELECT id_parametru, ?, ?, ? FROM parametr_raportu WHERE id_parametru = ? "
      "ON CONFLICT (id_parametru, id_wariantu, id_uzytkownika) DO UPDATE SET wartosc = "
      "excluded.wartosc",
      {SqlValue::of(a.integer(1)), SqlValue::of(a.integer(2)), SqlValue::of(a.text_or(3, "")),
       SqlValue::of(a.integer(0))});
  if (changed == 0) {
    throw ServerError{"JL_ZapiszParametrRaportu: nie ma parametru raportu o identyfikatorze " +
                      std::to_string(a.integer(0)) + "."};
  }
  return {};
}

const Registrar registrar([](sql::ServerObjects& r) {
  r.add_procedure(kZapiszParametrRaportu, zapisz_parametr_raportu);
});

}  // namespace
}  // namespace orv::server
