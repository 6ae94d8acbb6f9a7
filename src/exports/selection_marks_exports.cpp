// C entry points of the marked-record sets.
#include <optional>

#include "selection/marked_records.hpp"
#include "table.hpp"

extern "C" {

void ZAZNACZSQL(int32_t usage, double id, const double* id2) {
  orv::selection::ZAZNACZSQL(usage, id, id2 ? std::optional(*id2) : std::nullopt);
}
void ODZNACZSQL(int32_t usage, double id) {
  orv::selection::ODZNACZSQL(usage, id);
}
void ODZNACZALLSQL(int32_t usage) {
  orv::selection::ODZNACZALLSQL(usage);
}
int32_t ILEZAZNACZONYCH(int32_t usage) {
  return orv::selection::ILEZAZNACZONYCH(usage);
}
uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second) {
  return orv::selection::ZACHOWAJ_TORIX_ZAZNACZONE(first, second);
}
uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second) {
  return orv::selection::PRZYWROC_TORIX_ZAZNACZONE(first, second);
}

}  // extern "C"

ORV_EXPORT(ZAZNACZSQL, "mark a record in a marked set", "usage", "id", "id2?");
ORV_EXPORT(ODZNACZSQL, "unmark a record", "usage", "id");
ORV_EXPORT(ODZNACZALLSQL, "empty a marked set", "usage");
ORV_EXPORT(ILEZAZNACZONYCH, "size of a marked set", "usage");
ORV_EXPORT(ZACHOWAJ_TORIX_ZAZNACZONE, "save the marks on the server: return code", "first",
           "second");
ORV_EXPORT(PRZYWROC_TORIX_ZAZNACZONE, "restore the saved marks: return code", "first", "second");
