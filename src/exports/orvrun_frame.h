/* Exported procedures of the frame subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_FRAME_H
#define ORVRUN_FRAME_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Lifecycle. The handlers are the host's C++ objects (orv::frame::ErrorHandler,
 * orv::ini::IniFile); null keeps the module's own. */
/* initialise the module once with the host's handlers */
ORVRUN_API void ORVRUN_INIT(void* error_handler, void* ini_handler) ORVRUN_NOEXCEPT;
/* shut the module down once */
ORVRUN_API void ORVRUN_KILL(void) ORVRUN_NOEXCEPT;

/* Messages. */
/* ask Yes/No: 2 Yes, 4 No */
ORVRUN_API uint8_t MSG_PYTANIE(const char* text, const char* title /* optional */) ORVRUN_NOEXCEPT;
/* show an information box */
ORVRUN_API void MSG_INFORMACJA(const char* text) ORVRUN_NOEXCEPT;
/* show a warning box */
ORVRUN_API void MSG_OSTRZEZENIE(const char* text) ORVRUN_NOEXCEPT;
/* show a validation warning */
ORVRUN_API void WALIDACJA(const char* text) ORVRUN_NOEXCEPT;
/* show the SQL error window */
ORVRUN_API void ERRORWIN(const char* statement, const char* message) ORVRUN_NOEXCEPT;

/* SQL channels. The statement is Windows-1250; quiet is optional (null = 0, only 1 is quiet).
 * Rows of a result set are read with ORVRUN_SCRATCH_NEXT / ORVRUN_SCRATCH_FIELD on the
 * channel's scratch table ("VAX", "VAX2", "VAX3", "VAXCRM", "VAX1", "VAXFSQL", "VAXZAZ",
 * "TEST_POLACZENIA"; VAXFSQL and VAXZAZ are the calling thread's). */
/* send a statement on the main channel; errors stay readable */
ORVRUN_API void EXECSQL(const char* statement /* SQL */) ORVRUN_NOEXCEPT;
/* open a result set on the main channel: 0 sent, 5 failed */
ORVRUN_API uint8_t ESQL(const char* statement /* SQL */,
                        const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* first column of the first row, scalar channel */
ORVRUN_API char* FUNCSQL(const char* statement /* SQL */,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* close the main channel */
ORVRUN_API void CLOSESQL(void) ORVRUN_NOEXCEPT;
/* send a statement on channel 2 */
ORVRUN_API void EXECSQL2(const char* statement /* SQL */) ORVRUN_NOEXCEPT;
/* open a result set on channel 2: 0 sent, 5 failed */
ORVRUN_API uint8_t ESQL2(const char* statement /* SQL */,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* first column of the first row, channel 2 */
ORVRUN_API char* FUNCSQL2(const char* statement /* SQL */,
                          const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* close channel 2 */
ORVRUN_API void CLOSESQL2(void) ORVRUN_NOEXCEPT;
/* send a statement on channel 3 */
ORVRUN_API void EXECSQL3(const char* statement /* SQL */) ORVRUN_NOEXCEPT;
/* open a result set on channel 3: 0 sent, 5 failed */
ORVRUN_API uint8_t ESQL3(const char* statement /* SQL */,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* first column of the first row, channel 3 */
ORVRUN_API char* FUNCSQL3(const char* statement /* SQL */,
                          const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* close channel 3 */
ORVRUN_API void CLOSESQL3(void) ORVRUN_NOEXCEPT;
/* send a statement on the CRM channel */
ORVRUN_API void EXECSQLCRM(const char* statement /* SQL */) ORVRUN_NOEXCEPT;
/* close the CRM channel */
ORVRUN_API void CLOSESQLCRM(void) ORVRUN_NOEXCEPT;
/* test the connection unless used in the last ten minutes */
ORVRUN_API char* FUNCTESTSQL(const char* statement /* SQL */,
                             const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* The host's access to a scratch table: NEXT gives 1 and loads the next row, 0 at the end;
 * FIELD gives field k (1-based) of the loaded row; ERRORCODE and ERROR the last operation's
 * error code (0 = none) and the driver's message. An unknown table reads as empty, code -1. */
/* load the next row of a scratch table: 1 row, 0 end */
ORVRUN_API uint8_t ORVRUN_SCRATCH_NEXT(const char* table) ORVRUN_NOEXCEPT;
/* field k (1-based) of a scratch table's row */
ORVRUN_API char* ORVRUN_SCRATCH_FIELD(const char* table, int32_t k) ORVRUN_NOEXCEPT;
/* last error code of a scratch table */
ORVRUN_API int32_t ORVRUN_SCRATCH_ERRORCODE(const char* table) ORVRUN_NOEXCEPT;
/* last driver message of a scratch table */
ORVRUN_API char* ORVRUN_SCRATCH_ERROR(const char* table) ORVRUN_NOEXCEPT;

/* Execution log and watches. */
/* write an event to the server's log */
ORVRUN_API void ZAPISZDOLOGU(double object_id, const char* kind, uint8_t event,
                             const char* description) ORVRUN_NOEXCEPT;
/* register a procedure for watching */
ORVRUN_API void ADDWATCH(const char* procedure) ORVRUN_NOEXCEPT;

/* Progress-window execution and the SQL script window. Every parameter
 * after the statement is optional (null = left out). */
/* run a statement (or one per driver-query row) in the progress window */
ORVRUN_API uint8_t EXECSQLWIN(const char* statement /* SQL */, const char* message /* optional */,
                              const char* comment /* optional */,
                              const char* query /* SQL */ /* optional */,
                              const char* operation /* optional */,
                              const uint8_t* keep_open /* optional */,
                              const uint8_t* close_main /* optional */,
                              const int32_t* width /* optional */) ORVRUN_NOEXCEPT;
/* as EXECSQLWIN, asking after each failure whether to go on */
ORVRUN_API uint8_t EXECSQLWINASK(
    const char* statement /* SQL */, const char* message /* optional */,
    const char* comment /* optional */, const char* query /* SQL */ /* optional */,
    const char* operation /* optional */, const uint8_t* keep_open /* optional */,
    const uint8_t* close_main /* optional */, const int32_t* width /* optional */) ORVRUN_NOEXCEPT;
/* show an SQL script; run its go-separated batches */
ORVRUN_API void POKAZSQLWIN(const char* script /* SQL */,
                            const char* title /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
