/* Exported procedures of the frame subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_FRAME_H
#define ORVRUN_FRAME_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Lifecycle. The handlers are the host's C++ objects (orv::frame::ErrorHandler,
 * orv::ini::IniFile); null keeps the module's own. */
ORVRUN_API void ORVRUN_INIT(void* error_handler, void* ini_handler) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_KILL(void) ORVRUN_NOEXCEPT;

/* Messages. */
ORVRUN_API uint8_t MSG_PYTANIE(const char* text, const char* title /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void MSG_INFORMACJA(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API void MSG_OSTRZEZENIE(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API void WALIDACJA(const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API void ERRORWIN(const char* statement, const char* message) ORVRUN_NOEXCEPT;

/* SQL channels. The statement is Windows-1250; quiet is optional (null = 0, only 1 is quiet).
 * Rows of a result set are read with ORVRUN_SCRATCH_NEXT / ORVRUN_SCRATCH_FIELD on the
 * channel's scratch table ("VAX", "VAX2", "VAX3", "VAXCRM", "VAX1", "VAXFSQL", "VAXZAZ",
 * "TEST_POLACZENIA"; VAXFSQL and VAXZAZ are the calling thread's). */
ORVRUN_API void EXECSQL(const char* statement) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ESQL(const char* statement, const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* FUNCSQL(const char* statement,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void CLOSESQL(void) ORVRUN_NOEXCEPT;
ORVRUN_API void EXECSQL2(const char* statement) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ESQL2(const char* statement,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* FUNCSQL2(const char* statement,
                          const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void CLOSESQL2(void) ORVRUN_NOEXCEPT;
ORVRUN_API void EXECSQL3(const char* statement) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ESQL3(const char* statement,
                         const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* FUNCSQL3(const char* statement,
                          const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void CLOSESQL3(void) ORVRUN_NOEXCEPT;
ORVRUN_API void EXECSQLCRM(const char* statement) ORVRUN_NOEXCEPT;
ORVRUN_API void CLOSESQLCRM(void) ORVRUN_NOEXCEPT;
ORVRUN_API char* FUNCTESTSQL(const char* statement,
                             const uint8_t* quiet /* optional */) ORVRUN_NOEXCEPT;
/* The host's access to a scratch table: NEXT gives 1 and loads the next row, 0 at the end;
 * FIELD gives field k (1-based) of the loaded row; ERRORCODE and ERROR the last operation's
 * error code (0 = none) and the driver's message. An unknown table reads as empty, code -1. */
ORVRUN_API uint8_t ORVRUN_SCRATCH_NEXT(const char* table) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_SCRATCH_FIELD(const char* table, int32_t k) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_SCRATCH_ERRORCODE(const char* table) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_SCRATCH_ERROR(const char* table) ORVRUN_NOEXCEPT;

/* Execution log and watches. */
ORVRUN_API void ZAPISZDOLOGU(double object_id, const char* kind, uint8_t event,
                             const char* description) ORVRUN_NOEXCEPT;
ORVRUN_API void ADDWATCH(const char* procedure) ORVRUN_NOEXCEPT;

/* Progress-window execution and the SQL script window. Every parameter
 * after the statement is optional (null = left out). */
ORVRUN_API uint8_t EXECSQLWIN(const char* statement, const char* message, const char* comment,
                              const char* query, const char* operation, const uint8_t* keep_open,
                              const uint8_t* close_main, const int32_t* width) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t EXECSQLWINASK(const char* statement, const char* message, const char* comment,
                                 const char* query, const char* operation, const uint8_t* keep_open,
                                 const uint8_t* close_main, const int32_t* width) ORVRUN_NOEXCEPT;
ORVRUN_API void POKAZSQLWIN(const char* script, const char* title /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
