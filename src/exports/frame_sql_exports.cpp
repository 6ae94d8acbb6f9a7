// C entry points of the SQL channels, the host's scratch-table access, and the execution log.
#include "frame/exec_log.hpp"
#include "frame/sql_channels.hpp"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::in;

namespace {

uint8_t quiet_of(const uint8_t* quiet) {
  return quiet ? *quiet : 0;
}

}  // namespace

extern "C" {

void EXECSQL(const char* statement) {
  orv::frame::EXECSQL(in(statement));
}
uint8_t ESQL(const char* statement, const uint8_t* quiet) {
  return orv::frame::ESQL(in(statement), quiet_of(quiet));
}
char* FUNCSQL(const char* statement, const uint8_t* quiet) {
  return give_text(orv::frame::FUNCSQL(in(statement), quiet_of(quiet)));
}
void CLOSESQL(void) {
  orv::frame::CLOSESQL();
}

void EXECSQL2(const char* statement) {
  orv::frame::EXECSQL2(in(statement));
}
uint8_t ESQL2(const char* statement, const uint8_t* quiet) {
  return orv::frame::ESQL2(in(statement), quiet_of(quiet));
}
char* FUNCSQL2(const char* statement, const uint8_t* quiet) {
  return give_text(orv::frame::FUNCSQL2(in(statement), quiet_of(quiet)));
}
void CLOSESQL2(void) {
  orv::frame::CLOSESQL2();
}

void EXECSQL3(const char* statement) {
  orv::frame::EXECSQL3(in(statement));
}
uint8_t ESQL3(const char* statement, const uint8_t* quiet) {
  return orv::frame::ESQL3(in(statement), quiet_of(quiet));
}
char* FUNCSQL3(const char* statement, const uint8_t* quiet) {
  return give_text(orv::frame::FUNCSQL3(in(statement), quiet_of(quiet)));
}
void CLOSESQL3(void) {
  orv::frame::CLOSESQL3();
}

void EXECSQLCRM(const char* statement) {
  orv::frame::EXECSQLCRM(in(statement));
}
void CLOSESQLCRM(void) {
  orv::frame::CLOSESQLCRM();
}

char* FUNCTESTSQL(const char* statement, const uint8_t* quiet) {
  return give_text(orv::frame::FUNCTESTSQL(in(statement), quiet_of(quiet)));
}

uint8_t ORVRUN_SCRATCH_NEXT(const char* table) {
  auto* t = orv::frame::scratch_table(in(table));
  return t && t->next() ? 1 : 0;
}
char* ORVRUN_SCRATCH_FIELD(const char* table, int32_t k) {
  auto* t = orv::frame::scratch_table(in(table));
  return give_text(t && k > 0 ? t->field(static_cast<std::size_t>(k)) : std::string());
}
int32_t ORVRUN_SCRATCH_ERRORCODE(const char* table) {
  auto* t = orv::frame::scratch_table(in(table));
  return t ? t->error() : -1;
}
char* ORVRUN_SCRATCH_ERROR(const char* table) {
  auto* t = orv::frame::scratch_table(in(table));
  return give_text(t ? t->message() : std::string());
}

void ZAPISZDOLOGU(double object_id, const char* kind, uint8_t event, const char* description) {
  orv::frame::ZAPISZDOLOGU(object_id, in(kind), event, in(description));
}
void ADDWATCH(const char* procedure) {
  orv::frame::ADDWATCH(in(procedure));
}

}  // extern "C"

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
