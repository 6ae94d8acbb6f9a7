// C entry points of the module frame: lifecycle, messages, SQL channels, the host's access to
// scratch tables, the execution log, and the progress and script windows.
#include "boundary.hpp"
#include "frame/exec_log.hpp"
#include "frame/lifecycle.hpp"
#include "frame/messages.hpp"
#include "frame/progress_window.hpp"
#include "frame/script_window.hpp"
#include "frame/sql_channels.hpp"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;

namespace {

uint8_t quiet_of(const uint8_t* quiet) {
  return quiet ? *quiet : 0;
}

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

}  // namespace

extern "C" {

void ORVRUN_INIT(void* error_handler, void* ini_handler) noexcept {
  guard(__func__, [&] {
    orv::frame::ORVRUN_INIT(static_cast<orv::frame::ErrorHandler*>(error_handler),
                            static_cast<orv::ini::IniFile*>(ini_handler));
  });
}
void ORVRUN_KILL(void) noexcept {
  guard(__func__, [] { orv::frame::ORVRUN_KILL(); });
}

uint8_t MSG_PYTANIE(const char* text, const char* title) noexcept {
  return guard(__func__, uint8_t{4}, [&] {
    return orv::frame::MSG_PYTANIE(in(text), title ? std::optional(in(title)) : std::nullopt);
  });
}
void MSG_INFORMACJA(const char* text) noexcept {
  guard(__func__, [&] { orv::frame::MSG_INFORMACJA(in(text)); });
}
void MSG_OSTRZEZENIE(const char* text) noexcept {
  guard(__func__, [&] { orv::frame::MSG_OSTRZEZENIE(in(text)); });
}
void WALIDACJA(const char* text) noexcept {
  guard(__func__, [&] { orv::frame::WALIDACJA(in(text)); });
}
void ERRORWIN(const char* statement, const char* message) noexcept {
  guard(__func__, [&] { orv::frame::ERRORWIN(in(statement), in(message)); });
}

void EXECSQL(const char* statement) noexcept {
  guard(__func__, [&] { orv::frame::EXECSQL(in(statement)); });
}
uint8_t ESQL(const char* statement, const uint8_t* quiet) noexcept {
  return guard(__func__, uint8_t{5},
               [&] { return orv::frame::ESQL(in(statement), quiet_of(quiet)); });
}
char* FUNCSQL(const char* statement, const uint8_t* quiet) noexcept {
  return guard_text(__func__, [&] { return orv::frame::FUNCSQL(in(statement), quiet_of(quiet)); });
}
void CLOSESQL(void) noexcept {
  guard(__func__, [] { orv::frame::CLOSESQL(); });
}

void EXECSQL2(const char* statement) noexcept {
  guard(__func__, [&] { orv::frame::EXECSQL2(in(statement)); });
}
uint8_t ESQL2(const char* statement, const uint8_t* quiet) noexcept {
  return guard(__func__, uint8_t{5},
               [&] { return orv::frame::ESQL2(in(statement), quiet_of(quiet)); });
}
char* FUNCSQL2(const char* statement, const uint8_t* quiet) noexcept {
  return guard_text(__func__, [&] { return orv::frame::FUNCSQL2(in(statement), quiet_of(quiet)); });
}
void CLOSESQL2(void) noexcept {
  guard(__func__, [] { orv::frame::CLOSESQL2(); });
}

void EXECSQL3(const char* statement) noexcept {
  guard(__func__, [&] { orv::frame::EXECSQL3(in(statement)); });
}
uint8_t ESQL3(const char* statement, const uint8_t* quiet) noexcept {
  return guard(__func__, uint8_t{5},
               [&] { return orv::frame::ESQL3(in(statement), quiet_of(quiet)); });
}
char* FUNCSQL3(const char* statement, const uint8_t* quiet) noexcept {
  return guard_text(__func__, [&] { return orv::frame::FUNCSQL3(in(statement), quiet_of(quiet)); });
}
void CLOSESQL3(void) noexcept {
  guard(__func__, [] { orv::frame::CLOSESQL3(); });
}

void EXECSQLCRM(const char* statement) noexcept {
  guard(__func__, [&] { orv::frame::EXECSQLCRM(in(statement)); });
}
void CLOSESQLCRM(void) noexcept {
  guard(__func__, [] { orv::frame::CLOSESQLCRM(); });
}

char* FUNCTESTSQL(const char* statement, const uint8_t* quiet) noexcept {
  return guard_text(__func__,
                    [&] { return orv::frame::FUNCTESTSQL(in(statement), quiet_of(quiet)); });
}

uint8_t ORVRUN_SCRATCH_NEXT(const char* table) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto* t = orv::frame::scratch_table(in(table));
    return uint8_t(t && t->next() ? 1 : 0);
  });
}
char* ORVRUN_SCRATCH_FIELD(const char* table, int32_t k) noexcept {
  return guard_text(__func__, [&] {
    auto* t = orv::frame::scratch_table(in(table));
    return t && k > 0 ? t->field(static_cast<std::size_t>(k)) : std::string();
  });
}
int32_t ORVRUN_SCRATCH_ERRORCODE(const char* table) noexcept {
  return guard(__func__, int32_t{-1}, [&] {
    auto* t = orv::frame::scratch_table(in(table));
    return t ? t->error() : -1;
  });
}
char* ORVRUN_SCRATCH_ERROR(const char* table) noexcept {
  return guard_text(__func__, [&] {
    auto* t = orv::frame::scratch_table(in(table));
    return t ? t->message() : std::string();
  });
}

void ZAPISZDOLOGU(double object_id, const char* kind, uint8_t event,
                  const char* description) noexcept {
  guard(__func__, [&] { orv::frame::ZAPISZDOLOGU(object_id, in(kind), event, in(description)); });
}
void ADDWATCH(const char* procedure) noexcept {
  guard(__func__, [&] { orv::frame::ADDWATCH(in(procedure)); });
}

uint8_t EXECSQLWIN(const char* statement, const char* message, const char* comment,
                   const char* query, const char* operation, const uint8_t* keep_open,
                   const uint8_t* close_main, const int32_t* width) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto o = exec_options(message, comment, query, operation, keep_open, close_main, width);
    return orv::frame::EXECSQLWIN(in(statement), o);
  });
}
uint8_t EXECSQLWINASK(const char* statement, const char* message, const char* comment,
                      const char* query, const char* operation, const uint8_t* keep_open,
                      const uint8_t* close_main, const int32_t* width) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto o = exec_options(message, comment, query, operation, keep_open, close_main, width);
    return orv::frame::EXECSQLWINASK(in(statement), o);
  });
}
void POKAZSQLWIN(const char* script, const char* title) noexcept {
  guard(__func__, [&] { orv::frame::POKAZSQLWIN(in(script), in(title)); });
}

}  // extern "C"

ORV_EXPORT(ORVRUN_INIT, "initialise the module once with the host's handlers", "error_handler",
           "ini_handler");
ORV_EXPORT(ORVRUN_KILL, "shut the module down once");
ORV_EXPORT(MSG_PYTANIE, "ask Yes/No: 2 Yes, 4 No", "text", "title?");
ORV_EXPORT(MSG_INFORMACJA, "show an information box", "text");
ORV_EXPORT(MSG_OSTRZEZENIE, "show a warning box", "text");
ORV_EXPORT(WALIDACJA, "show a validation warning", "text");
ORV_EXPORT(ERRORWIN, "show the SQL error window", "statement", "message");
ORV_EXPORT(EXECSQL, "send a statement on the main channel; errors stay readable", "statement");
ORV_EXPORT(ESQL, "open a result set on the main channel: 0 sent, 5 failed", "statement", "quiet?");
ORV_EXPORT(FUNCSQL, "first column of the first row, scalar channel", "statement", "quiet?");
ORV_EXPORT(CLOSESQL, "close the main channel");
ORV_EXPORT(EXECSQL2, "send a statement on channel 2", "statement");
ORV_EXPORT(ESQL2, "open a result set on channel 2: 0 sent, 5 failed", "statement", "quiet?");
ORV_EXPORT(FUNCSQL2, "first column of the first row, channel 2", "statement", "quiet?");
ORV_EXPORT(CLOSESQL2, "close channel 2");
ORV_EXPORT(EXECSQL3, "send a statement on channel 3", "statement");
ORV_EXPORT(ESQL3, "open a result set on channel 3: 0 sent, 5 failed", "statement", "quiet?");
ORV_EXPORT(FUNCSQL3, "first column of the first row, channel 3", "statement", "quiet?");
ORV_EXPORT(CLOSESQL3, "close channel 3");
ORV_EXPORT(EXECSQLCRM, "send a statement on the CRM channel", "statement");
ORV_EXPORT(CLOSESQLCRM, "close the CRM channel");
ORV_EXPORT(FUNCTESTSQL, "test the connection unless used in the last ten minutes", "statement",
           "quiet?");
ORV_EXPORT(ORVRUN_SCRATCH_NEXT, "load the next row of a scratch table: 1 row, 0 end", "table");
ORV_EXPORT(ORVRUN_SCRATCH_FIELD, "field k (1-based) of a scratch table's row", "table", "k");
ORV_EXPORT(ORVRUN_SCRATCH_ERRORCODE, "last error code of a scratch table", "table");
ORV_EXPORT(ORVRUN_SCRATCH_ERROR, "last driver message of a scratch table", "table");
ORV_EXPORT(ZAPISZDOLOGU, "write an event to the server's log", "object_id", "kind", "event",
           "description");
ORV_EXPORT(ADDWATCH, "register a procedure for watching", "procedure");
ORV_EXPORT(EXECSQLWIN, "run a statement (or one per driver-query row) in the progress window",
           "statement", "message?", "comment?", "query?", "operation?", "keep_open?", "close_main?",
           "width?");
ORV_EXPORT(EXECSQLWINASK, "as EXECSQLWIN, asking after each failure whether to go on", "statement",
           "message?", "comment?", "query?", "operation?", "keep_open?", "close_main?", "width?");
ORV_EXPORT(POKAZSQLWIN, "show an SQL script; run its go-separated batches", "script", "title?");
