// A dynamic record as hosts hand it across the ABI: a JSON array of typed fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/dict/group.hpp"

namespace orv::dict {

// [{"name": "LOC:Kod", "type": "STRING", "size": 20, "value": "abc"},
//  {"name": "LOC:Ile", "type": "BYTE", "dim": 3, "value": [1, 0, 1]}]
// Types: STRING (size = characters, 0 = unbounded), LONG, SHORT, BYTE, REAL, DECIMAL (size =
// places), DATE (a day number), TIME; "dim" makes an array. A value is left out for the empty
// form of its kind; numbers may be given as numbers or texts. Refused with `error`: a text that
// is not such JSON, an unknown type, a number that does not read or does not fit its kind, a
// text longer than its size.
std::optional<Group> group_from_json(std::string_view json, std::string& error);

// The same form back, every value given; numbers as JSON numbers, texts Windows-1250.
std::string group_to_json(const Group& group);

const char* field_kind_name(FieldKind kind);
std::optional<FieldKind> field_kind_of(std::string_view name);

}  // namespace orv::dict
