// The SQL pass-through channels: statements sent through scratch tables, rows read back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sql/scratch_table.hpp"

namespace orv::frame {

// How callers read rows. A result-set operation (ESQL, ESQL2, ESQL3, or the EXEC forms) leaves
// the rows pending on the channel's scratch table; the caller reads them with NEXT on that table
// and takes column k of each row from field k, then closes the channel:
//
//   if (ESQL(statement) == 0) {
//     while (VAX().next()) use(VAX().field(1), VAX().field(2));
//   }
//   CLOSESQL();
//
// After EXECSQL the table's error() and message() tell whether the statement failed. The scalar
// operations return field 1 of the first row themselves. Texts are Windows-1250.
//
// Every scratch table of the channels. The main, 2, 3, CRM, photo-viewer and connection-test
// tables are module-wide (shared by every thread); VAXFSQL and VAXZAZ give each thread its own
// instance, and these accessors return the calling thread's.
sql::ScratchTable& VAX();
sql::ScratchTable& VAX2();
sql::ScratchTable& VAX3();
sql::ScratchTable& VAXCRM();
sql::ScratchTable& VAX1();
sql::ScratchTable& VAXFSQL();
sql::ScratchTable& TEST_POLACZENIA();
// A channel's scratch table by name (case-insensitive, VAXZAZ included); nullptr when unknown.
sql::ScratchTable* scratch_table(std::string_view name);

// Main channel. EXECSQL reports nothing (the caller may test VAX().error()); ESQL returns 0 when
// the statement was taken and 5 when it failed, showing the error window unless quiet is 1 or
// the driver's message mentions "HSTM".
void EXECSQL(std::string_view statement);
uint8_t ESQL(std::string_view statement, uint8_t quiet = 0);
void CLOSESQL();

// Scalar channel: field 1 of the first row (at most 9,999 characters), empty on failure or when
// there is no row. Retries and reopens as its algorithm says; quiet gives up at once.
std::string FUNCSQL(std::string_view statement, uint8_t quiet = 0);

// Channels 2 and 3: as the main channel; their scalar query opens, sends, reads and closes the
// table, without retries.
void EXECSQL2(std::string_view statement);
uint8_t ESQL2(std::string_view statement, uint8_t quiet = 0);
std::string FUNCSQL2(std::string_view statement, uint8_t quiet = 0);
void CLOSESQL2();
void EXECSQL3(std::string_view statement);
uint8_t ESQL3(std::string_view statement, uint8_t quiet = 0);
std::string FUNCSQL3(std::string_view statement, uint8_t quiet = 0);
void CLOSESQL3();

// CRM channel: execute and close only.
void EXECSQLCRM(std::string_view statement);
void CLOSESQLCRM();

// Connection test: sends nothing when any channel sent a statement less than ten minutes ago
// (same day); otherwise field 1 of the first row (at most 999 characters), or empty.
std::string FUNCTESTSQL(std::string_view statement, uint8_t quiet = 0);

// Every channel closed, every connection dropped, the scalar and marked-record channels unbound.
// A host calls it before replacing or destroying the current driver.
void reset_channels();

// The scalar channel's bound thread (0 = none), for tests and diagnostics.
int32_t scalar_bound_thread();
// Opens and connections of the scalar channel over all threads since the last reset.
std::size_t scalar_opens();
std::size_t scalar_connects();

}  // namespace orv::frame
