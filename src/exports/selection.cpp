// C entry points of the marked-record sets.
#include "boundary.hpp"
#include "selection/marked_records.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::optional_of;

extern "C" {

void ZAZNACZSQL(int32_t usage, double id, const double* id2) noexcept {
  guard(__func__, [&] { orv::selection::ZAZNACZSQL(usage, id, optional_of(id2)); });
}
void ODZNACZSQL(int32_t usage, double id) noexcept {
  guard(__func__, [&] { orv::selection::ODZNACZSQL(usage, id); });
}
void ODZNACZALLSQL(int32_t usage) noexcept {
  guard(__func__, [&] { orv::selection::ODZNACZALLSQL(usage); });
}
int32_t ILEZAZNACZONYCH(int32_t usage) noexcept {
  return guard(__func__, int32_t{0}, [&] { return orv::selection::ILEZAZNACZONYCH(usage); });
}
uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::selection::ZACHOWAJ_TORIX_ZAZNACZONE(first, second); });
}
uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::selection::PRZYWROC_TORIX_ZAZNACZONE(first, second); });
}

}  // extern "C"

ORV_EXPORT(ZAZNACZSQL, "mark a record in a marked set", "usage", "id", "id2?");
ORV_EXPORT(ODZNACZSQL, "unmark a record", "usage", "id");
ORV_EXPORT(ODZNACZALLSQL, "empty a marked set", "usage");
ORV_EXPORT(ILEZAZNACZONYCH, "size of a marked set", "usage");
ORV_EXPORT(ZACHOWAJ_TORIX_ZAZNACZONE, "save the marks on the server: return code", "first",
           "second");
ORV_EXPORT(PRZYWROC_TORIX_ZAZNACZONE, "restore the saved marks: return code", "first", "second");
