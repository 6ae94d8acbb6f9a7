/* The utility library's C functions, by the names the module looks up. Every argument is a
 * NUL-terminated Windows-1250 text; every answer is such a text owned by the library, valid until
 * the next call of the same function on the same thread. */
#ifndef TORIX_UTIL_H
#define TORIX_UTIL_H

#include "platform/dynlib/utility_abi.h"

#ifdef __cplusplus
#define TORIX_API extern "C" __attribute__((visibility("default")))
#else
#define TORIX_API __attribute__((visibility("default")))
#endif

/* Rate tables: the bank's document as published; "" nothing, "01" failure, "02" no table on the
 * day asked for (yymmdd for NBP, yyyy-mm-dd for ECB). */
TORIX_API const char* PobierzKursyNBPwartosc(void);
TORIX_API const char* PobierzKursyNBPwartoscNaDzien(const char* yymmdd);
TORIX_API const char* PobierzKursyECBwartosc(void);
TORIX_API const char* PobierzKursyECBwartoscNaDzien(const char* yyyy_mm_dd);

/* The regional list separator: ";" where numbers take a decimal comma, "," otherwise. */
TORIX_API const char* SystemListSeparator(void);
/* Writes the data into the file: a text answer saying what happened. */
TORIX_API const char* ZapiszDaneDoPliku(const char* path, const char* data);

/* The register search: the window, then the chosen company as XML ("" when none was chosen). */
TORIX_API void UstawOknoGUS(TorixGusWindow window, void* host_data);
TORIX_API void PobierzGUSokno(void);
TORIX_API const char* PobierzGUSwartosc(void);

#endif
