// Saved filters: a dialog's filter record as XML, stored per filter, company and user.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dict/group.hpp"

namespace orv::selection {

// The most a saved state may hold: the longest text the record conversion ever produced.
// A longer one is refused with a warning rather than stored cut (a cut XML no longer loads).
inline constexpr std::size_t kMaxSavedXml = 65534;

// The record as XML (fields sorted by name unless `declaration_order` is 1), arrays included.
std::string GRUPADOXML(const dict::Group& record, std::optional<uint8_t> declaration_order = {});

// Fills the record from XML, by name unless `positional` is 1. A text that is not XML is told
// in a warning and leaves the record as it was.
void XMLDOGRUPY(std::string_view xml, dict::Group& record, std::optional<uint8_t> positional = {});

// One row of ORV_FILTR_UZYTKOWNIKA of the current company: the state of a filter for `owner`
// (a user, or 0 for the state its users share). Stored whole, updated when it exists: false
// (after a warning or the SQL error window) when it was too long or the statements failed.
bool store_saved_state(int32_t filter_id, double owner, const std::string& xml,
                       std::string_view additional);
struct SavedState {
  std::string xml;
  std::string additional;
};
// Nothing when there is no such row (or the query failed, shown in the SQL error window).
std::optional<SavedState> fetch_saved_state(int32_t filter_id, double owner);

// The current user's saved state of a filter in the current company: written whole (updated
// when it exists), nothing when the id is 0 or less. A record with an ID_TABELI above 0 carries
// its additional table's conditions (FILTRTABELQUEUE) in a companion filter.
void ZAPISZXMLFILTRUZYTKOWNIKA(int32_t filter_id, const dict::Group& record,
                               std::optional<std::string_view> additional = {});

// Fills the record from that saved state, and `additional` (when given) with its additional
// text; with no saved state both are left as they were. The companion filter of an additional
// table comes back into FILTRTABELQUEUE.
void POBIERZXMLFILTRUZYTKOWNIKA(int32_t filter_id, dict::Group& record,
                                std::string* additional = nullptr);

// The id of the saved filter with that name, context, type and subsystem; 0 when none.
int32_t POBIERZIDFILTRAXML(std::string_view name, std::string_view context, std::string_view type,
                           std::string_view subsystem);

}  // namespace orv::selection
