// The positioning markers of the list manager's statements and the cuts made with them.
#include "selection/list_statement.hpp"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/text/text.hpp"

namespace orv::selection {
namespace {

// Operators as they follow the column: one blank before, two before the ">=" some columns get.
constexpr std::string_view kLt = " <", kGt = " >", kLe = " <=", kGe = " >=", kGe2 = "  >=";

struct ColumnMarkers {
  std::string_view column;
  std::initializer_list<std::string_view> operators;
};

// The user column's name stands between double quotes in the list manager's text.
constexpr std::string_view kQuotedUser = "\"ID_UZYTKOWNIKA\"";

std::vector<std::string> expand(std::initializer_list<ColumnMarkers> columns) {
  std::vector<std::string> out{"ORDER BY"};
  for (const ColumnMarkers& c : columns) {
    for (std::string_view op : c.operators) {
      out.push_back("AND  (  A." + std::string(c.column) + std::string(op));
    }
  }
  return out;
}

const std::vector<std::string>& marking_markers() {
  static const std::vector<std::string> markers = expand({
      {"ID_FIRMY", {kLt, kGt}},
      {"ID_MAGAZYNU", {kLt, kGt}},
      {"NUMER", {kGe2, kLt, kGt}},
      {"ID_DOK_MAGAZYNOWEGO", {kLt, kGt}},
      {"ID_DOK_HANDLOWEGO", {kLt, kGt}},
      {"ID_ZAMOWIENIA", {kLt, kGt}},
      {"DATA", {kGt, kLt, kGe2}},
      {"DATA_WYSTAWIENIA", {kGt, kLt, kGe2}},
      {"TERMIN_PLATNOSCI", {kGt, kLt, kGe2}},
      {"SYMBOL", {kGt, kLt, kGe2}},
      {"KONTOFK", {kGt, kLt, kGe2}},
      {"ID_SADU", {kGt, kLt}},
      {"ID_POZYCJI_DOK_MAG", {kGt, kLt}},
      {"ID_POZYCJI_ZAMOWIENIA", {kGt, kLt}},
      {"ID_BUFORA", {kGt, kLt}},
      {"ID_ROZRACHUNKU", {kLt}},
      {"WARTOSC_NETTO", {kLt, kGt}},
      {"KONTRAHENT", {kLt, kGt}},
      {"PLATNIK", {kLt, kGt}},
      {"ID_TRASY", {kLt, kGt}},
      {"KWOTA", {kLt, kGt}},
      {"TYTULEM", {kLt, kGt}},
      {"NR_WYCIAGU", {kLt, kGt}},
      {"NAZWA_OPERATORA", {kLt, kGt}},
      {"WYROZNIK", {kLt, kGt}},
      {"DATA_OTRZYMANIA", {kLt, kGt}},
      {"KOD_KRESKOWY", {kLt, kGt}},
      {"ID_POZYCJI_SCHOWKA", {kLe, kGe, kLt, kGt}},
      {kQuotedUser, {kLt, kGt, kLe, kGe}},
      {"ID_SERWIS_ZLECENIE", {kLt, kGt}},
      {"ID_POZYCJI_KOSZTORYSU", {kLt, kGt}},
      {"DATA_ZLECENIA", {kLt, kGt}},
      {"DATA_PRZYJECIA", {kLt, kGt}},
      {"DATA_ZAKONCZENIA", {kLt, kGt}},
      {"PRACOWNIK", {kLt, kGt}},
  });
  return markers;
}

const std::vector<std::string>& counting_markers() {
  static const std::vector<std::string> markers = expand({
      {"ID_FIRMY", {kLt, kGt}},
      {"ID_MAGAZYNU", {kLt, kGt}},
      {"NUMER", {kGe2, kLt, kGt}},
      {"ID_DOK_MAGAZYNOWEGO", {kLt, kGt}},
      {"ID_DOK_HANDLOWEGO", {kLt, kGt}},
      {"ID_ZAMOWIENIA", {kLt, kGt}},
      {"DATA", {kGt, kLt, kGe2}},
      {"DATA_WYSTAWIENIA", {kGt, kLt, kGe2}},
      {"ID_SADU", {kGt, kLt}},
      {"ID_POZYCJI_DOK_MAG", {kGt, kLt}},
      {"ID_POZYCJI_ZAMOWIENIA", {kGt, kLt}},
      {"ID_BUFORA", {kGt, kLt}},
      {"ID_ROZRACHUNKU", {kLt}},
      {"WARTOSC_NETTO", {kLt, kGt}},
      {"KONTRAHENT", {kLt, kGt}},
      {"PLATNIK", {kLt, kGt}},
      {"TERMIN_PLATNOSCI", {kLt, kGt}},
      {"DATA_DOK", {kLt, kGt}},
      {"NR_DOK", {kLt, kGt}},
      {"ID_PROGRAMU", {kLt, kGt}},
      {"ILOSC_PKT", {kLt, kGt}},
      {"UZYTKOWNIK", {kLt, kGt}},
      {"NAZWA", {kLt, kGt}},
      {"SYMBOL", {kLt, kGt}},
      {"KONTOFK", {kLe, kGe}},
      {"KWOTA", {kLt, kGt}},
      {"NR_WYCIAGU", {kLe, kGe}},
      {"NAZWA_OPERATORA", {kLe, kGe}},
      {"DATA_WYSYLKI", {kLe, kGe}},
      {"WYROZNIK", {kLe, kGe}},
      {"ID_INTRASTATU", {kGt, kLt}},
      {"ID_KONTRAHENTA", {kGt, kLt}},
      {"ID_GRUPY", {kGt, kLt}},
      {"DATA_OTRZYMANIA", {kLt, kGt}},
      {"KOD_KRESKOWY", {kLt, kGt}},
      {"ID_POZYCJI_SCHOWKA", {kLe, kGe, kLt, kGt}},
      {kQuotedUser, {kLt, kGt, kLe, kGe}},
      {"ID_SERWIS_ZLECENIE", {kLe, kGe, kLt, kGt}},
      {"ID_POZYCJI_KOSZTORYSU", {kLe, kGe, kLt, kGt}},
  });
  return markers;
}

// The text before the earliest marker (the whole text when none occurs), trailing blanks dropped.
std::string cut_at_markers(std::string_view text, const std::vector<std::string>& markers) {
  std::size_t cut = text.size();
  for (const std::string& m : markers) {
    cut = std::min(cut, text.substr(0, cut + m.size()).find(m));
  }
  return std::string(text::clip(text.substr(0, cut)));
}

}  // namespace

std::string trim_list_statement(std::string_view statement, Markers markers) {
  const std::string upper = text::upper(statement);
  if (upper.find("FROM") == std::string::npos) return {};
  return cut_at_markers(upper,
                        markers == Markers::Marking ? marking_markers() : counting_markers());
}

std::string from_part(std::string_view trimmed) {
  const std::size_t from = trimmed.find("FROM");
  if (from == std::string_view::npos) return {};
  return std::string(trimmed.substr(from));
}

std::string count_statement(std::string_view statement) {
  const std::string upper = text::upper(statement);
  const std::size_t from = upper.find("FROM");
  if (from == std::string::npos) return {};
  const std::string text = "select count(*) " + std::string(text::clip(upper.substr(from)));
  return cut_at_markers(text, counting_markers());
}

}  // namespace orv::selection
