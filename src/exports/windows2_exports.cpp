// C entry points of the progress and script windows, the calendar and the date-range prompts.
#include <cstring>

#include "dialogs/calendar.hpp"
#include "dialogs/date_range.hpp"
#include "frame/progress_window.hpp"
#include "frame/script_window.hpp"
#include "table.hpp"
#include "ui_guard.hpp"

using orv::exports::in;
using orv::exports::ui_guard;

namespace {

orv::frame::ExecOptions exec_options(const char* message, const char* comment, const char* query,
                                     const char* operation, const uint8_t* keep_open,
                                     const uint8_t* close_main, const int32_t* width) {
  orv::frame::ExecOptions o;
  o.message = in(message);
  o.comment = in(comment);
  o.query = in(query);
  o.operation = in(operation);
  o.keep_open = keep_open ? *keep_open : 0;
  o.close_main = close_main ? *close_main : 0;
  o.width = width ? *width : 0;
  return o;
}

// The caller's text in its buffer: up to the NUL, never past the buffer's end.
std::string read_text(const ORVRUN_TEXT* ref) {
  if (!ref || !ref->data || ref->size == 0) return {};
  return std::string(ref->data, strnlen(ref->data, ref->size));
}

}  // namespace

extern "C" {

uint8_t EXECSQLWIN(const char* statement, const char* message, const char* comment,
                   const char* query, const char* operation, const uint8_t* keep_open,
                   const uint8_t* close_main, const int32_t* width) {
  auto o = exec_options(message, comment, query, operation, keep_open, close_main, width);
  return ui_guard([&] { return orv::frame::EXECSQLWIN(in(statement), o); }, uint8_t{0});
}

uint8_t EXECSQLWINASK(const char* statement, const char* message, const char* comment,
                      const char* query, const char* operation, const uint8_t* keep_open,
                      const uint8_t* close_main, const int32_t* width) {
  auto o = exec_options(message, comment, query, operation, keep_open, close_main, width);
  return ui_guard([&] { return orv::frame::EXECSQLWINASK(in(statement), o); }, uint8_t{0});
}

void POKAZSQLWIN(const char* script, const char* title) {
  ui_guard([&] { orv::frame::POKAZSQLWIN(in(script), in(title)); });
}

int32_t KALENDARZ(int32_t x, int32_t y, int32_t date) {
  return ui_guard([&] { return orv::dialogs::KALENDARZ(x, y, date); }, date);
}

int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date) {
  return ui_guard([&] { return orv::dialogs::KALENDARZ_OLD(x, y, date); }, date);
}

uint8_t PYTAJOZAKRESDAT(const uint8_t* save_global, int32_t* date_from, int32_t* date_to,
                        ORVRUN_TEXT* range_name) {
  std::string name = read_text(range_name);
  std::optional<uint8_t> save = save_global ? std::optional<uint8_t>(*save_global) : std::nullopt;
  uint8_t r = ui_guard(
      [&] {
        return orv::dialogs::PYTAJOZAKRESDAT(save, date_from, date_to,
                                             range_name ? &name : nullptr);
      },
      uint8_t{0});
  if (r == 1 && range_name) orv::exports::put_text(range_name, name);
  return r;
}

uint8_t PYTAJOZAKRES3DAT(int32_t* date_from, int32_t* date_to, ORVRUN_TEXT* range_name) {
  std::string name = read_text(range_name);
  uint8_t r = ui_guard(
      [&] {
        return orv::dialogs::PYTAJOZAKRES3DAT(date_from, date_to, range_name ? &name : nullptr);
      },
      uint8_t{0});
  if (r != 0 && range_name) orv::exports::put_text(range_name, name);
  return r;
}

}  // extern "C"

ORV_EXPORT(EXECSQLWIN, "run a statement (or one per driver-query row) in the progress window",
           "statement", "message?", "comment?", "query?", "operation?", "keep_open?", "close_main?",
           "width?");
ORV_EXPORT(EXECSQLWINASK, "as EXECSQLWIN, asking after each failure whether to go on", "statement",
           "message?", "comment?", "query?", "operation?", "keep_open?", "close_main?", "width?");
ORV_EXPORT(POKAZSQLWIN, "show an SQL script; run its go-separated batches", "script", "title?");
ORV_EXPORT(KALENDARZ, "pick a date (0 = today's month); cancel returns the date passed", "x", "y",
           "date");
ORV_EXPORT(KALENDARZ_OLD, "the older date picker, weekdays from the server", "x", "y", "date");
ORV_EXPORT(PYTAJOZAKRESDAT, "ask for a date range: 1 confirmed, 0 not", "save_global?",
           "date_from?", "date_to?", "range_name?[21]");
ORV_EXPORT(PYTAJOZAKRES3DAT, "quick range menu: 2 day, 4 month, 5 year, 0 dismissed", "date_from?",
           "date_to?", "range_name?[21]");
