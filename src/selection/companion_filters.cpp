// Companion filters: an additional table's conditions carried in a saved filter of their own.
#include "selection/companion_filters.hpp"

#include <string>

#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "selection/saved_filters.hpp"

namespace orv::selection {
namespace {

constexpr std::size_t kConditions = 100;

std::string companion_name(int32_t filter_id, int32_t table) {
  return "FiltrExt" + std::to_string(filter_id) + "TabExt" + std::to_string(table);
}

// The row's fields are declared so that their names sort in declaration order too: a state
// written by name and read back positionally lands in the same fields either way.
dict::Group empty_record() {
  dict::Group g;
  g.add("FTQ:A_TABELA", dict::FieldKind::Long);
  g.add("FTQ:B_NAZWA", dict::FieldKind::Text, 50);
  g.add("FTQ:C_PRZELACZNIK", dict::FieldKind::Byte, 0, kConditions);
  g.add("FTQ:D_TEKST100", dict::FieldKind::Text, 100, kConditions);
  g.add("FTQ:E_TEKST20", dict::FieldKind::Text, 20, kConditions);
  return g;
}

dict::FiltrTabelRow* row_of(int32_t table) {
  return dict::glo().tables.FILTRTABELQUEUE.find(
      [&](const dict::FiltrTabelRow& r) { return r.table == table; });
}

}  // namespace

int32_t additional_table_of(const dict::Group& record) {
  const dict::Field* f = record.find("ID_TABELI");
  if (!f) {
    for (const dict::Field& each : record) {
      const std::size_t colon = each.name.find(':');
      if (colon != std::string::npos && text::equal_ci(each.name.substr(colon + 1), "ID_TABELI"))
        f = &each;
    }
  }
  return f && f->dimension == 0 ? text::long_of(f->values[0]) : 0;
}

dict::Group filter_table_record(const dict::FiltrTabelRow& row) {
  dict::Group g = empty_record();
  g.at(0).values[0] = std::to_string(row.table);
  g.at(1).values[0] = row.name;
  for (std::size_t i = 0; i < kConditions; ++i) {
    g.at(2).values[i] = std::to_string(row.switches[i]);
    g.at(3).values[i] = row.texts100[i];
    g.at(4).values[i] = row.texts20[i];
  }
  return g;
}

dict::FiltrTabelRow filter_table_row(const dict::Group& record) {
  dict::FiltrTabelRow row;
  row.table = text::long_of(record.at(0).values[0]);
  row.name = record.at(1).values[0];
  for (std::size_t i = 0; i < kConditions; ++i) {
    row.switches[i] = text::byte_of(record.at(2).values[i]);
    row.texts100[i] = record.at(3).values[i];
    row.texts20[i] = record.at(4).values[i];
  }
  return row;
}

void save_companion_filter(int32_t filter_id, int32_t table, double owner) {
  const dict::FiltrTabelRow* row = row_of(table);
  if (!row) return;
  const std::string name = text::double_apostrophes(companion_name(filter_id, table));
  const int32_t id = text::long_of(frame::FUNCSQL("call RM_DodajFiltrUzytkownika('" + name + "','" +
                                                  name + "','Filtr','FiltrF8'," +
                                                  plain_id(dict::glo().ID_UZYTKOWNIKA) + ")"));
  if (id <= 0) return;
  store_saved_state(id, owner, GRUPADOXML(filter_table_record(*row), uint8_t{1}), "");
}

void load_companion_filter(int32_t filter_id, int32_t table, double owner) {
  const std::string name = text::double_apostrophes(companion_name(filter_id, table));
  const int32_t id = text::long_of(frame::FUNCSQL(
      "select id_filtra from ORV_DEFINICJA_FILTRA with (nolock) where nazwa='" + name +
      "' and nazwa_kontekstu='" + name + "' and typ='Filtr' and podsystem='FiltrF8'"));
  if (id <= 0) return;
  const auto state = fetch_saved_state(id, owner);
  if (!state) return;
  dict::Group record = empty_record();
  XMLDOGRUPY(state->xml, record, uint8_t{1});
  dict::FiltrTabelRow loaded = filter_table_row(record);
  loaded.table = table;
  auto& queue = dict::glo().tables.FILTRTABELQUEUE;
  if (row_of(table)) queue.erase(queue.pointer());  // the lookup made it the current row
  queue.add(std::move(loaded));
}

}  // namespace orv::selection
