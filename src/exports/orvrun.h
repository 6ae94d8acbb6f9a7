/* The library's C ABI: one function per exported procedure, named as the procedure. */
#ifndef ORVRUN_H
#define ORVRUN_H

/*
 * Conventions, the same for every procedure:
 *
 * Text in     const char*, NUL-terminated Windows-1250. A null pointer reads as the empty text.
 * Text result char*, allocated by the library, NUL-terminated Windows-1250; release it with
 *             ORVRUN_FREE. Never null except when memory runs out.
 * Numbers     LONG = int32_t, BYTE = uint8_t, REAL = double, passed by value.
 * Optional    passed by pointer: a null pointer means "left out", which a procedure can tell from
 *             an explicit 0 or empty text (OBLICZBRUTTO's step: null = 0.01, &zero = a step of 0).
 *             Optional texts are const char*; null = left out, "" = given and empty.
 * Numbers     SHORT = int16_t, BOOL = bool (<stdbool.h>).
 * Reference   a number by reference is a pointer to the caller's variable, read and written.
 *             A text by reference is an ORVRUN_TEXT: the caller's buffer of `size` bytes holding
 *             a NUL-terminated text; the procedure writes at most size - 1 characters and a NUL.
 *             An array of ten texts by reference is an ORVRUN_TEXT10: ten such buffers, element
 *             i holding the value of field number i + 1.
 *             A record (GROUP) by reference is an ORVRUN_GROUP the host builds with
 *             ORVRUN_GROUP_* below and reads back after the call.
 *             A report band is an ORVRUN_BAND: what a procedure prints on it is kept there.
 *             A null reference is left out and never written.
 * Windows     a window parameter is an open window's handle (0 = the calling thread's current
 *             window); hosts open a list window of their own with ORVRUN_LIST_WINDOW_OPEN.
 * Binary      a BLOB is an ORVRUN_BLOB {data, size}. In (const ORVRUN_BLOB*): the caller's bytes,
 *             only read. By reference (ORVRUN_BLOB*): the procedure replaces the value; its
 *             `data` is then the library's (null when size is 0), released with ORVRUN_BLOB_FREE,
 *             which the caller also calls before passing a value of its own that way.
 * Errors      nothing is thrown across this boundary; each procedure reports as it documents.
 *             A run that cannot finish returns the procedure's fallback result (0, the empty
 *             text, or what the procedure documents for a window closed without a choice):
 *             a UI script that cannot go on is reported to the UI backend, any other failure
 *             to the error handler given to ORVRUN_INIT (the module's own when none was given).
 *             When memory runs out a text result is null and nothing is reported.
 */

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ORVRUN_API __attribute__((visibility("default")))
/* C++ hosts see that no procedure throws. */
#ifdef __cplusplus
#define ORVRUN_NOEXCEPT noexcept
#else
#define ORVRUN_NOEXCEPT
#endif

typedef struct ORVRUN_TEXT {
  char* data;
  size_t size;
} ORVRUN_TEXT;

/* A host's list (columns and rows of typed values) as EXPORTBROWSERTOEXCEL takes it: built with
 * the functions of orvrun_list.h, owned by the host. */
typedef struct ORVRUN_LIST ORVRUN_LIST;

ORVRUN_API void ORVRUN_FREE(char* text) ORVRUN_NOEXCEPT;

typedef struct ORVRUN_TEXT10 {
  ORVRUN_TEXT text[10];
} ORVRUN_TEXT10;

/* A record of named, typed fields, as a host's dialog keeps its state. Field types: */
enum {
  ORVRUN_FIELD_STRING = 0, /* size: characters, 0 = unbounded */
  ORVRUN_FIELD_LONG = 1,
  ORVRUN_FIELD_SHORT = 2,
  ORVRUN_FIELD_BYTE = 3,
  ORVRUN_FIELD_REAL = 4,
  ORVRUN_FIELD_DECIMAL = 5, /* size: places after the point */
  ORVRUN_FIELD_DATE = 6,    /* a day number */
  ORVRUN_FIELD_TIME = 7
};
typedef struct ORVRUN_GROUP ORVRUN_GROUP;
ORVRUN_API ORVRUN_GROUP* ORVRUN_GROUP_NEW(void) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_GROUP_FREE(ORVRUN_GROUP* group) ORVRUN_NOEXCEPT;
/* Adds a field ("LOC:Kod"; what follows the first ':' names it in XML); dimension 0 = a plain
 * field, n = an array of n values. Its number (from 1), or 0 for an unknown type. */
ORVRUN_API int32_t ORVRUN_GROUP_ADD(ORVRUN_GROUP* group, const char* name, int32_t type,
                                    uint32_t size, uint32_t dimension) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_GROUP_FIELDS(const ORVRUN_GROUP* group) ORVRUN_NOEXCEPT;
/* A field's name (field from 1); free with ORVRUN_FREE. */
ORVRUN_API char* ORVRUN_GROUP_NAME(const ORVRUN_GROUP* group, int32_t field) ORVRUN_NOEXCEPT;
/* A value as text (index from 1 within an array, 1 for a plain field), as the field's kind reads
 * it: 1 set, 0 for no such field or index, a number that does not read, a text too long. */
ORVRUN_API uint8_t ORVRUN_GROUP_SET(ORVRUN_GROUP* group, int32_t field, int32_t index,
                                    const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_GROUP_GET(const ORVRUN_GROUP* group, int32_t field,
                                  int32_t index) ORVRUN_NOEXCEPT;
/* The record as JSON, the form `orvrun call` takes:
 *   [{"name": "LOC:Kod", "type": "STRING", "size": 20, "value": "abc"},
 *    {"name": "LOC:Ile", "type": "BYTE", "dim": 3, "value": [1, 0, 1]}]
 * FROM_JSON gives null with `error` (free both with ORVRUN_FREE / ORVRUN_GROUP_FREE). */
ORVRUN_API ORVRUN_GROUP* ORVRUN_GROUP_FROM_JSON(const char* json, char** error) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_GROUP_TO_JSON(const ORVRUN_GROUP* group) ORVRUN_NOEXCEPT;

/* A report band: the text controls a procedure placed on it, in order. */
typedef struct ORVRUN_BAND ORVRUN_BAND;
ORVRUN_API ORVRUN_BAND* ORVRUN_BAND_NEW(void) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_BAND_FREE(ORVRUN_BAND* band) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ORVRUN_BAND_COUNT(const ORVRUN_BAND* band) ORVRUN_NOEXCEPT;
/* Control k (from 1): "number", "x", "y" (thousandths of an inch) or "text". */
ORVRUN_API char* ORVRUN_BAND_GET(const ORVRUN_BAND* band, int32_t k,
                                 const char* field) ORVRUN_NOEXCEPT;
/* [{"number": 5001, "x": 100, "y": 50, "text": "..."}...] */
ORVRUN_API char* ORVRUN_BAND_TO_JSON(const ORVRUN_BAND* band) ORVRUN_NOEXCEPT;
typedef struct ORVRUN_BLOB {
  unsigned char* data;
  size_t size;
} ORVRUN_BLOB;

/* Releases the bytes the library put into a BLOB; the BLOB is left empty. */
ORVRUN_API void ORVRUN_BLOB_FREE(ORVRUN_BLOB* blob) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#include "orvrun_attachments.h"
#include "orvrun_calc.h"
#include "orvrun_config.h"
#include "orvrun_dialogs.h"
#include "orvrun_frame.h"
#include "orvrun_lists.h"
#include "orvrun_payments.h"
#include "orvrun_reports.h"
#include "orvrun_selection.h"

#endif
