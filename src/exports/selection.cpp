// C entry points of the selection subsystem: marks, filters, counting, group operations.
#include "boundary.hpp"
#include "platform/xml/group_xml.hpp"
#include "selection/filter_windows.hpp"
#include "selection/filters.hpp"
#include "selection/group_operations.hpp"
#include "selection/list_count.hpp"
#include "selection/list_marking.hpp"
#include "selection/marked_count_display.hpp"
#include "selection/marked_records.hpp"
#include "selection/object_lists.hpp"
#include "selection/saved_filters.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::optional_of;
namespace sel = orv::selection;

namespace {

// The record comes as XML and goes back as XML; a record the window left alone comes back as
// it was given.
template <class F>
void with_record(ORVRUN_TEXT* record, F&& window) {
  orv::dict::Group g = orv::xml::group_of_xml(record && record->data ? in(record->data) : "");
  window(g);
  if (record && g.size() > 0) {
    orv::exports::put_text(record, orv::xml::group_to_xml(g, orv::xml::FieldOrder::Declared));
  }
}

}  // namespace

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

int32_t ZAZNACZALLSQL(int32_t usage, const char* statement, const char* id_column) noexcept {
  return guard(__func__, sel::kMarkingFailed,
               [&] { return sel::ZAZNACZALLSQL(usage, in(statement), in(id_column)); });
}
int32_t INWERSJASQL(int32_t usage, const char* statement, const char* id_column) noexcept {
  return guard(__func__, sel::kMarkingFailed,
               [&] { return sel::INWERSJASQL(usage, in(statement), in(id_column)); });
}

char* FILTR2SQL(const char* expression) noexcept {
  return guard_text(__func__, [&] { return sel::FILTR2SQL(in(expression)); });
}
char* PRZYGOTUJFILTR(const char* filter, const char* old_1, const char* old_2, const char* new_1,
                     const char* new_2) noexcept {
  return guard_text(__func__, [&] {
    return sel::PRZYGOTUJFILTR(in(filter), in(old_1), in(old_2), in(new_1), in(new_2));
  });
}
char* REPLACEINSTRINGNALIKE(const char* text) noexcept {
  return guard_text(__func__, [&] { return sel::REPLACEINSTRINGNALIKE(in(text)); });
}
char* REPLACEMINUSNADESC(const char* text, const char* prefix_1, const char* prefix_2) noexcept {
  return guard_text(__func__,
                    [&] { return sel::REPLACEMINUSNADESC(in(text), in(prefix_1), in(prefix_2)); });
}
char* DODAJKOMPONENTFILTRA(const char* filter, const char* component) noexcept {
  return guard_text(__func__, [&] { return sel::DODAJKOMPONENTFILTRA(in(filter), in(component)); });
}
char* PODAJFILTRODCIECIA(const char* field) noexcept {
  return guard_text(__func__, [&] { return sel::PODAJFILTRODCIECIA(in(field)); });
}
char* FILTRUPRAWTYLKOWGLISTZAZN(const char* permission, const uint8_t* check_flag) noexcept {
  return guard_text(__func__, [&] {
    return sel::FILTRUPRAWTYLKOWGLISTZAZN(in(permission), optional_of(check_flag));
  });
}

int32_t POLICZREKORDYBROWSERA(const char* statement, int32_t* step) noexcept {
  return guard(__func__, int32_t{0},
               [&] { return sel::POLICZREKORDYBROWSERA(in(statement), step); });
}

void WYKONAJOPERACJE(const char* list_kind, const char* operation, int32_t usage,
                     double current_id) noexcept {
  guard(__func__, [&] { sel::WYKONAJOPERACJE(in(list_kind), in(operation), usage, current_id); });
}

char* GRUPADOXML(const ORVRUN_GROUP* record, const uint8_t* declaration_order) noexcept {
  return guard_text(__func__, [&] {
    return sel::GRUPADOXML(record ? record->group : orv::dict::Group(),
                           optional_of(declaration_order));
  });
}

void XMLDOGRUPY(const char* xml, ORVRUN_GROUP* record, const uint8_t* positional) noexcept {
  guard(__func__, [&] {
    if (record) sel::XMLDOGRUPY(in(xml), record->group, optional_of(positional));
  });
}

void ZAPISZXMLFILTRUZYTKOWNIKA(int32_t filter_id, const ORVRUN_GROUP* record,
                               const char* additional) noexcept {
  guard(__func__, [&] {
    const auto extra = additional ? std::optional<std::string_view>(additional) : std::nullopt;
    sel::ZAPISZXMLFILTRUZYTKOWNIKA(filter_id, record ? record->group : orv::dict::Group(), extra);
  });
}

void POBIERZXMLFILTRUZYTKOWNIKA(int32_t filter_id, ORVRUN_GROUP* record,
                                ORVRUN_TEXT* additional) noexcept {
  guard(__func__, [&] {
    if (!record) return;
    std::string extra;
    sel::POBIERZXMLFILTRUZYTKOWNIKA(filter_id, record->group, additional ? &extra : nullptr);
    if (additional) orv::exports::put_text(additional, extra);
  });
}

int32_t POBIERZIDFILTRAXML(const char* name, const char* context, const char* type,
                           const char* subsystem) noexcept {
  return guard(__func__, int32_t{0}, [&] {
    return sel::POBIERZIDFILTRAXML(in(name), in(context), in(type), in(subsystem));
  });
}

void DISPLAYZAZNACZONE(int32_t window, int32_t control, int32_t count, const char* label,
                       const int32_t* total) noexcept {
  guard(__func__,
        [&] { sel::DISPLAYZAZNACZONE(window, control, count, in(label), optional_of(total)); });
}

void LISTAFILTROWAPLIKACJI_BRW(const char* context, ORVRUN_TEXT* record) noexcept {
  guard(__func__, [&] {
    with_record(record,
                [&](orv::dict::Group& g) { sel::LISTAFILTROWAPLIKACJI_BRW(in(context), g); });
  });
}
void FILTRAPLIKACJI_UPD(const char* context, ORVRUN_TEXT* record) noexcept {
  guard(__func__, [&] {
    with_record(record, [&](orv::dict::Group& g) { sel::FILTRAPLIKACJI_UPD(in(context), g); });
  });
}

void LISTY_OBIEKTOW(const char* kind, const char* mode, const char* usage,
                    const int32_t* warehouse) noexcept {
  guard(__func__, [&] {
    auto text_of = [](const char* s) {
      return s ? std::optional<std::string_view>(in(s)) : std::nullopt;
    };
    sel::LISTY_OBIEKTOW(in(kind), text_of(mode), text_of(usage), optional_of(warehouse));
  });
}
void LISTY_OBIEKTOW_UPD(int32_t kind, const int32_t* mode, const int32_t* usage,
                        const int32_t* warehouse) noexcept {
  guard(__func__, [&] {
    sel::LISTY_OBIEKTOW_UPD(kind, optional_of(mode), optional_of(usage), optional_of(warehouse));
  });
}

}  // extern "C"
