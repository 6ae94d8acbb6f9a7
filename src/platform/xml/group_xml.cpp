// Record <-> XML on pugixml: the text written by hand, read through the DOM, values converted.
#include "platform/xml/group_xml.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/decimal/decimal.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::xml {
namespace {

std::string_view bare_name(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// A carriage return is written as a reference: the parser would fold a raw CR LF into LF.
void append_escaped(std::string& out, std::string_view value) {
  for (char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        out += c;
    }
  }
}

void append_element(std::string& out, std::string_view name, std::string_view value) {
  out += "\r\n<";
  out += name;
  if (value.empty()) {
    out += "/>";
    return;
  }
  out += '>';
  append_escaped(out, value);
  out += "</";
  out += name;
  out += '>';
}

std::vector<std::size_t> written_order(const dict::Group& group, FieldOrder order) {
  std::vector<std::size_t> idx(group.size());
  for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = i;
  if (order == FieldOrder::Declared) return idx;
  std::vector<std::string> keys(group.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = text::upper(bare_name(group.at(i).name));
  std::stable_sort(idx.begin(), idx.end(),
                   [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return idx;
}

// The runtime's reading of a number; a value out of the field's range reads as 0.
std::string whole_of(std::string_view value, int32_t lo, int32_t hi) {
  const int32_t v = text::long_of(value);
  return std::to_string(v < lo || v > hi ? 0 : v);
}

std::string decimal_of(std::string_view value, std::size_t places) {
  Decimal d;
  if (!Decimal::parse(value, d)) d = Decimal();
  return d.rescale(static_cast<int>(std::min<std::size_t>(places, Decimal::kMaxScale))).to_string();
}

std::string converted(const dict::Field& f, std::string_view value) {
  using K = dict::FieldKind;
  switch (f.kind) {
    case K::Text:
    case K::Group:
      return std::string(f.size > 0 ? value.substr(0, f.size) : value);
    case K::Long:
    case K::Date:
    case K::Time:
      return std::to_string(text::long_of(value));
    case K::Short:
      return whole_of(value, -32768, 32767);
    case K::Byte:
      return std::to_string(text::byte_of(value));
    case K::Real:
      return plain_number(text::real_of(value));
    case K::Decimal:
      return decimal_of(value, f.size);
  }
  return std::string(value);
}

// An element's value: the text of its first child, when that child is text.
std::optional<std::string_view> element_value(const pugi::xml_node& e) {
  const pugi::xml_node first = e.first_child();
  if (first.type() != pugi::node_pcdata && first.type() != pugi::node_cdata) return std::nullopt;
  return std::string_view(first.value());
}

bool is_text(const pugi::xml_node& n) {
  return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

void fill_by_name(const pugi::xml_node& root, dict::Group& group) {
  std::vector<std::pair<std::string, std::size_t>> index;
  index.reserve(group.size());
  for (std::size_t i = 0; i < group.size(); ++i) {
    index.emplace_back(text::upper(bare_name(group.at(i).name)), i);
  }
  std::stable_sort(index.begin(), index.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> next(group.size(), 0);
  for (const pugi::xml_node& e : root.children()) {
    if (e.type() != pugi::node_element) continue;
    const std::string key = text::upper(e.name());
    auto it =
        std::lower_bound(index.begin(), index.end(), key,
                         [](const auto& entry, const std::string& k) { return entry.first < k; });
    if (it == index.end() || it->first != key) continue;
    dict::Field& f = group.at(it->second);
    const std::size_t slot = next[it->second]++;
    const auto value = element_value(e);
    if (value && slot < f.values.size()) f.values[slot] = converted(f, *value);
  }
}

void fill_by_position(const pugi::xml_node& root, dict::Group& group) {
  std::size_t field = 0, slot = 0;
  for (const pugi::xml_node& n : root.children()) {
    if (field >= group.size()) return;
    std::optional<std::string_view> value;
    if (n.type() == pugi::node_element) {
      value = element_value(n).value_or(std::string_view());
    } else if (is_text(n) && !text::trim(n.value()).empty()) {
      value = std::string_view(n.value());
    } else {
      continue;
    }
    dict::Field& f = group.at(field);
    f.values[slot] = converted(f, *value);
    if (++slot >= f.values.size()) {
      ++field;
      slot = 0;
    }
  }
}

// A document has one root element; the parser would take a list of them.
bool single_root(const pugi::xml_document& doc) {
  int roots = 0;
  for (const pugi::xml_node& n : doc.children()) roots += n.type() == pugi::node_element;
  return roots == 1;
}

std::string load_error(const pugi::xml_parse_result& r) {
  return "B\xB3\xB9"
         "d \xB3"
         "adowania definicji XML!|Tekst XML jest niepoprawny w znaku " +
         std::to_string(r.offset + 1) + ".";
}

}  // namespace

std::string group_to_xml(const dict::Group& group, FieldOrder order) {
  if (group.size() == 0) return "<GROUP/>";
  std::string out = "<GROUP>";
  for (std::size_t i : written_order(group, order)) {
    const dict::Field& f = group.at(i);
    for (const std::string& v : f.values) append_element(out, bare_name(f.name), v);
  }
  out += "\r\n</GROUP>";
  return out;
}

bool xml_to_group(std::string_view xml, dict::Group& group, Matching matching, std::string& error) {
  pugi::xml_document doc;
  const pugi::xml_parse_result r =
      doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single,
                      pugi::encoding_utf8);
  const pugi::xml_node root = doc.document_element();
  if (!r || !single_root(doc)) {
    error = load_error(r);
    return false;
  }
  group.clear();
  if (matching == Matching::ByName) {
    fill_by_name(root, group);
  } else {
    fill_by_position(root, group);
  }
  return true;
}

}  // namespace orv::xml
