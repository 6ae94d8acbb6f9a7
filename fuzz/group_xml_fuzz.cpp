// Fuzzes the XML reader of records: any text either loads or is refused, never crashes, and
// what it loads settles, after one more round, into values that write and load unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/dict/group.hpp"
#include "platform/xml/group_xml.hpp"

#include "fuzz_input.hpp"

namespace {

using orv::fuzz::require;

using orv::dict::FieldKind;
using orv::xml::FieldOrder;
using orv::xml::Matching;

orv::dict::Group sample() {
  orv::dict::Group g;
  g.add("LOC:Kod", FieldKind::Text, 20);
  g.add("LOC:Ilosc", FieldKind::Long);
  g.add("LOC:Kwota", FieldKind::Decimal, 2);
  g.add("LOC:Kurs", FieldKind::Real);
  g.add("LOC:Sw", FieldKind::Byte, 0, 3);
  g.add("LOC:Teksty", FieldKind::Text, 8, 2);
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Matching matching = data[0] & 1 ? Matching::Positional : Matching::ByName;
  const std::string_view xml(reinterpret_cast<const char*>(data) + 1, size - 1);
  orv::dict::Group g = sample();
  std::string error;
  if (!orv::xml::xml_to_group(xml, g, matching, error)) {
    require(!error.empty());
    return 0;
  }
  // After one more write and load every value is in its field's form (a cleared decimal "0"
  // becomes "0.00"): from there on writing and loading changes nothing.
  orv::dict::Group settled = sample(), back = sample();
  require(orv::xml::xml_to_group(orv::xml::group_to_xml(g, FieldOrder::Declared), settled,
                                 Matching::Positional, error));
  require(orv::xml::xml_to_group(orv::xml::group_to_xml(settled, FieldOrder::ByName), back,
                                 Matching::ByName, error));
  for (std::size_t i = 0; i < g.size(); ++i) require(back.at(i).values == settled.at(i).values);
  return 0;
}
