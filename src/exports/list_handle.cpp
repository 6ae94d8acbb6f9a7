// Lists built by hosts: the C builder functions and the JSON reader behind `@list:FILE.json`.
#include "list_handle.hpp"

#include <cmath>

#include "boundary.hpp"
#include "host_result.hpp"
#include "orvrun_list.h"
#include "platform/date/date.hpp"
#include "platform/text/json.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

using orv::exports::guard;
using orv::exports::in;
using orv::lists::Cell;

namespace orv::exports {
namespace {

using text::Json;
using Type = Json::Type;

// A failure while reading: the message names the place in the list.
struct Bad {
  std::string why;
};

std::string text_of(const Json& v, std::string_view what) {
  if (!v.is(Type::String)) throw Bad{std::string(what) + " must be a string"};
  return v.text;
}

double number_of(const Json& v) {
  return text::real_of(v.text);
}

int32_t whole_of(const Json& v, std::string_view what) {
  auto n = v.is(Type::Number) ? text::long_argument(v.text) : std::nullopt;
  if (!n) throw Bad{std::string(what) + " must be a whole number"};
  return *n;
}

int32_t day_of(const Json& v) {
  if (v.is(Type::Number)) return whole_of(v, "a date");
  int y = 0, m = 0, d = 0;
  std::string s = v.is(Type::String) ? v.text : "";
  if (std::sscanf(s.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3 || m < 1 || m > 12 || d < 1 ||
      d > date::days_in_month(m, y)) {
    throw Bad{"a date must be YYYY-MM-DD or a day number, not \"" + s + "\""};
  }
  return date::make(m, d, y);
}

// "#RRGGBB" as the runtime's colour value, 0x00BBGGRR.
double colour_of(const Json& v) {
  std::string s = v.is(Type::String) ? v.text : "";
  unsigned rgb = 0;
  char rest = 0;
  if (s.size() != 7 || s[0] != '#' || std::sscanf(s.c_str() + 1, "%6x%c", &rgb, &rest) != 1) {
    throw Bad{"a colour must be \"#RRGGBB\", not \"" + s + "\""};
  }
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

Cell cell_of(const Json& v) {
  switch (v.type) {
    case Type::Null:
      return Cell{};
    case Type::Number:
      return Cell::of_number(number_of(v));
    case Type::String:
      return Cell::of_text(v.text);
    case Type::Object:
      if (const Json* d = v.member("date")) return Cell::of_date(day_of(*d));
      if (const Json* c = v.member("colour")) return Cell::of_number(colour_of(*c));
      break;
    default:
      break;
  }
  throw Bad{"a value must be a string, a number, null, {\"date\": ...} or {\"colour\": ...}"};
}

lists::ListColumn column_of(const Json& v) {
  if (!v.is(Type::Object)) throw Bad{"a column must be an object"};
  lists::ListColumn c;
  if (const Json* t = v.member("title")) c.title = text_of(*t, "a column's title");
  if (const Json* w = v.member("width")) c.width = whole_of(*w, "a column's width");
  if (const Json* p = v.member("picture")) c.picture = text_of(*p, "a column's picture");
  if (const Json* f = v.member("field")) c.field = whole_of(*f, "a column's field");
  if (const Json* k = v.member("colours")) c.colours = k->is(Type::Bool) && k->text == "true";
  return c;
}

const std::vector<Json>& array_of(const Json* v, std::string_view what) {
  static const std::vector<Json> kNone;
  if (!v) return kNone;
  if (!v->is(Type::Array)) throw Bad{std::string(what) + " must be an array"};
  return v->items;
}

void read_list(const Json& doc, lists::ListObject& list) {
  if (!doc.is(Type::Object)) throw Bad{"a list must be a JSON object"};
  if (const Json* c = doc.member("caption")) list.caption = text_of(*c, "the caption");
  for (const Json& c : array_of(doc.member("columns"), "\"columns\"")) {
    list.columns.push_back(column_of(c));
  }
  for (const Json& r : array_of(doc.member("rows"), "\"rows\"")) {
    lists::Row row;
    for (const Json& v : array_of(&r, "a row")) row.push_back(cell_of(v));
    list.rows.push_back(std::move(row));
  }
  const Json* view = doc.member("view");
  if (!view) return;
  list.view.emplace();
  for (const Json& n : array_of(view, "\"view\"")) {
    int32_t at = whole_of(n, "a view's row");
    if (at < 1 || static_cast<std::size_t>(at) > list.rows.size()) {
      throw Bad{"the view names row " + std::to_string(at) + ", which the list does not have"};
    }
    list.view->push_back(static_cast<std::size_t>(at - 1));
  }
}

lists::Row* row_at(ORVRUN_LIST* list, int32_t row, int32_t field) {
  if (!list || row < 1 || static_cast<std::size_t>(row) > list->list.rows.size() || field < 1 ||
      field > 4096) {
    return nullptr;
  }
  lists::Row& r = list->list.rows[static_cast<std::size_t>(row) - 1];
  if (r.size() < static_cast<std::size_t>(field)) r.resize(static_cast<std::size_t>(field));
  return &r;
}

uint8_t set_field(ORVRUN_LIST* list, int32_t row, int32_t field, Cell cell) {
  lists::Row* r = row_at(list, row, field);
  if (!r) return 0;
  (*r)[static_cast<std::size_t>(field) - 1] = std::move(cell);
  return 1;
}

}  // namespace

std::unique_ptr<ORVRUN_LIST> list_from_json(std::string_view text, std::string& error) {
  auto doc = text::parse_json(text, error);
  if (!doc) return nullptr;
  auto out = std::make_unique<ORVRUN_LIST>();
  try {
    read_list(*doc, out->list);
  } catch (const Bad& b) {
    error = b.why;
    return nullptr;
  }
  return out;
}

}  // namespace orv::exports

extern "C" {

ORVRUN_LIST* ORVRUN_LIST_NEW(const char* caption) noexcept {
  return guard(__func__, static_cast<ORVRUN_LIST*>(nullptr), [&] {
    auto l = std::make_unique<ORVRUN_LIST>();
    l->list.caption = in(caption);
    return l.release();
  });
}

void ORVRUN_LIST_FREE(ORVRUN_LIST* list) noexcept {
  delete list;
}

int32_t ORVRUN_LIST_COLUMN(ORVRUN_LIST* list, const char* title, int32_t width, const char* picture,
                           int32_t field, uint8_t colours) noexcept {
  return guard(__func__, int32_t{0}, [&] {
    if (!list) return int32_t{0};
    list->list.columns.push_back(
        {std::string(in(title)), width, std::string(in(picture)), field, colours != 0});
    return static_cast<int32_t>(list->list.columns.size());
  });
}

int32_t ORVRUN_LIST_ROW(ORVRUN_LIST* list) noexcept {
  return guard(__func__, int32_t{0}, [&] {
    if (!list) return int32_t{0};
    list->list.rows.emplace_back();
    return static_cast<int32_t>(list->list.rows.size());
  });
}

uint8_t ORVRUN_LIST_TEXT(ORVRUN_LIST* list, int32_t row, int32_t field, const char* text) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return orv::exports::set_field(list, row, field, Cell::of_text(std::string(in(text))));
  });
}

uint8_t ORVRUN_LIST_NUMBER(ORVRUN_LIST* list, int32_t row, int32_t field, double value) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::exports::set_field(list, row, field, Cell::of_number(value)); });
}

uint8_t ORVRUN_LIST_DATE(ORVRUN_LIST* list, int32_t row, int32_t field, int32_t day) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return orv::exports::set_field(list, row, field, Cell::of_date(day)); });
}

uint8_t ORVRUN_LIST_VIEW(ORVRUN_LIST* list, const int32_t* rows, int32_t count) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    if (!list || count < 0 || (count > 0 && !rows)) return uint8_t{0};
    std::vector<std::size_t> view;
    for (int32_t i = 0; i < count; ++i) {
      if (rows[i] < 1 || static_cast<std::size_t>(rows[i]) > list->list.rows.size())
        return uint8_t{0};
      view.push_back(static_cast<std::size_t>(rows[i]) - 1);
    }
    list->list.view = count ? std::optional(std::move(view)) : std::nullopt;
    return uint8_t{1};
  });
}

ORVRUN_LIST* ORVRUN_LIST_FROM_JSON(const char* json, char** error) noexcept {
  return guard(__func__, static_cast<ORVRUN_LIST*>(nullptr), [&]() -> ORVRUN_LIST* {
    std::string why;
    auto list = orv::exports::list_from_json(in(json), why);
    orv::exports::succeeded(list != nullptr, why, error);
    return list.release();
  });
}

}  // extern "C"
