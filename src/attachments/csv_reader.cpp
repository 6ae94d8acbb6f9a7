// Reading the article import file: header matching, quoted fields, numbers with decimal commas.
#include "attachments/csv_reader.hpp"

#include <algorithm>
#include <optional>

#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::attachments {
namespace {

using K = FieldKind;

// Bytes Windows-1250 leaves undefined, and NUL: a file holding one is in another code page.
bool undefined_byte(unsigned char c) {
  return c == 0 || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
}

std::string line_note(int line, std::string_view why) {
  return "Wiersz " + std::to_string(line) + ": " + std::string(why);
}

// Every ";" ends a field, inside quotes too.
std::vector<std::string_view> split_fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (;;) {
    std::size_t at = line.find(';');
    out.push_back(line.substr(0, at));
    if (at == std::string_view::npos) return out;
    line.remove_prefix(at + 1);
  }
}

std::string unquote(std::string_view field) {
  std::string_view t = text::trim(field);
  if (t.size() < 2 || t.front() != '"' || t.back() != '"') return std::string(field);
  t = t.substr(1, t.size() - 2);
  std::string out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    out += t[i];
    if (t[i] == '"' && i + 1 < t.size() && t[i + 1] == '"') ++i;
  }
  return out;
}

// "12,50", "12.50", " 1 234,5 " read as numbers; empty reads as 0.
std::optional<double> number_of(std::string_view field, bool whole) {
  std::string s;
  for (char c : text::trim(field)) {
    if (c == ' ') continue;
    s += c == ',' ? '.' : c;
  }
  if (s.empty()) return 0.0;
  auto v = text::read_real(s);
  if (!v || (whole && *v != static_cast<double>(static_cast<long long>(*v)))) return std::nullopt;
  return v;
}

// Header position of each import field, -1 when the header lacks it.
std::vector<int> match_header(std::string_view header) {
  const auto& fields = import_fields();
  std::vector<int> at(fields.size(), -1);
  auto names = split_fields(header);
  for (std::size_t k = 0; k < names.size(); ++k) {
    std::string_view name = text::trim(names[k]);
    if (name.empty()) break;  // the header ends at its first empty name
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (at[f] < 0 && text::equal_ci(name, fields[f].name)) at[f] = static_cast<int>(k);
    }
  }
  return at;
}

std::size_t header_width(const std::vector<int>& at) {
  int widest = -1;
  for (int k : at) widest = std::max(widest, k);
  return widest < 0 ? 0 : static_cast<std::size_t>(widest) + 1;
}

ImportRecord read_record(int line_no, std::string_view line, const std::vector<int>& at) {
  ImportRecord r{line_no, {}, {}};
  if (line.size() > kMaxLineChars) {
    r.error = line_note(line_no, "wiersz dłuższy niż 3000 znaków."_w1250);
    return r;
  }
  auto fields = split_fields(line);
  std::size_t wanted = header_width(at);
  if (fields.size() < wanted) {
    r.error = line_note(line_no, "za mało pól ("_w1250 + std::to_string(fields.size()) + " z " +
                                     std::to_string(wanted) + ").");
    return r;
  }
  const auto& defs = import_fields();
  for (std::size_t f = 0; f < defs.size(); ++f) {
    std::string value =
        at[f] < 0 ? std::string() : unquote(fields[static_cast<std::size_t>(at[f])]);
    if (defs[f].kind == K::Text) {
      r.values.push_back(sql::BoundValue::of(std::move(value)));
      continue;
    }
    auto n = number_of(value, defs[f].kind == K::Day || std::string_view(defs[f].name) == "PLU");
    if (!n) {
      r.error = line_note(line_no, std::string("pole ") + defs[f].name +
                                       " nie jest liczbą: \""_w1250 + value + "\".");
      r.values.clear();
      return r;
    }
    r.values.push_back(sql::BoundValue::of(*n));
  }
  return r;
}

// The file as Windows-1250 text: a UTF-8 file with its byte-order mark is converted into
// `converted`; any other file is used as it is, without a copy.
std::optional<std::string_view> cp1250_text(std::string_view bytes, std::string& converted,
                                            std::string& error) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    std::string why;
    auto text = text::from_utf8_strict(bytes.substr(3), why);
    if (!text) {
      error = "Plik UTF-8 zawiera znaki spoza strony kodowej Windows-1250."_w1250;
      return std::nullopt;
    }
    converted = std::move(*text);
    return std::string_view(converted);
  }
  auto bad = std::find_if(bytes.begin(), bytes.end(),
                          [](char c) { return undefined_byte(static_cast<unsigned char>(c)); });
  if (bad == bytes.end()) return bytes;
  auto line = 1 + std::count(bytes.begin(), bad, '\n');
  error = "Plik nie jest zapisany w stronie kodowej Windows-1250 (wiersz "_w1250 +
          std::to_string(line) + ").";
  return std::nullopt;
}

}  // namespace

const std::vector<ImportField>& import_fields() {
  static const std::vector<ImportField> fields = {
      {"NAZWA", "NAZWA", K::Text},
      {"NAZWA2", "NAZWA2", K::Text},
      {"NAZWA_ORYG", "NAZWA_ORYG", K::Text},
      {"KATEGORIA", "KATEGORIA", K::Text},
      {"KATEGORIA_WIELOPOZIOMOWA", "KATEGORIA_WIELOPOZIOMOWA", K::Text},
      {"JEDNOSTKA_SKROT", "JEDNOSTKA", K::Text},
      {"RODZAJ", "RODZAJ", K::Text},
      {"VAT_ZAKUPU", "VAT_ZAKUPU", K::Text},
      {"VAT_SPRZEDAZY", "VAT_SPRZEDAZY", K::Text},
      {"INDEKS_KATALOGOWY", "INDEKS_KATALOGOWY", K::Text},
      {"INDEKS_HANDLOWY", "INDEKS_HANDLOWY", K::Text},
      {"WYROZNIK", "WYROZNIK", K::Text},
      {"LOKALIZACJA", "LOKALIZACJA", K::Text},
      {"PLU", "PLU", K::Number},
      {"SWWKU", "SWWKU", K::Text},
      {"PKWIU", "PKWIU", K::Text},
      {"KOD_KRESKOWY", "KOD_KRESKOWY", K::Text},
      {"STAN_MINIMALNY", "STAN_MINIMALNY", K::Number},
      {"STAN_MAKSYMALNY", "STAN_MAKSYMALNY", K::Number},
      {"DATA_CERTYFIKATU", "DATA_CERTYFIKATU", K::Day},
      {"NAZWA_CERTYFIKATU", "NAZWA_CERTYFIKATU", K::Text},
      {"OPIS", "OPIS", K::Text},
      {"OSTRZEZENIE", "OSTRZEZENIE", K::Text},
      {"UWAGI", "UWAGI", K::Text},
      {"KRAJ_POCHODZENIA", "KRAJ_POCHODZENIA", K::Text},
      {"PRODUCENT", "PRODUCENT", K::Text},
      {"KOD_CN", "KOD_CN", K::Text},
      {"NAZWA_INTRASTAT", "NAZWA_INTRASTAT", K::Text},
      {"JED_WAGI", "JED_WAGI", K::Text},
      {"WAGA", "WAGA", K::Number},
      {"JED_WYMIARU", "JED_WYMIARU", K::Text},
      {"WYMIAR_W", "WYMIAR_W", K::Number},
      {"WYMIAR_S", "WYMIAR_S", K::Number},
      {"WYMIAR_G", "WYMIAR_G", K::Number},
      {"CENA_ZAKUPU_NETTO", "CENA_ZAKUPU_NETTO", K::Number},
      {"CENA_ZAKUPU_BRUTTO", "CENA_ZAKUPU_BRUTTO", K::Number},
      {"SYM_WAL", "SYM_WAL", K::Text},
      {"C_ZAKUPU_NETTO_WAL", "C_ZAKUPU_NETTO_WAL", K::Number},
      {"C_ZAKUPU_BRUTTO_WAL", "C_ZAKUPU_BRUTTO_WAL", K::Number},
      {"CENA_N_KGO", "CENA_N_KGO", K::Number},
      {"CENA_B_KGO", "CENA_B_KGO", K::Number},
      {"PROMOCJA_OD", "PROMOCJA_OD", K::Day},
      {"PROMOCJA_DO", "PROMOCJA_DO", K::Day},
      {"CENA_PROMOCJI_N", "CENA_PROMOCJI_N", K::Number},
      {"CENA_PROMOCJI_B", "CENA_PROMOCJI_B", K::Number},
      {"POLE1", "POLE1", K::Text},
      {"POLE2", "POLE2", K::Text},
      {"POLE3", "POLE3", K::Text},
      {"POLE4", "POLE4", K::Text},
      {"POLE5", "POLE5", K::Text},
      {"POLE6", "POLE6", K::Text},
      {"POLE7", "POLE7", K::Text},
      {"POLE8", "POLE8", K::Text},
      {"POLE9", "POLE9", K::Text},
      {"POLE10", "POLE10", K::Text},
  };
  return fields;
}

std::string too_large_message(uint64_t size) {
  return "Plik jest za duży do importu ("_w1250 + std::to_string(size >> 20) +
         " MB, najwięcej 64 MB)."_w1250;
}

ImportFile read_import_file(std::string_view bytes) {
  ImportFile out;
  if (bytes.empty()) {
    out.error = "Plik jest pusty (0 bajtów)."_w1250;
    return out;
  }
  if (bytes.size() > kMaxImportBytes) {
    out.error = too_large_message(bytes.size());
    return out;
  }
  std::string converted;
  auto content = cp1250_text(bytes, converted, out.error);
  if (!content) return out;
  std::string_view rest = *content;
  std::vector<int> at;
  for (int line_no = 1; !rest.empty(); ++line_no) {
    std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line_no == 1) {
      at = match_header(line);
      if (header_width(at) == 0) {
        out.error = "Pierwszy wiersz pliku nie zawiera nazw pól importu."_w1250;
        return out;
      }
      continue;
    }
    if (text::trim(line).empty()) continue;
    out.records.push_back(read_record(line_no, line, at));
    out.rejected += out.records.back().error.empty() ? 0 : 1;
  }
  return out;
}

}  // namespace orv::attachments
