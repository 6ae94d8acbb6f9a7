/* The host interface: what a host does around the procedures (database, context, sign-in, windows).
 */
#ifndef ORVRUN_HOST_H
#define ORVRUN_HOST_H

/*
 * The conventions of orvrun.h hold here too: texts are NUL-terminated Windows-1250 (the UTF-8
 * helpers below say so where they differ), text results are freed with ORVRUN_FREE, nothing is
 * thrown. Calls that can fail return 1 on success and 0 on failure; when `error` is not null it
 * then receives the reason (a text to free with ORVRUN_FREE), and is set to null on success.
 *
 * A host's day:
 *   ORVRUN_HOST_INIT(&callbacks);            or ORVRUN_INIT(NULL, NULL) for the defaults
 *   ORVRUN_OPEN("orvrun.db", 0, &error);     an SQLite file, or (1) an ODBC connection string
 *   ORVRUN_SIGN_IN(&user, NULL, NULL, &error);
 *   ORVRUN_UI_HEADLESS("answer yes", 0, &error);   or TERMINAL, or the host's RENDERER
 *   ... the procedures of orvrun.h, by their C functions or by name through ORVRUN_CALL ...
 *   ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_MESSAGES) ...   what they showed
 *   ORVRUN_SIGN_OUT(&error);                 the preferences written back
 *   ORVRUN_CLOSE(); ORVRUN_KILL();
 *
 * Like the procedures, these calls belong to the host's main thread unless said otherwise; the
 * shared context they read and write is not locked.
 */

#include "orvrun.h"
#include "orvrun_list.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Lifecycle ------------------------------------------------------------------------------ */

/* The host's error handler and INI file as C callbacks. Null members (or a null table) keep
 * the module's own: errors are written to stderr, the INI file is GLO:PATH_INI (or ini_path). */
typedef struct ORVRUN_HOST_CALLBACKS {
  void* user; /* passed back to every callback */
  /* An error the library reports through the error handler (Windows-1250). */
  void (*error)(void* user, const char* procedure, const char* message);
  /* The INI file: read a value (write at most size - 1 bytes and a NUL into value, return 1
   * when found) and write one. Both or neither. */
  uint8_t (*ini_get)(void* user, const char* section, const char* key, char* value, size_t size);
  void (*ini_set)(void* user, const char* section, const char* key, const char* value);
  /* Without INI callbacks: the INI file's path; null keeps GLO:PATH_INI. */
  const char* ini_path;
} ORVRUN_HOST_CALLBACKS;

/* ORVRUN_INIT with C callbacks: the first call of either wins, later calls change nothing. */
ORVRUN_API void ORVRUN_HOST_INIT(const ORVRUN_HOST_CALLBACKS* callbacks) ORVRUN_NOEXCEPT;

/* ---- Database ------------------------------------------------------------------------------- */

/* Opens the database every channel uses, closing the one opened before. Without flags `target`
 * is the path of the library's SQLite database (made by ORVRUN_CREATE): a missing, empty,
 * damaged or non-SQLite file, or one without the library's schema, is refused with the real
 * cause and left untouched; a database the user may only read opens read-only. Flags:
 * ORVRUN_OPEN_ODBC: `target` is an ODBC connection string; ORVRUN_OPEN_FOREIGN: a sound SQLite
 * database without the library's schema is accepted too (for a host's own statements). Paths
 * and connection strings are the system's own bytes, passed unchanged. */
enum { ORVRUN_OPEN_ODBC = 1, ORVRUN_OPEN_FOREIGN = 2 };
ORVRUN_API uint8_t ORVRUN_OPEN(const char* target, uint32_t flags, char** error) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_CLOSE(void) ORVRUN_NOEXCEPT;
/* A new SQLite database with the schema and, with `demo`, the demo company. An existing file is
 * kept unless `force` (which replaces only an SQLite database). */
ORVRUN_API uint8_t ORVRUN_CREATE(const char* path, uint8_t demo, uint8_t force,
                                 char** error) ORVRUN_NOEXCEPT;

/* ---- Shared context ------------------------------------------------------------------------- */

/* Value types of globals, table fields and parameters. */
enum {
  ORVRUN_TYPE_NONE = 0, /* unknown name, or a procedure with no result */
  ORVRUN_TYPE_TEXT = 1,
  ORVRUN_TYPE_LONG = 2,
  ORVRUN_TYPE_BYTE = 3,
  ORVRUN_TYPE_REAL = 4,
  ORVRUN_TYPE_HANDLE = 5, /* an opaque host object (ORVRUN_INIT's); passed as null by name */
  ORVRUN_TYPE_LIST = 6,   /* a list (orvrun_list.h); by name its `text` is the list's JSON */
  /* 7 is the blob kind */
  ORVRUN_TYPE_SHORT = 8,
  ORVRUN_TYPE_BOOL = 9, /* 1 or 0 (also "true", "false" as text) */
  /* By name these three go in and come back as JSON text (ORVRUN_VALUE's text and out): */
  ORVRUN_TYPE_GROUP = 10,  /* a record, as ORVRUN_GROUP_FROM_JSON reads it */
  ORVRUN_TYPE_TEXTS = 11,  /* ten texts: ["a", "", "12"] (fewer are padded with empty texts) */
  ORVRUN_TYPE_WINDOW = 12, /* an open window's handle, a LONG (ORVRUN_LIST_WINDOW_OPEN) */
  ORVRUN_TYPE_BAND = 13    /* a fresh report band; comes back as ORVRUN_BAND_TO_JSON writes */
};

/* Globals by name: "GLO:ID_UZYTKOWNIKA" (the prefix and case do not matter). Numbers read as
 * doubles; GET_TEXT gives any global as text. SET refuses (0) an unknown name or a value the
 * type cannot hold (a LONG that is not whole, a BYTE over 255); texts are cut to capacity.
 * ORVRUN_GLOBAL_NAME(i) lists the names from 0; empty past the end. */
ORVRUN_API int32_t ORVRUN_GLOBAL_TYPE(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API double ORVRUN_GLOBAL_GET(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_GLOBAL_GET_TEXT(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_GLOBAL_SET(const char* name, double value) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_GLOBAL_SET_TEXT(const char* name, const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_GLOBAL_NAME(int32_t index) ORVRUN_NOEXCEPT;

/* The global in-memory tables by table and field name ("VATQ", "SYMBOL"); rows from 1; every
 * value as text, numbers in plain decimal. ROWS gives -1 for an unknown table; ADD appends an
 * empty row and gives its position (0 when unknown); SET refuses an unknown row or field or a
 * number that does not fit. ORVRUN_TABLE_NAME(i) and ORVRUN_TABLE_FIELD(table, i) list names
 * from 0. The record buffers the host shares are ORVRUN_RECORD_GET/SET of orvrun_reports.h. */
ORVRUN_API int32_t ORVRUN_TABLE_ROWS(const char* table) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_TABLE_CLEAR(const char* table) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_TABLE_ADD(const char* table) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_TABLE_DELETE(const char* table, int32_t row) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_TABLE_SET(const char* table, int32_t row, const char* field,
                                    const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_TABLE_GET(const char* table, int32_t row,
                                  const char* field) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_TABLE_NAME(int32_t index) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_TABLE_FIELD(const char* table, int32_t index) ORVRUN_NOEXCEPT;

/* ---- Sign-in -------------------------------------------------------------------------------- */

/* What the host does after log-in, in one call: the context (a given user, company or warehouse
 * must exist; a left-out user is GLO:ID_UZYTKOWNIKA as set, left-out company and warehouse come
 * from the user's row), VATQ, S_PARAMKONFQ and U_PARAMKONFQ, the grants, the window parameters,
 * the column settings and the last date range. A statement that fails fails the sign-in; the
 * error names it with the driver's message. */
ORVRUN_API uint8_t ORVRUN_SIGN_IN(const double* user, const double* company,
                                  const double* warehouse, char** error) ORVRUN_NOEXCEPT;
/* The user leaves: the preferences changed since the sign-in are written to the database. */
ORVRUN_API uint8_t ORVRUN_SIGN_OUT(char** error) ORVRUN_NOEXCEPT;

/* ---- Windows -------------------------------------------------------------------------------- */

/* The button codes of boxes (an OR of them is a box's buttons). */
enum {
  ORVRUN_OK = 1,
  ORVRUN_YES = 2,
  ORVRUN_NO = 4,
  ORVRUN_ABORT = 8,
  ORVRUN_RETRY = 16,
  ORVRUN_IGNORE = 32,
  ORVRUN_CANCEL = 64,
  ORVRUN_HELP = 128
};

/* Each choice holds for every later call and starts new records (ORVRUN_SHOWN_*).
 * HEADLESS: `script` drives windows and boxes in the language `orvrun windows` documents
 * ("set NAZWA Kowalski; press OK; answer yes"); a box the script does not answer takes its
 * default button and a window left waiting closes as by Esc (with a note), unless `strict`,
 * when the run fails (ORVRUN_SHOWN_FAILURE). Answers given by ORVRUN_UI_ANSWER are taken in
 * order by questions the script does not answer. 0 for a script that does not parse.
 * TERMINAL: windows drawn on stderr, commands read from stdin; qt through ORVRUN_UI_USE.
 * DEFAULT: boxes take their default button, windows close at once, nothing is recorded. */
ORVRUN_API uint8_t ORVRUN_UI_HEADLESS(const char* script, uint8_t strict,
                                      char** error) ORVRUN_NOEXCEPT;
/* Any backend by name: "headless", "terminal", "qt" (where Qt was built and a display or the
 * offscreen platform is there); null or "" = the default: $ORVRUN_UI, else for `interactive`
 * (a person at a terminal answers what the script does not) qt on a display or the terminal,
 * else headless. `screenshots`: a folder for a PNG of each window as the script acts (qt).
 * 0 with `error` naming the backends there are, or for a script that does not parse.
 * ORVRUN_UI_NAMES: the backends that can run here, separated by ", ". */
ORVRUN_API uint8_t ORVRUN_UI_USE(const char* name, const char* script, uint8_t interactive,
                                 const char* screenshots, char** error) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_UI_NAMES(void) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_UI_ANSWER(const char* answer) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_UI_TERMINAL(void) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_UI_DEFAULT(void) ORVRUN_NOEXCEPT;

/* The host's own renderer. The library keeps the window model and its logic; the renderer
 * shows it and reports the user's actions as script commands. Null members are left out: a box
 * then takes its default button, a window without next_event closes as by Esc. */
typedef struct ORVRUN_RENDERER {
  void* user;
  /* A modal box: return the button code pressed (ORVRUN_YES...), 0 for its default. icon:
   * 0 none, 1 question, 2 information, 3 exclamation, 4 hand. */
  uint32_t (*box)(void* user, const char* title, const char* text, int32_t icon, uint32_t buttons,
                  uint32_t default_button);
  void (*open_window)(void* user, int32_t window, const char* name, const char* title);
  /* A control's state, on opening and after the window's logic changed it; kind as
   * `orvrun windows` names it ("entry", "button", "list"...). */
  void (*update_control)(void* user, int32_t window, const char* id, const char* kind,
                         const char* caption, const char* value, uint8_t hidden, uint8_t disabled);
  /* The user's next action on the window as one or more script commands ("press OK",
   * "set NAZWA Kowalski", "key Esc"), written into `commands` (at most size - 1 bytes and a
   * NUL). Return 0 when the user is gone: the window closes as by Esc. */
  uint8_t (*next_event)(void* user, int32_t window, char* commands, size_t size);
  void (*close_window)(void* user, int32_t window);
  /* A file or folder dialog: the chosen path into `path`, return 0 when cancelled. */
  uint8_t (*file_dialog)(void* user, const char* title, const char* folder, const char* file,
                         const char* filter, uint8_t save, uint8_t folders, char* path,
                         size_t size);
} ORVRUN_RENDERER;

/* The table is copied; `user` must live as long as the renderer is in use. */
ORVRUN_API void ORVRUN_UI_RENDERER(const ORVRUN_RENDERER* renderer) ORVRUN_NOEXCEPT;

/* What the calls showed since the backend was chosen or ORVRUN_SHOWN_CLEAR: the same content as
 * `orvrun call --json` prints as "messages" and "windows".
 * MESSAGES  boxes in order, then SQL error windows; fields "kind" (question, info, warning,
 *           error), "title", "text" (for error: the statement), "answer" (yes, no, ok... or the
 *           chosen caption; empty for error).
 * WINDOWS   each window as it closed; fields "name", "title", "controls" (their number), and
 *           "id:K" / "value:K" for its K-th control that holds a value (from 0); "marks" (the
 *           number of controls with a tip or an icon) and "mark:K" (its id), "tip:K", "icon:K".
 * NOTES     windows closed as by Esc for want of input (UTF-8), field "text".
 * LEFTOVER  script commands nothing took (UTF-8), field "text".
 * OPENED    files a procedure asked the desktop to open (recorded, not run, by the headless
 *           backend), field "path".
 * Indexes from 0; an unknown list, index or field reads as the empty text. */
enum {
  ORVRUN_SHOWN_MESSAGES = 0,
  ORVRUN_SHOWN_WINDOWS = 1,
  ORVRUN_SHOWN_NOTES = 2,
  ORVRUN_SHOWN_LEFTOVER = 3,
  ORVRUN_SHOWN_OPENED = 4
};
ORVRUN_API int32_t ORVRUN_SHOWN_COUNT(int32_t list) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_SHOWN_GET(int32_t list, int32_t index, const char* field) ORVRUN_NOEXCEPT;
/* Why the script failed (UTF-8), empty when it did not. */
ORVRUN_API char* ORVRUN_SHOWN_FAILURE(void) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_SHOWN_CLEAR(void) ORVRUN_NOEXCEPT;

/* A list window of the host's own, for procedures that take a window (DISPLAYZAZNACZONE):
 * named "ListaHosta", control 1 its list ("LISTA"), control 2 its marked-count box
 * ("ZAZNACZONE"). OPEN gives its handle; CLOSE ends it on the same thread, and its final state
 * joins the WINDOWS shown (0 for a handle OPEN did not give). */
ORVRUN_API int32_t ORVRUN_LIST_WINDOW_OPEN(const char* title) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_LIST_WINDOW_CLOSE(int32_t window) ORVRUN_NOEXCEPT;

/* The library's windows as designed, before a procedure fills them in (what `orvrun windows`
 * lists), indexes from 0. FIND takes a procedure name or an INI section, -1 when unknown.
 * GET with control -1 gives the window's "procedure", "name", "title", "controls" (their
 * number), "timer" (hundredths, 0 = none), "alert_keys" (their number) and "alert:K"; with a
 * control K its "number", "id", "kind", "text" (caption or prompt), "key", "hidden" (1 or 0). */
ORVRUN_API int32_t ORVRUN_WINDOW_DEF_COUNT(void) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_WINDOW_DEF_FIND(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_WINDOW_DEF_GET(int32_t window, int32_t control,
                                       const char* field) ORVRUN_NOEXCEPT;

/* ---- Statements ----------------------------------------------------------------------------- */

/* Sends one statement through a channel's own operations, quietly: "main", "2", "3", "crm"
 * (rows of the result set) or "scalar", "marked" (column 1 of the first row). 0 for an unknown
 * channel. Otherwise 1, and the outcome is kept for reading until the next run: the error code
 * (0 = none) and message, the rows (from 0) and their fields (from 0). */
ORVRUN_API uint8_t ORVRUN_SQL_RUN(const char* channel, const char* statement) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_SQL_ERRORCODE(void) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_SQL_ERROR(void) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_SQL_ROWS(void) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_SQL_COLUMNS(int32_t row) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_SQL_FIELD(int32_t row, int32_t column) ORVRUN_NOEXCEPT;
/* 1 when the field is SQL NULL (ORVRUN_SQL_FIELD gives it as the empty text). */
ORVRUN_API uint8_t ORVRUN_SQL_IS_NULL(int32_t row, int32_t column) ORVRUN_NOEXCEPT;
/* The fields the channel's record cut to its field size (1,000 characters on most channels). */
ORVRUN_API int32_t ORVRUN_SQL_CUT(void) ORVRUN_NOEXCEPT;

/* ---- Procedures by name --------------------------------------------------------------------- */

/* The table of exported procedures, sorted by name, indexes from 0. The texts point into the
 * table and live as long as the library is loaded. */
typedef struct ORVRUN_PARAM_INFO {
  const char* name;
  int32_t type;      /* ORVRUN_TYPE_* */
  uint8_t optional;  /* may be left out */
  uint8_t by_ref;    /* read and written */
  uint32_t capacity; /* bytes of a text by reference, 0 = the caller's choice */
} ORVRUN_PARAM_INFO;

typedef struct ORVRUN_PROC_INFO {
  const char* name;
  const char* summary;
  int32_t result; /* ORVRUN_TYPE_* */
  int32_t params;
} ORVRUN_PROC_INFO;

ORVRUN_API int32_t ORVRUN_PROC_COUNT(void) ORVRUN_NOEXCEPT;
/* The index of a procedure by name (case does not matter), -1 when there is none. */
ORVRUN_API int32_t ORVRUN_PROC_FIND(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_PROC_INFO_GET(int32_t proc, ORVRUN_PROC_INFO* info) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_PARAM_INFO_GET(int32_t proc, int32_t param,
                                         ORVRUN_PARAM_INFO* info) ORVRUN_NOEXCEPT;

/* One argument or result of ORVRUN_CALL.
 * In:  `given` 0 leaves the parameter out (optional ones and references only). A text takes
 *      `text`; a number takes `text` when it is not null (read as ORVRUN_READ_NUMBER reads),
 *      else `number`. A LONG or BYTE must be whole and in range; NaN and infinities are refused.
 * Out: a reference parameter's value after the call, and the result: `number`, and for texts
 *      `out` (free with ORVRUN_FREE; null otherwise). */
typedef struct ORVRUN_VALUE {
  uint8_t given;
  double number;
  const char* text;
  char* out;
} ORVRUN_VALUE;

/* Calls procedure `proc` with one ORVRUN_VALUE per parameter (`count` must equal its params).
 * 0 with `error` when an argument does not fit; the procedure then does not run. */
ORVRUN_API uint8_t ORVRUN_CALL(int32_t proc, ORVRUN_VALUE* args, int32_t count,
                               ORVRUN_VALUE* result, char** error) ORVRUN_NOEXCEPT;

/* A number as command-line arguments are read (decimal only: no nan, inf or hex; blanks around
 * it ignored; LONG and BYTE whole and in range): 1 and *value, or 0 when it does not read. */
ORVRUN_API uint8_t ORVRUN_READ_NUMBER(const char* text, int32_t type,
                                      double* value) ORVRUN_NOEXCEPT;

/* ---- Text at the edges ---------------------------------------------------------------------- */

/* UTF-8 to Windows-1250 and back. FROM_UTF8 refuses (null with `error`, in UTF-8) invalid UTF-8
 * and characters Windows-1250 cannot hold, naming the character; nothing is replaced by "?". */
ORVRUN_API char* ORVRUN_FROM_UTF8(const char* utf8, char** error) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_TO_UTF8(const char* cp1250) ORVRUN_NOEXCEPT;

/* For the SQLite extension module: registers the T-SQL functions, the PL_CI_AS collation and
 * the server's procedures on an SQLite connection (a sqlite3*) of the system's libsqlite3. */
ORVRUN_API void ORVRUN_SQLITE_REGISTER(void* db) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
