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
 * Reference   a number by reference is a pointer to the caller's variable, read and written.
 *             A text by reference is an ORVRUN_TEXT: the caller's buffer of `size` bytes holding
 *             a NUL-terminated text; the procedure writes at most size - 1 characters and a NUL.
 *             A null reference is left out and never written.
 * Errors      nothing is thrown across this boundary; each procedure reports as it documents.
 *             A run that cannot finish returns the procedure's fallback result (0, the empty
 *             text, or what the procedure documents for a window closed without a choice):
 *             a UI script that cannot go on is reported to the UI backend, any other failure
 *             to the error handler given to ORVRUN_INIT (the module's own when none was given).
 *             When memory runs out a text result is null and nothing is reported.
 */

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

#ifdef __cplusplus
}
#endif

#include "orvrun_calc.h"
#include "orvrun_config.h"
#include "orvrun_dialogs.h"
#include "orvrun_frame.h"
#include "orvrun_lists.h"
#include "orvrun_reports.h"
#include "orvrun_selection.h"

#endif
