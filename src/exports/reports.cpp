// C entry points of report variants, numbering formats and order statuses, and of the record
// buffers the host shares with them.
#include "boundary.hpp"
#include "lists/list_window.hpp"
#include "platform/dict/context.hpp"
#include "reports/classifier_dictionaries.hpp"
#include "reports/classifier_window.hpp"
#include "reports/classifiers.hpp"
#include "reports/descriptions.hpp"
#include "reports/numbering.hpp"
#include "reports/variants.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::optional_of;
using orv::exports::put_text;

namespace {

using orv::reports::ClassifierValues;

ClassifierValues values_of(const ORVRUN_TEXT10* t) {
  ClassifierValues v;
  for (std::size_t i = 0; t && i < v.size(); ++i) {
    if (t->text[i].data && t->text[i].size) v[i] = t->text[i].data;
  }
  return v;
}

void give_values(ORVRUN_TEXT10* t, const ClassifierValues& v) {
  for (std::size_t i = 0; t && i < v.size(); ++i) put_text(&t->text[i], v[i]);
}

}  // namespace

extern "C" {

uint8_t KLASYFIKATORY_INITUSE(const char* group, const char* id_column, double object_id,
                              ORVRUN_TEXT10* values, const uint8_t* mode) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    ClassifierValues v = values_of(values);
    const uint8_t any = orv::reports::KLASYFIKATORY_INITUSE(in(group), in(id_column), object_id, v,
                                                            optional_of(mode));
    give_values(values, v);
    return any;
  });
}
char* KLASYFIKATORY_UTWORZSQL(const char* group, ORVRUN_TEXT10* values,
                              ORVRUN_TEXT10* operators) noexcept {
  return guard_text(__func__, [&] {
    const ClassifierValues ops = values_of(operators);
    return orv::reports::KLASYFIKATORY_UTWORZSQL(in(group), values_of(values),
                                                 operators ? &ops : nullptr);
  });
}
bool KLASYFIKATORY_WALIDUJ(const char* group, ORVRUN_TEXT10* values) noexcept {
  return guard(__func__, false,
               [&] { return orv::reports::KLASYFIKATORY_WALIDUJ(in(group), values_of(values)); });
}
void KLASYFIKATORY_ZAPISZ(const char* group, const char* id_or_condition, double object_id,
                          ORVRUN_TEXT10* values, ORVRUN_TEXT10* change_flags) noexcept {
  guard(__func__, [&] {
    const ClassifierValues flags = values_of(change_flags);
    orv::reports::KLASYFIKATORY_ZAPISZ(in(group), in(id_or_condition), object_id, values_of(values),
                                       change_flags ? &flags : nullptr);
  });
}
bool KLASYFIKATORY_RAPORT(const char* group, ORVRUN_TEXT10* values, ORVRUN_BAND* band,
                          const char* mask) noexcept {
  return guard(__func__, true, [&] {
    orv::reports::Band scratch;
    return orv::reports::KLASYFIKATORY_RAPORT(in(group), values_of(values),
                                              band ? band->band : scratch, in(mask));
  });
}
int32_t KLASYFIKATORY_OKNO(const char* group, const char* /*id_column*/, double /*object_id*/,
                           ORVRUN_TEXT10* values, const uint8_t* mode,
                           ORVRUN_TEXT10* flags_or_operators) noexcept {
  return guard(__func__, orv::lists::kRequestCancelled, [&] {
    ClassifierValues v = values_of(values);
    ClassifierValues extra = values_of(flags_or_operators);
    const int32_t response = orv::reports::KLASYFIKATORY_OKNO(
        in(group), v, optional_of(mode), flags_or_operators ? &extra : nullptr);
    if (response != orv::lists::kRequestCompleted) return response;
    give_values(values, v);
    if (flags_or_operators) give_values(flags_or_operators, extra);
    return response;
  });
}
void SLOWNIK_KLAS_BRW() noexcept {
  guard(__func__, [] { orv::reports::SLOWNIK_KLAS_BRW(); });
}
char* SLOWNIK_KLAS_WAR_BRW(double dictionary_id) noexcept {
  return guard_text(__func__, [&] { return orv::reports::SLOWNIK_KLAS_WAR_BRW(dictionary_id); });
}
void SLOWNIK_KLASWAR_BRW() noexcept {
  guard(__func__, [] { orv::reports::SLOWNIK_KLASWAR_BRW(); });
}

void INICJUJWARIANT(double report_id, double variant_id) noexcept {
  guard(__func__, [&] { orv::reports::INICJUJWARIANT(report_id, variant_id); });
}
char* WARTOSCPARAMETRU(const char* name) noexcept {
  return guard_text(__func__, [&] { return orv::reports::WARTOSCPARAMETRU(in(name)); });
}
void ZAPISZWARTOSCPARAMETRU(const char* name, const char* value) noexcept {
  guard(__func__, [&] { orv::reports::ZAPISZWARTOSCPARAMETRU(in(name), in(value)); });
}
void ZAPISZWARTOSCPARAMETRUDOBAZY(const char* name, const char* value) noexcept {
  guard(__func__, [&] { orv::reports::ZAPISZWARTOSCPARAMETRUDOBAZY(in(name), in(value)); });
}
double ZAPISZWARIANT(double report_id, double variant_id, const char* new_name,
                     const char* old_name) noexcept {
  return guard(__func__, 0.0, [&] {
    return orv::reports::ZAPISZWARIANT(report_id, variant_id, in(new_name), in(old_name));
  });
}

void LADUJFORMATYNUMERACJI(void) noexcept {
  guard(__func__, [] { orv::reports::LADUJFORMATYNUMERACJI(); });
}
uint8_t POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                               ORVRUN_TEXT* format, uint8_t* period, uint8_t* parameter1,
                               uint8_t* parameter2) noexcept {
  orv::reports::NumberingFormat found;
  bool ok = guard(__func__, false, [&] {
    return orv::reports::POBIERZFORMATNUMERACJI(group, type_id, resource_id, found);
  });
  put_text(format, found.format);
  if (period) *period = found.period;
  if (parameter1) *parameter1 = found.parameter1;
  if (parameter2) *parameter2 = found.parameter2;
  return ok ? 1 : 0;
}
void LADUJSTATUSYZAMOWIEN(void) noexcept {
  guard(__func__, [] { orv::reports::LADUJSTATUSYZAMOWIEN(); });
}
char* PODAJOPISSTATUSUZAMOWIENIA(const char* code, const char* layout) noexcept {
  return guard_text(__func__,
                    [&] { return orv::reports::PODAJOPISSTATUSUZAMOWIENIA(in(code), in(layout)); });
}
void INICJUJKOLEJKESTATUSOW(const uint8_t* reload) noexcept {
  guard(__func__, [&] { orv::reports::INICJUJKOLEJKESTATUSOW(optional_of(reload)); });
}

uint8_t ORVRUN_RECORD_SET(const char* record, const char* field, const char* value) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto& records = orv::dict::glo().records;
    return uint8_t(orv::dict::set_record_field(records, in(record), in(field), in(value)) ? 1 : 0);
  });
}
char* ORVRUN_RECORD_GET(const char* record, const char* field) noexcept {
  return guard_text(__func__, [&] {
    auto v = orv::dict::record_field(orv::dict::glo().records, in(record), in(field));
    return v ? *v : std::string();
  });
}

void OPIS_DOK_POZ_BRW(double type_id, uint8_t level) noexcept {
  guard(__func__, [&] { orv::reports::OPIS_DOK_POZ_BRW(type_id, level); });
}
char* DOMYSLNYOPISDOK(uint8_t level, double type_id) noexcept {
  return guard_text(__func__, [&] { return orv::reports::DOMYSLNYOPISDOK(level, type_id); });
}

}  // extern "C"
