// Saved filter states: the record conversion's boxes and the rows of ORV_FILTR_UZYTKOWNIKA.
#include "selection/saved_filters.hpp"

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/xml/group_xml.hpp"
#include "selection/companion_filters.hpp"
#include "selection/marked_records.hpp"

namespace orv::selection {
namespace {

constexpr std::size_t kMaxAdditional = 5000;

// The row's record: the XML whole, the additional text as wide as its column. The channels'
// records are far narrower than a saved state.
sql::ScratchTable& saved_state_table() {
  static sql::ScratchTable table("ORV_FILTR_UZYTKOWNIKA", {kMaxSavedXml, kMaxAdditional});
  return table;
}

std::string row_condition(int32_t filter_id, double owner) {
  return " where id_filtra=" + std::to_string(filter_id) +
         " and id_firmy=" + plain_id(dict::glo().ID_FIRMY) +
         " and id_uzytkownika=" + plain_id(owner);
}

// A typed value between quotes: clipped, cut to its column, apostrophes doubled.
std::string quoted(std::string_view value, std::size_t width) {
  return text::double_apostrophes(text::clip(value).substr(0, width));
}

// Whether the row exists; nothing when the question failed (and was shown).
std::optional<bool> row_exists(const std::string& condition) {
  const std::string count =
      frame::FUNCSQL("select count(*) from ORV_FILTR_UZYTKOWNIKA with (nolock)" + condition);
  if (frame::VAXFSQL().error() != 0) return std::nullopt;
  return text::long_of(count) > 0;
}

bool fits_saved_state(const std::string& xml) {
  if (xml.size() <= kMaxSavedXml) return true;
  frame::MSG_OSTRZEZENIE("Stan filtra ma " + std::to_string(xml.size()) +
                         " znak\xF3w, a zapisa\xE6 mo\xBFna najwy\xBF"
                         "ej " +
                         std::to_string(kMaxSavedXml) + ". Filtra nie zapisano.");
  return false;
}

}  // namespace

std::string GRUPADOXML(const dict::Group& record, std::optional<uint8_t> declaration_order) {
  return xml::group_to_xml(record, declaration_order.value_or(0) == 1 ? xml::FieldOrder::Declared
                                                                      : xml::FieldOrder::ByName);
}

void XMLDOGRUPY(std::string_view xml, dict::Group& record, std::optional<uint8_t> positional) {
  std::string error;
  const auto matching =
      positional.value_or(0) == 1 ? xml::Matching::Positional : xml::Matching::ByName;
  if (!xml::xml_to_group(xml, record, matching, error)) frame::MSG_OSTRZEZENIE(error);
}

bool store_saved_state(int32_t filter_id, double owner, const std::string& xml,
                       std::string_view additional) {
  if (!fits_saved_state(xml)) return false;
  const std::string condition = row_condition(filter_id, owner);
  const std::optional<bool> exists = row_exists(condition);
  if (!exists) return false;
  const std::string x = text::double_apostrophes(xml);
  const std::string extra = quoted(additional, kMaxAdditional);
  uint8_t sent = 0;
  if (*exists) {
    sent = frame::ESQL("update ORV_FILTR_UZYTKOWNIKA with (rowlock) set xml='" + x +
                       "', tekst_dodatkowy='" + extra + "'" + condition);
  } else {
    sent = frame::ESQL(
        "insert into ORV_FILTR_UZYTKOWNIKA (id_filtra,id_firmy,id_uzytkownika,xml,tekst_dodatkowy) "
        "values(" +
        std::to_string(filter_id) + "," + plain_id(dict::glo().ID_FIRMY) + "," + plain_id(owner) +
        ",'" + x + "','" + extra + "')");
  }
  frame::CLOSESQL();
  return sent == 0;
}

std::optional<SavedState> fetch_saved_state(int32_t filter_id, double owner) {
  sql::ScratchTable& t = saved_state_table();
  t.close();
  t.open();
  if (t.send("select xml, tekst_dodatkowy from ORV_FILTR_UZYTKOWNIKA with (nolock)" +
             row_condition(filter_id, owner)) != sql::kOk) {
    frame::ERRORWIN(t.sql_text(), t.message());
    t.close();
    return std::nullopt;
  }
  const bool found = t.next();
  SavedState state{t.field(1), t.field(2)};
  t.close();
  if (!found) return std::nullopt;
  return state;
}

void ZAPISZXMLFILTRUZYTKOWNIKA(int32_t filter_id, const dict::Group& record,
                               std::optional<std::string_view> additional) {
  if (filter_id <= 0) return;
  const double owner = dict::glo().ID_UZYTKOWNIKA;
  if (!store_saved_state(filter_id, owner, GRUPADOXML(record), additional.value_or(""))) return;
  if (const int32_t table = additional_table_of(record); table > 0) {
    save_companion_filter(filter_id, table, owner);
  }
}

void POBIERZXMLFILTRUZYTKOWNIKA(int32_t filter_id, dict::Group& record, std::string* additional) {
  const double owner = dict::glo().ID_UZYTKOWNIKA;
  const std::optional<SavedState> state = fetch_saved_state(filter_id, owner);
  if (!state) return;
  XMLDOGRUPY(state->xml, record);
  if (additional) *additional = state->additional;
  if (const int32_t table = additional_table_of(record); table > 0) {
    load_companion_filter(filter_id, table, owner);
  }
}

int32_t POBIERZIDFILTRAXML(std::string_view name, std::string_view context, std::string_view type,
                           std::string_view subsystem) {
  return text::long_of(frame::FUNCSQL(
      "select id_filtra from ORV_DEFINICJA_FILTRA with (nolock) where nazwa='" + quoted(name, 50) +
      "' and nazwa_kontekstu='" + quoted(context, 30) + "' and typ='" + quoted(type, 30) +
      "' and podsystem='" + quoted(subsystem, 30) + "'"));
}

}  // namespace orv::selection
