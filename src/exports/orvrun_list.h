/* Lists at the C ABI: the columns and typed rows a host hands to EXPORTBROWSERTOEXCEL. */
#ifndef ORVRUN_LIST_H
#define ORVRUN_LIST_H

/*
 * A list is built column by column and row by row, or read from JSON, and freed by the host.
 * Texts are Windows-1250, the JSON form too (its \u escapes name Windows-1250 characters).
 * Rows and fields count from 1. A row's fields are
 * numbered as the host's in-memory table numbers them; a column shows field `field`, and a column
 * with colours takes its foreground and background colour from fields field + 1 and field + 2
 * (the runtime's colour values, 0x00BBGGRR; 0 or less means none).
 *
 * JSON form (what `orvrun call ... @list:FILE.json` reads):
 *   { "caption": "Artykuły",
 *     "columns": [ {"title": "Lp", "width": 20, "picture": "@n_6", "field": 1},
 *                  {"title": "Cena", "width": 50, "picture": "@n-14_`2", "field": 3,
 *                   "colours": true} ],
 *     "rows": [ [null, "A-100", 12.5, 255, {"colour": "#FFFF00"}],
 *               [null, "A-101", {"date": "2015-05-01"}] ],
 *     "view": [2, 1] }
 * A value is a string (text), a number, {"date": "YYYY-MM-DD" or a day number},
 * {"colour": "#RRGGBB"} (stored as the runtime's colour value) or null (empty). "view", when
 * given, is the order in which the list shows its rows (row numbers from 1).
 */

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

ORVRUN_API ORVRUN_LIST* ORVRUN_LIST_NEW(const char* caption) ORVRUN_NOEXCEPT;
ORVRUN_API void ORVRUN_LIST_FREE(ORVRUN_LIST* list) ORVRUN_NOEXCEPT;
/* Adds a column in control order; its number from 1, 0 for a null list. */
ORVRUN_API int32_t ORVRUN_LIST_COLUMN(ORVRUN_LIST* list, const char* title, int32_t width,
                                      const char* picture, int32_t field,
                                      uint8_t colours) ORVRUN_NOEXCEPT;
/* Appends an empty row; its number from 1, 0 for a null list. */
ORVRUN_API int32_t ORVRUN_LIST_ROW(ORVRUN_LIST* list) ORVRUN_NOEXCEPT;
/* Sets field `field` of row `row`: 1, or 0 when there is no such row or field number. */
ORVRUN_API uint8_t ORVRUN_LIST_TEXT(ORVRUN_LIST* list, int32_t row, int32_t field,
                                    const char* text) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ORVRUN_LIST_NUMBER(ORVRUN_LIST* list, int32_t row, int32_t field,
                                      double value) ORVRUN_NOEXCEPT;
/* A date as a day number (days from 28 December 1800). */
ORVRUN_API uint8_t ORVRUN_LIST_DATE(ORVRUN_LIST* list, int32_t row, int32_t field,
                                    int32_t day) ORVRUN_NOEXCEPT;
/* The order the list shows its rows in (row numbers from 1); count 0 removes the view. */
ORVRUN_API uint8_t ORVRUN_LIST_VIEW(ORVRUN_LIST* list, const int32_t* rows,
                                    int32_t count) ORVRUN_NOEXCEPT;
/* A list from its JSON form; null with `error` (free with ORVRUN_FREE) when the text is not
 * such a list. */
ORVRUN_API ORVRUN_LIST* ORVRUN_LIST_FROM_JSON(const char* json, char** error) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
