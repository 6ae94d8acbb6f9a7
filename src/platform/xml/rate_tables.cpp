// The two banks' rate tables: their XML read with pugixml, NBP's JSON with a small reader.
#include "platform/xml/rate_tables.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include <pugixml.hpp>

#include "platform/text/numbers.hpp"

namespace orv::xml {
namespace {

// One element of the flattened XML: its name without namespace prefix, attributes and text.
struct Element {
  std::string name;
  std::map<std::string, std::string> attrs;
  std::string text;
  int depth = 0;
};

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

std::string local_name(std::string_view name) {
  std::size_t colon = name.find(':');
  return lower_ascii(colon == std::string_view::npos ? name : name.substr(colon + 1));
}

// pugixml walks without recursion, so a deeply nested answer cannot exhaust the stack.
struct Flattener : pugi::xml_tree_walker {
  std::vector<Element>& out;
  explicit Flattener(std::vector<Element>& o) : out(o) {}
  bool for_each(pugi::xml_node& node) override {
    if (node.type() != pugi::node_element) return true;
    Element el;
    el.name = local_name(node.name());
    el.depth = depth();
    for (pugi::xml_attribute a : node.attributes()) el.attrs[local_name(a.name())] = a.value();
    el.text = trim(node.child_value());
    out.push_back(std::move(el));
    return true;
  }
};

// Every element in document order, its text the element's own character data; false when the
// text is no well-formed XML (an error page, a cut download).
bool flatten_xml(std::string_view x, std::vector<Element>& out) {
  pugi::xml_document doc;
  if (!doc.load_buffer(x.data(), x.size(), pugi::parse_default, pugi::encoding_auto)) return false;
  Flattener walker(out);
  return doc.traverse(walker);
}

// A decimal written with a point or a comma; false for anything else or a value <= 0.
bool positive_number(std::string_view t, double& out) {
  std::string s = trim(t);
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  if (s.empty()) return false;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.') return false;
  }
  auto v = text::read_real(s);
  if (!v || !(*v > 0)) return false;
  out = *v;
  return true;
}

bool read_iso_date(std::string_view t, RateTable& table) {
  std::string s = trim(t);
  if (s.size() < 10 || s[4] != '-' || s[7] != '-') return false;
  for (int k : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
  }
  const int y = text::long_of(s.substr(0, 4)), m = text::long_of(s.substr(5, 2)),
            d = text::long_of(s.substr(8, 2));
  static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1900 || y > 2999 || m < 1 || m > 12 || d < 1 || d > days[m - 1]) return false;
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (m == 2 && d == 29 && !leap) return false;
  table.year = y;
  table.month = m;
  table.day = d;
  return true;
}

std::string upper_code(std::string_view t) {
  std::string s = trim(t);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (s.size() != 3) return {};
  for (char c : s) {
    if (c < 'A' || c > 'Z') return {};
  }
  return s;
}

// One <Rate> (web service) or <pozycja> (older files) in progress.
struct NbpRow {
  std::string code, value, units = "1";
  void add_to(RateTable& table) const {
    PublishedRate r;
    r.code = upper_code(code);
    double units_value = 0;
    if (r.code.empty() || !positive_number(value, r.value)) return;
    if (positive_number(units, units_value)) {
      if (units_value > 1000000) return;  // no currency is quoted per more units than that
      r.units = std::max(1, static_cast<int>(std::lround(units_value)));
    }
    table.rates.push_back(r);
  }
};

void nbp_from_xml(const std::vector<Element>& els, RateTable& table) {
  NbpRow row;
  bool in_row = false;
  for (const Element& e : els) {
    if (e.name == "rate" || e.name == "pozycja") {
      if (in_row) row.add_to(table);
      row = NbpRow{};
      in_row = true;
    } else if (e.name == "no" || e.name == "numer_tabeli") {
      table.number = e.text;
    } else if (e.name == "effectivedate" || e.name == "data_publikacji") {
      read_iso_date(e.text, table);
    } else if (e.name == "code" || e.name == "kod_waluty") {
      row.code = e.text;
    } else if (e.name == "mid" || e.name == "kurs_sredni") {
      row.value = e.text;
    } else if (e.name == "przelicznik") {
      row.units = e.text;
    }
  }
  if (in_row) row.add_to(table);
}

// The value after `"key":` inside `obj`, unquoted; empty when absent.
std::string json_value(std::string_view obj, std::string_view key) {
  std::string pattern = "\"" + std::string(key) + "\"";
  std::size_t k = obj.find(pattern);
  if (k == std::string_view::npos) return {};
  std::size_t i = obj.find(':', k + pattern.size());
  if (i == std::string_view::npos) return {};
  ++i;
  while (i < obj.size() && std::isspace(static_cast<unsigned char>(obj[i]))) ++i;
  if (i < obj.size() && obj[i] == '"') {
    std::size_t e = obj.find('"', i + 1);
    return e == std::string_view::npos ? std::string{} : std::string(obj.substr(i + 1, e - i - 1));
  }
  std::size_t e = i;
  while (e < obj.size() && obj[e] != ',' && obj[e] != '}' && obj[e] != ']') ++e;
  return trim(obj.substr(i, e - i));
}

bool nbp_from_json(std::string_view text, RateTable& table) {
  std::size_t rates = text.find("\"rates\"");
  if (rates == std::string_view::npos) return false;
  table.number = json_value(text.substr(0, rates), "no");
  read_iso_date(json_value(text.substr(0, rates), "effectiveDate"), table);
  std::size_t i = rates;
  while ((i = text.find('{', i)) != std::string_view::npos) {
    std::size_t e = text.find('}', i);
    if (e == std::string_view::npos) break;
    std::string_view obj = text.substr(i, e - i + 1);
    NbpRow row{json_value(obj, "code"), json_value(obj, "mid"), "1"};
    row.add_to(table);
    i = e + 1;
  }
  return true;
}

bool finish(RateTable& table, std::string_view bank, std::string& error) {
  if (table.year == 0) {
    error = "Tabela kursów " + std::string(bank) + " nie zawiera poprawnej daty publikacji.";
    return false;
  }
  if (table.rates.empty()) {
    error = "Tabela kursów " + std::string(bank) + " nie zawiera żadnego kursu waluty.";
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ecb_day(std::string_view file, std::string_view iso_day,
                                   std::string& oldest) {
  oldest.clear();
  RateTable asked;
  std::vector<Element> els;
  if (!read_iso_date(iso_day, asked) || iso_day.size() != 10) return std::nullopt;
  if (!flatten_xml(file, els)) return std::nullopt;
  std::string cubes;
  bool in_day = false, found = false;
  int day_depth = -1;
  for (const Element& e : els) {
    if (e.name != "cube") continue;
    if (e.attrs.count("time")) {
      std::string time = trim(e.attrs.at("time"));
      if (oldest.empty() || time < oldest) oldest = time;
      in_day = time == iso_day;
      found = found || in_day;
      day_depth = e.depth;
    } else if (in_day && e.depth > day_depth && e.attrs.count("currency") &&
               e.attrs.count("rate")) {
      // Only a code and a plain number go into the apostrophes: nothing can close them early.
      std::string code = upper_code(e.attrs.at("currency"));
      std::string rate = trim(e.attrs.at("rate"));
      double value = 0;
      if (code.empty() || rate.find(',') != std::string::npos || !positive_number(rate, value)) {
        continue;
      }
      cubes += "\t\t\t<Cube currency='" + code + "' rate='" + rate + "'/>\n";
    }
  }
  if (!found) return std::nullopt;
  return "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
         "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
         "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
         "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n"
         "\t</gesmes:Sender>\n\t<Cube>\n\t\t<Cube time='" +
         std::string(iso_day) + "'>\n" + cubes + "\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>";
}

bool read_nbp_table(std::string_view text, RateTable& table, std::string& error) {
  table = RateTable{};
  std::string head = trim(text.substr(0, 64));
  std::vector<Element> els;
  if (!head.empty() && (head[0] == '[' || head[0] == '{')) {
    nbp_from_json(text, table);
  } else if (flatten_xml(text, els)) {
    nbp_from_xml(els, table);
  } else {
    error = "Nieznany format tabeli kursów NBP.";
    return false;
  }
  return finish(table, "NBP", error);
}

bool read_ecb_table(std::string_view text, RateTable& table, std::string& error) {
  table = RateTable{};
  std::vector<Element> els;
  if (!flatten_xml(text, els)) {
    error = "Nieznany format tabeli kursów EBC.";
    return false;
  }
  // The daily file holds one day; a history file lists the newest day first: that one is read.
  int day_depth = -1;
  for (const Element& e : els) {
    if (e.name != "cube") continue;
    if (e.attrs.count("time")) {
      if (day_depth >= 0) break;
      if (!read_iso_date(e.attrs.at("time"), table)) break;
      day_depth = e.depth;
      table.number = "ECB " + trim(e.attrs.at("time")).substr(0, 10);
    } else if (day_depth >= 0 && e.attrs.count("currency") && e.attrs.count("rate")) {
      PublishedRate r;
      r.code = upper_code(e.attrs.at("currency"));
      if (!r.code.empty() && positive_number(e.attrs.at("rate"), r.value)) table.rates.push_back(r);
    }
  }
  return finish(table, "EBC", error);
}

}  // namespace orv::xml
