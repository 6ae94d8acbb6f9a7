// Record <-> XML on pugixml: the text written by hand, read through the DOM, values converted.
#include "platform/xml/group_xml.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
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
// Values are scanned byte by byte against a table: most hold nothing to escape, and a search
// for any of four characters costs a library call per byte.
void append_escaped(std::string& out, std::string_view value) {
  static constexpr auto kSpecial = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'&', '<', '>', '\r'}) t[c] = true;
    return t;
  }();
  std::size_t start = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (!kSpecial[static_cast<unsigned char>(c)]) continue;
    out.append(value.data() + start, i - start);
    out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&#13;";
    start = i + 1;
  }
  out.append(value.data() + start, value.size() - start);
}

// The runtime's upper case of every Windows-1250 byte, looked up without a call per character.
char fold(char c) {
  static const auto table = [] {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i)
      t[static_cast<std::size_t>(i)] = text::upper(static_cast<char>(i));
    return t;
  }();
  return table[static_cast<unsigned char>(c)];
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

// The fields' upper-cased names, and their positions sorted by name (ties as declared). The
// first eight bytes of each name, as one big-endian number, decide most comparisons at once.
class NameIndex {
 public:
  explicit NameIndex(const dict::Group& group) {
    const std::size_t n = group.size();
    names_.reserve(n);
    prefix_.reserve(n);
    sorted_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      const std::string_view bare = bare_name(group.at(i).name);
      skip_.push_back(group.at(i).name.size() - bare.size());
      std::string upper(bare.size(), '\0');
      uint64_t prefix = 0;
      for (std::size_t k = 0; k < bare.size(); ++k) {
        upper[k] = fold(bare[k]);
        if (k < 8) prefix |= uint64_t{static_cast<unsigned char>(upper[k])} << (56 - 8 * k);
      }
      names_.push_back(std::move(upper));
      prefix_.push_back(prefix);
      sorted_.push_back(static_cast<uint32_t>(i));
    }
    std::sort(sorted_.begin(), sorted_.end(), [this](uint32_t a, uint32_t b) {
      if (prefix_[a] != prefix_[b]) return prefix_[a] < prefix_[b];
      const int c = names_[a].compare(names_[b]);
      return c != 0 ? c < 0 : a < b;
    });
  }
  const std::vector<uint32_t>& sorted() const { return sorted_; }
  const std::string& name(std::size_t field) const { return names_[field]; }
  // The field's name without its prefix, as written (the group's names are the indexed ones).
  std::string_view bare(const dict::Group& group, std::size_t field) const {
    return std::string_view(group.at(field).name).substr(skip_[field]);
  }
  // The first position in sorted() whose name is not below `key`.
  std::size_t lower_bound(const std::string& key) const {
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(), key,
                               [this](uint32_t f, const std::string& k) { return names_[f] < k; });
    return static_cast<std::size_t>(it - sorted_.begin());
  }

 private:
  std::vector<std::string> names_;
  std::vector<uint64_t> prefix_;
  std::vector<uint32_t> sorted_;
  std::vector<std::size_t> skip_;  // characters of the prefix and its colon
};

// A dialog converts the same kind of record again and again: each thread keeps the index of
// the last field names it saw and builds a new one only when they change.
const NameIndex& index_of(const dict::Group& group) {
  thread_local std::vector<std::string> names;
  thread_local std::optional<NameIndex> index;
  bool same = index && names.size() == group.size();
  for (std::size_t i = 0; same && i < names.size(); ++i) same = names[i] == group.at(i).name;
  if (same) return *index;
  names.clear();
  for (const dict::Field& f : group) names.push_back(f.name);
  index.emplace(group);
  return *index;
}

// Texts already in the form a conversion would give them keep it without the conversion: the
// reader's common case, since the writer wrote them in that form.
bool plain_digits(std::string_view s, std::size_t max_digits) {
  if (s.empty() || s.size() > max_digits) return false;
  for (char c : s) {
    if (!text::is_digit(c)) return false;
  }
  return s.size() == 1 || s[0] != '0';
}

// An optional minus, then digits as `plain_digits`, never "-0".
bool plain_whole(std::string_view s, std::size_t max_digits) {
  const bool minus = !s.empty() && s[0] == '-';
  if (minus) s.remove_prefix(1);
  return plain_digits(s, max_digits) && !(minus && s == "0");
}

// As the runtime writes a REAL: at most 15 digits, no trailing zero after the point.
bool plain_real(std::string_view s) {
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos) return plain_whole(s, 15);
  std::string_view whole = s.substr(0, point), fraction = s.substr(point + 1);
  if (fraction.empty() || fraction.back() == '0') return false;
  const bool minus = !whole.empty() && whole[0] == '-';
  if (minus) whole.remove_prefix(1);
  if (!plain_digits(whole, 15) || whole.size() + fraction.size() > 15) return false;
  for (char c : fraction) {
    if (!text::is_digit(c)) return false;
  }
  return true;
}

// As a DECIMAL of `places` places is written: exactly that many after the point.
bool plain_decimal(std::string_view s, std::size_t places) {
  if (places == 0) return plain_whole(s, 18);
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos || s.size() - point - 1 != places) return false;
  std::string_view whole = s.substr(0, point);
  const bool minus = !whole.empty() && whole[0] == '-';
  if (minus) whole.remove_prefix(1);
  if (!plain_digits(whole, 18)) return false;
  bool zero = whole == "0";
  for (char c : s.substr(point + 1)) {
    if (!text::is_digit(c)) return false;
    zero = zero && c == '0';
  }
  return !(minus && zero);
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

void assign(const dict::Field& f, std::string& slot, std::string_view value) {
  using K = dict::FieldKind;
  switch (f.kind) {
    case K::Text:
    case K::Group:
      slot.assign(f.size > 0 ? value.substr(0, f.size) : value);
      return;
    case K::Long:
    case K::Date:
    case K::Time:
      if (plain_whole(value, 9)) return void(slot.assign(value));
      slot = std::to_string(text::long_of(value));
      return;
    case K::Short:
      slot = whole_of(value, -32768, 32767);
      return;
    case K::Byte:
      if (plain_digits(value, 3) && (value.size() < 3 || value <= "255")) {
        return void(slot.assign(value));
      }
      slot = std::to_string(text::byte_of(value));
      return;
    case K::Real:
      if (plain_real(value)) return void(slot.assign(value));
      slot = plain_number(text::real_of(value));
      return;
    case K::Decimal:
      if (plain_decimal(value, f.size)) return void(slot.assign(value));
      slot = decimal_of(value, f.size);
      return;
  }
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

void upper_into(std::string& out, std::string_view name) {
  out.resize(name.size());
  for (std::size_t k = 0; k < name.size(); ++k) out[k] = fold(name[k]);
}

void fill_by_name(const pugi::xml_node& root, dict::Group& group) {
  const NameIndex& index = index_of(group);
  const std::vector<uint32_t>& sorted = index.sorted();
  std::vector<std::size_t> next(group.size(), 0);
  std::string key;
  std::size_t guess = 0;  // elements written by name come in the index's order
  for (const pugi::xml_node& e : root.children()) {
    if (e.type() != pugi::node_element) continue;
    const std::string_view name = e.name();
    std::size_t at = guess;
    // The writer's own spelling matches the expected field as it is, without folding.
    if (at >= sorted.size() || index.bare(group, sorted[at]) != name) {
      upper_into(key, name);
      if (at >= sorted.size() || index.name(sorted[at]) != key) at = index.lower_bound(key);
      if (at >= sorted.size() || index.name(sorted[at]) != key) continue;
    }
    dict::Field& f = group.at(sorted[at]);
    const std::size_t slot = next[sorted[at]]++;
    guess = slot + 1 >= f.values.size() ? at + 1 : at;  // an array keeps its entry to the end
    const auto value = element_value(e);
    if (value && slot < f.values.size()) assign(f, f.values[slot], *value);
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
    assign(f, f.values[slot], *value);
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
  out.reserve(64 * group.size() + 16);
  const NameIndex& index = index_of(group);
  auto write = [&](std::size_t field) {
    for (const std::string& v : group.at(field).values) {
      append_element(out, index.bare(group, field), v);
    }
  };
  if (order == FieldOrder::Declared) {
    for (std::size_t i = 0; i < group.size(); ++i) write(i);
  } else {
    for (uint32_t f : index.sorted()) write(f);
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

dict::Group group_of_xml(std::string_view xml) {
  dict::Group group;
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single,
                       pugi::encoding_utf8) ||
      !single_root(doc))
    return group;
  for (const pugi::xml_node& n : doc.document_element().children()) {
    if (n.type() != pugi::node_element) continue;
    dict::Field& f = group.add(n.name(), dict::FieldKind::Text, kHostFieldSize);
    f.values[0] = n.child_value();
  }
  return group;
}

}  // namespace orv::xml
