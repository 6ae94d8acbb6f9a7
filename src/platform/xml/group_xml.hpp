// A dynamic record (GROUP) as an XML text and back: one element per field under "GROUP".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/dict/group.hpp"

namespace orv::xml {

enum class FieldOrder { ByName, Declared };
enum class Matching { ByName, Positional };

// "<GROUP>" with one element per field, named by the field's name without its prefix (the text
// after the first ':'), holding its value as text; an array gives one element per index, in
// index order. Ordered by the upper-cased names (ties keep declaration order) or as declared.
// One element per line: every "><" becomes ">\r\n<". Windows-1250 in and out.
std::string group_to_xml(const dict::Group& group, FieldOrder order);

// Fills `group` from such a text: false, with the reason in Polish in `error` and the record
// untouched, when the text is not well-formed XML. Otherwise the record is cleared and then,
// by name, each element sets the field of the same name (case-insensitive; the n-th element of
// a name sets index n of an array) and elements without a field are skipped; positionally, the
// n-th element or text node under the root sets the n-th value, arrays counted one value per
// index, until the values run out. Values are converted to the field's kind as the runtime
// assigns them: texts cut to their size, numbers read as numbers (anything else is 0).
bool xml_to_group(std::string_view xml, dict::Group& group, Matching matching, std::string& error);

// The record a host describes by its XML alone (hosts that cannot share their records): one text
// field of kHostFieldSize characters per element under the root, in document order, holding the
// element's text. A text that is not XML gives a record without fields.
inline constexpr std::size_t kHostFieldSize = 1000;
dict::Group group_of_xml(std::string_view xml);

}  // namespace orv::xml
