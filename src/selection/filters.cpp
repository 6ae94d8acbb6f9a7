// The filter translators: prefixes, containment tests, descending items, joined components.
#include "selection/filters.hpp"

#include "calc/text_replace.hpp"
#include "config/parameters.hpp"
#include "config/permissions.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "selection/marked_records.hpp"

namespace orv::selection {
namespace {

constexpr char kQuote = '\'';

std::string bounded(std::string_view s) {
  return std::string(s.substr(0, kMaxFilter));
}

bool is_identifier_char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || text::is_digit(c) || c == '_';
}

// The first `needle` at or after `from` that does not stand inside a quoted literal. A doubled
// apostrophe inside a literal toggles twice, so it needs no case of its own.
std::size_t find_unquoted(std::string_view text, std::string_view needle, std::size_t from = 0) {
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!quoted && i >= from && text.substr(i, needle.size()) == needle) return i;
    if (text[i] == kQuote) quoted = !quoted;
  }
  return std::string_view::npos;
}

// Where the literal opening at 0 closes, npos when it never does.
std::size_t literal_end(std::string_view text) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != kQuote) continue;
    if (i + 1 < text.size() && text[i + 1] == kQuote) {
      ++i;
      continue;
    }
    return i;
  }
  return std::string_view::npos;
}

// INSTRING searches for plain text; LIKE would read %, _ and [ as patterns.
std::string like_literal(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '%' || c == '_' || c == '[') {
      out += '[';
      out += c;
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

// One prefix's pass of REPLACEMINUSNADESC, in one walk: each "-" before the prefix is dropped
// and owes a " desc" to the next comma (or the end). Dropping a minus can put an earlier minus
// before the prefix ("--A."): that one is taken too, as rewriting from the start again would.
void minus_to_desc(std::string& text, std::string_view prefix) {
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t owed = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!quoted && c == '-' && std::string_view(text).substr(i + 1, prefix.size()) == prefix) {
      ++owed;
      while (!out.empty() && out.back() == '-' && !quoted) {
        out.pop_back();
        ++owed;
      }
      continue;
    }
    if (!quoted && c == ',') {
      for (; owed > 0; --owed) out += " desc";
    }
    if (c == kQuote) quoted = !quoted;
    out += c;
  }
  for (; owed > 0; --owed) out += " desc";
  text = std::move(out);
}

}  // namespace

std::string FILTR2SQL(std::string_view expression) {
  std::string out;
  out.reserve(expression.size());
  bool quoted = false;
  for (char c : expression) {
    if (c == kQuote) quoted = !quoted;
    if (c != ':' || quoted) {
      out += c;
      continue;
    }
    while (!out.empty() && is_identifier_char(out.back())) out.pop_back();
  }
  return out;
}

std::string REPLACEINSTRINGNALIKE(std::string_view input) {
  static constexpr std::string_view kCall = "INSTRING(", kTest = ",1,1) <> 0";
  const std::string text(text::trim(input.substr(0, kMaxFilter)));
  const std::size_t a = find_unquoted(text, kCall);
  if (a == std::string::npos) return text;
  const std::size_t b = find_unquoted(text, kTest, a + kCall.size());
  if (b == std::string::npos) return text;
  const std::string_view inner =
      std::string_view(text).substr(a + kCall.size(), b - a - kCall.size());
  const std::size_t close =
      inner.empty() || inner[0] != kQuote ? std::string_view::npos : literal_end(inner);
  if (close == std::string_view::npos || close + 1 >= inner.size() || inner[close + 1] != ',') {
    return text;
  }
  std::string out = text.substr(0, a);
  out += inner.substr(close + 2);
  out += " like '%" + like_literal(inner.substr(1, close - 1)) + "%'";
  out += std::string_view(text).substr(b + kTest.size());
  return bounded(out);
}

std::string REPLACEMINUSNADESC(std::string_view input, std::string_view prefix_1,
                               std::string_view prefix_2) {
  std::string text = bounded(input);
  for (std::string_view prefix : {prefix_1, prefix_2}) {
    if (!text::clip(prefix).empty()) minus_to_desc(text, prefix);
  }
  return bounded(text);
}

std::string PRZYGOTUJFILTR(std::string_view filter, std::string_view old_1, std::string_view old_2,
                           std::string_view new_1, std::string_view new_2) {
  std::string text(text::trim(filter.substr(0, kMaxFilter)));
  const std::string_view o1 = text::trim(old_1), o2 = text::trim(old_2);
  if (!o1.empty()) text = calc::REPLACEPROC2(text, o1, text::clip(new_1));
  if (!o2.empty()) text = calc::REPLACEPROC2(text, o2, text::clip(new_2));
  text = REPLACEINSTRINGNALIKE(text);
  text = REPLACEMINUSNADESC(text, new_1, new_2);
  return bounded(calc::REPLACEPROC2(text, "(SUB(", "(SUBSTRING("));
}

std::string DODAJKOMPONENTFILTRA(std::string_view filter, std::string_view component) {
  const std::string_view f = text::clip(filter), c = text::clip(component);
  if (f.empty()) return std::string(c);
  if (c.empty()) return std::string(f);
  return std::string(f) + " AND " + std::string(c);
}

std::string PODAJFILTRODCIECIA(std::string_view field) {
  const int32_t from = text::long_of(config::POBIERZPARAMKONF("u", "DataOdPelnyZakres"));
  if (from <= 0) return {};
  return std::string(text::clip(field)) + ">=" + std::to_string(from);
}

std::string FILTRUPRAWTYLKOWGLISTZAZN(std::string_view permission,
                                      std::optional<uint8_t> check_flag) {
  static constexpr std::string_view kName = "OKontr";
  if (text::clip(permission) != kName) return {};
  if (config::POBIERZUPRAWNIENIE(kName) != 2) return {};
  if (check_flag.value_or(0) != 0 &&
      config::POBIERZFLAGEUPRAWNIENIA(kName).find('D') == std::string::npos) {
    return {};
  }
  const dict::Context& g = dict::glo();
  return "A.id_kontrahenta in (select id_elementu from ORV_ELEMENTY_LISTY_OBIEKTOW melo with "
         "(nolock) inner join  ORV_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_listy "
         "and mel.id_firmy=" +
         plain_id(g.ID_FIRMY) + " and mel.uzycie=" + std::to_string(120) + ") " +
         " inner join ORV_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW mglo  with (nolock) on "
         "(mglo.id_listy=mel.id_listy) " +
         " inner join UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy=mglo.id_grupy) " +
         " where ug.id_uzytkownika=" + plain_id(g.ID_UZYTKOWNIKA) + ")";
}

}  // namespace orv::selection
