// The main, 2, 3 and CRM channels, the scalar channel and the connection test.
#include "frame/sql_channels.hpp"

#include "frame/bound_channel.hpp"
#include "frame/marked_channel.hpp"
#include "frame/messages.hpp"
#include "platform/date/date.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::frame {
namespace {

// The records as the data-dictionary library declares them: the main channel's text columns
// hold 1,000 characters; the scalar results of VAXFSQL (and of channels 2 and 3, which give
// "text as FUNCSQL") 9,999; the connection test's 999.
constexpr sql::RecordLayout kRows{1000, 1000};
constexpr sql::RecordLayout kScalarRows{9999, 1000};
constexpr sql::RecordLayout kTestRow{999, 999};

BoundChannel& scalar_channel() {
  static BoundChannel channel("VAXFSQL", kScalarRows, /*quiet_keeps_binding=*/true);
  return channel;
}

// Close, clear, reopen, send: how every non-bound channel starts a statement.
int restart_and_send(sql::ScratchTable& table, std::string_view statement) {
  stamp_table_open_time();
  table.close();
  table.clear();
  table.open();
  return table.send(statement);
}

void execute(sql::ScratchTable& table, std::string_view statement) {
  if (restart_and_send(table, statement) == sql::kOk) return;
  if (busy_with_other_results(table.message())) {
    table.clear();
    table.close();
  }
}

// Shows the failure unless the caller asked for silence or the connection was only busy.
void report(sql::ScratchTable& table, uint8_t quiet) {
  if (quiet == 1 || busy_with_other_results(table.message())) return;
  ERRORWIN(table.sql_text(), table.message());
}

uint8_t open_result(sql::ScratchTable& table, std::string_view statement, uint8_t quiet) {
  if (restart_and_send(table, statement) == sql::kOk) return 0;
  report(table, quiet);
  return 5;
}

std::string scalar(sql::ScratchTable& table, std::string_view statement, uint8_t quiet) {
  std::string result;
  if (restart_and_send(table, statement) != sql::kOk) {
    report(table, quiet);
  } else if (table.next()) {
    result = table.field(1);
  }
  table.close();
  return result;
}

}  // namespace

sql::ScratchTable& VAX() {
  static sql::ScratchTable table("VAX", kRows);
  return table;
}
sql::ScratchTable& VAX2() {
  static sql::ScratchTable table("VAX2", kScalarRows);
  return table;
}
sql::ScratchTable& VAX3() {
  static sql::ScratchTable table("VAX3", kScalarRows);
  return table;
}
sql::ScratchTable& VAXCRM() {
  static sql::ScratchTable table("VAXCRM", kRows);
  return table;
}
sql::ScratchTable& VAX1() {
  static sql::ScratchTable table("VAX1", kRows);
  return table;
}
sql::ScratchTable& VAXFSQL() {
  return scalar_channel().table();
}
// The connection test keeps nothing open, its connection included.
sql::ScratchTable& TEST_POLACZENIA() {
  static sql::ScratchTable table("TEST_POLACZENIA", kTestRow, /*keep_connection=*/false);
  return table;
}

sql::ScratchTable* scratch_table(std::string_view name) {
  static constexpr std::pair<const char*, sql::ScratchTable& (*)()> kTables[] = {
      {"VAX", VAX},       {"VAX1", VAX1},
      {"VAX2", VAX2},     {"VAX3", VAX3},
      {"VAXCRM", VAXCRM}, {"VAXFSQL", VAXFSQL},
      {"VAXZAZ", VAXZAZ}, {"TEST_POLACZENIA", TEST_POLACZENIA}};
  for (const auto& [table_name, table] : kTables) {
    if (text::equal_ci(name, table_name)) return &table();
  }
  return nullptr;
}

void EXECSQL(std::string_view statement) {
  dict::glo().VAXOPENED = 0;
  execute(VAX(), statement);
}
uint8_t ESQL(std::string_view statement, uint8_t quiet) {
  return open_result(VAX(), statement, quiet);
}
void CLOSESQL() {
  VAX().close();
  dict::glo().VAXOPENED = 0;
}

std::string FUNCSQL(std::string_view statement, uint8_t quiet) {
  return scalar_channel().run(statement, quiet == 1, /*fetch=*/true);
}

void EXECSQL2(std::string_view statement) {
  execute(VAX2(), statement);
}
uint8_t ESQL2(std::string_view statement, uint8_t quiet) {
  return open_result(VAX2(), statement, quiet);
}
std::string FUNCSQL2(std::string_view statement, uint8_t quiet) {
  return scalar(VAX2(), statement, quiet);
}
void CLOSESQL2() {
  VAX2().close();
}

void EXECSQL3(std::string_view statement) {
  execute(VAX3(), statement);
}
uint8_t ESQL3(std::string_view statement, uint8_t quiet) {
  return open_result(VAX3(), statement, quiet);
}
std::string FUNCSQL3(std::string_view statement, uint8_t quiet) {
  return scalar(VAX3(), statement, quiet);
}
void CLOSESQL3() {
  VAX3().close();
}

void EXECSQLCRM(std::string_view statement) {
  execute(VAXCRM(), statement);
}
void CLOSESQLCRM() {
  VAXCRM().close();
}

std::string FUNCTESTSQL(std::string_view statement, uint8_t quiet) {
  // Within ten minutes of the last statement (and on the same day, where the difference is
  // positive) the server is known to answer.
  int32_t since = date::clock() - table_open_time();
  if (since > 0 && since < 59999) return {};
  sql::ScratchTable& table = TEST_POLACZENIA();
  table.close();
  table.clear();
  table.open();
  std::string result;
  if (table.send(statement) != sql::kOk) {
    report(table, quiet);
  } else if (table.next()) {
    result = table.field(1);
  }
  table.close();
  stamp_table_open_time();
  return result;
}

void reset_channels() {
  sql::reset_scratch_tables();
  scalar_channel().reset();
  marked_channel().reset();
  dict::glo().VAXOPENED = 0;
}

int32_t scalar_bound_thread() {
  return scalar_channel().bound();
}
std::size_t scalar_opens() {
  return scalar_channel().tables().opens();
}
std::size_t scalar_connects() {
  return scalar_channel().tables().connects();
}

}  // namespace orv::frame
