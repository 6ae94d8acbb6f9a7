// Loading the users' list-column layouts and the accessors the host's lists are built from.
#include "lists/column_settings.hpp"

#include <mutex>
#include <tuple>

#include "calc/text_replace.hpp"
#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {
namespace {

using dict::IniKolBroRow;

constexpr std::size_t kNameCapacity = 51;
constexpr std::size_t kFormatCapacity = 201;
constexpr std::size_t kFlagCapacity = 5;

constexpr const char* kWindowsStatement =
    "select o.nazwa,o.id_okna,o.nr_kol_pierwszej,o.nr_kol_ostatniej from ini_okno o with "
    "(nolock)";
constexpr const char* kColumnsStatement =
    "select i.format_kolumny,o.nazwa,o.id_okna,k.id_kolumny,k.numer_kolumny, "
    "k.nazwa_kolumny,k.rozmiar_kolumny,i.rozmiar,i.kolejnosc,k.pole_dodatkowe,o.kod_klas_grupy,"
    "o.skok, k.ukryta,k.podlega_obcieciu  from ini_kolumna k with (nolock) inner join ini_okno o "
    "with (nolock) on (k.id_okna=o.id_okna) inner join inter_ini_uzytkownik i with (nolock) on "
    "(k.id_kolumny=i.id_kolumny) where  i.id_uzytkownika=";
constexpr const char* kParametersStatement =
    "select o.nazwa,p.nazwa,i.wartosc from ini_okno o with (nolock),ini_parametr p with "
    "(nolock),inter_parametr_uzytkownik i with (nolock)  where p.id_okna=o.id_okna and "
    "p.id_parametru=i.id_parametru and  i.id_uzytkownika=";

struct QuantityPicture {
  const char* plain;
  const char* four_places;
};
constexpr QuantityPicture kQuantityPictures[] = {{"@n-14_@", "@n-14_`4@"},
                                                 {"@n14_@", "@n14_`4@"},
                                                 {"@n-16_@", "@n-16_`4@"},
                                                 {"@n16_@", "@n16_`4@"}};

bool by_window_and_number(const IniKolBroRow& a, const IniKolBroRow& b) {
  return std::tie(a.window, a.number) < std::tie(b.window, b.number);
}

bool by_window_and_parameter(const dict::ParOknoRow& a, const dict::ParOknoRow& b) {
  return std::tie(a.window, a.parameter) < std::tie(b.window, b.parameter);
}

void load_windows() {
  auto& windows = dict::glo().tables.INI_BRO;
  windows.clear();
  if (frame::ESQL(kWindowsStatement) == 0) {
    while (frame::VAX().next()) {
      dict::IniBroRow r;
      r.name = list_key(frame::VAX().field(1));
      r.window_id = frame::VAX().real_field(2);
      r.first_column = frame::VAX().long_field(3);
      r.last_column = frame::VAX().long_field(4);
      windows.add(std::move(r));
    }
  }
  frame::CLOSESQL();
}

// One row of the columns statement, with the classifier and quantity-picture rules applied.
IniKolBroRow column_row(const sql::ScratchTable& t, bool without_decimals) {
  IniKolBroRow r;
  r.format = text::fit(t.field(1), kFormatCapacity);
  r.window = list_key(t.field(2));
  r.window_id = t.real_field(3);
  r.column_id = t.real_field(4);
  r.number = t.long_field(5);
  r.caption = text::fit(t.field(6), kNameCapacity);
  r.default_width = t.long_field(7);
  r.width = t.long_field(8);
  r.position = t.long_field(9);
  r.additional = t.byte_field(10);
  r.hidden = t.byte_field(13);
  r.quantity_picture = t.byte_field(14);
  if (!additional_field_shown(r.additional, t.field(11), t.long_field(12), r.number)) {
    r.width = 0;
  }
  if (r.quantity_picture == 1) {
    r.format = text::fit(quantity_pictures(r.format, without_decimals), kFormatCapacity);
  }
  return r;
}

void load_columns() {
  auto& columns = dict::glo().tables.INI_KOL_BRO;
  columns.clear();
  const bool without_decimals = text::clip(dict::glo().ILOSCARTBEZPRZECINKA) == "Tak";
  read_on_channel_2(kColumnsStatement + plain_id(dict::glo().ID_UZYTKOWNIKA),
                    [&](const sql::ScratchTable& t) {
                      columns.add_sorted(column_row(t, without_decimals), by_window_and_number);
                    });
}

void load_window_parameters() {
  auto& parameters = dict::glo().tables.INI_PAR_OKNO;
  parameters.clear();
  if (frame::ESQL(kParametersStatement + plain_id(dict::glo().ID_UZYTKOWNIKA)) == 0) {
    while (frame::VAX().next()) {
      dict::ParOknoRow r;
      r.window = text::fit(frame::VAX().field(1), kNameCapacity);
      r.parameter = text::fit(frame::VAX().field(2), kNameCapacity);
      r.value = text::fit(frame::VAX().field(3), kNameCapacity);
      parameters.add_sorted(std::move(r), by_window_and_parameter);
    }
  }
  frame::CLOSESQL();
}

bool mentions_hstm(std::string_view message) {
  return text::upper(message).find("HSTM") != std::string::npos;
}

}  // namespace

threads::CriticalSection& column_section() {
  static threads::CriticalSection section;
  return section;
}

std::string list_key(std::string_view window) {
  return std::string(text::clip(text::fit(window, kNameCapacity)));
}

IniKolBroRow* column_by_number(std::string_view key, int32_t number) {
  return dict::glo().tables.INI_KOL_BRO.find(
      [&](const IniKolBroRow& r) { return r.number == number && r.window == key; });
}

IniKolBroRow* column_at_position(std::string_view key, int32_t position) {
  return dict::glo().tables.INI_KOL_BRO.find(
      [&](const IniKolBroRow& r) { return r.position == position && r.window == key; });
}

std::string quantity_pictures(std::string_view format, bool without_decimals) {
  std::string out(format);
  for (const auto& p : kQuantityPictures) {
    out = without_decimals ? calc::REPLACEPROC2(out, p.four_places, p.plain)
                           : calc::REPLACEPROC2(out, p.plain, p.four_places);
  }
  return out;
}

std::string unlock_format(std::string_view format) {
  return calc::REPLACEPROC2(format, "|F", "|");
}

std::string lock_format(std::string_view format) {
  return calc::REPLACEPROC2(unlock_format(format), "|", "|F");
}

bool is_locked(std::string_view format) {
  return format.find("|F") != std::string_view::npos;
}

bool field_active(std::string_view group, int32_t field) {
  std::string answer =
      frame::FUNCSQL("select czy_aktywne from klasyfikator_pole where kod_klas_grupy='" +
                         text::double_apostrophes(text::clip(group)) +
                         "' and nazwa_pola_map='pole" + std::to_string(field) + "'",
                     0);
  return text::real_of(answer) != 0;
}

bool additional_field_shown(uint8_t additional, std::string_view group, int32_t offset,
                            int32_t number) {
  if (additional != 1 || text::clip(group).empty() || offset == 0) return true;
  return field_active(group, number - offset);
}

bool read_on_channel_2(std::string_view statement,
                       const std::function<void(const sql::ScratchTable&)>& row) {
  sql::ScratchTable& t = frame::VAX2();
  t.close();
  t.clear();
  t.open();
  if (t.send(statement) != 0) {
    if (!mentions_hstm(t.message())) frame::ERRORWIN(t.sql_text(), t.message());
    t.close();
    return false;
  }
  while (t.next()) row(t);
  t.close();
  return true;
}

void LADUJUSTAWIENIAKOLUMN() {
  load_windows();
  dict::glo().ILOSCARTBEZPRZECINKA =
      text::fit(config::POBIERZPARAMKONF("u", "IloscArtBezPrzecinka"), kFlagCapacity);
  load_columns();
  load_window_parameters();
}

void POBIERZZAKRESKOLUMNBROWSERA(std::string_view window, int32_t& first, int32_t& last) {
  std::lock_guard lock(column_section());
  const std::string key = list_key(window);
  const dict::IniBroRow* r =
      dict::glo().tables.INI_BRO.find([&](const dict::IniBroRow& w) { return w.name == key; });
  first = r ? r->first_column : 0;
  last = r ? r->last_column : 0;
}

std::string POBIERZKOLUMNEFORMAT(std::string_view window, int32_t position) {
  std::lock_guard lock(column_section());
  const IniKolBroRow* r = column_at_position(list_key(window), position);
  return r && r->hidden != 1 ? r->format : std::string();
}

int32_t POBIERZKOLUMNEROZMIAR(std::string_view window, int32_t position) {
  std::lock_guard lock(column_section());
  const IniKolBroRow* r = column_at_position(list_key(window), position);
  return r && r->hidden != 1 ? r->width : 0;
}

uint8_t USTAWKOLUMNE(std::string_view window, int32_t position, std::string_view format,
                     int32_t width) {
  std::lock_guard lock(column_section());
  IniKolBroRow* r = column_at_position(list_key(window), position);
  if (!r) return 0;
  r->format = text::fit(format, kFormatCapacity);
  r->width = width;
  return 1;
}

}  // namespace orv::lists
