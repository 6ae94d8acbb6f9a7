/* Exported procedures of the config subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CONFIG_H
#define ORVRUN_CONFIG_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Configuration values, permissions, function passwords and window preferences.
 * Scopes are "s" (company) and "u" (user). Optional LONGs are pointers,
 * null = left out; POBIERZUPRAWNIENIE and POBIERZFLAGEUPRAWNIENIA accept and ignore the
 * qualifiers after the ones they use. */
/* a configuration value from memory (scope s or u) */
ORVRUN_API char* POBIERZPARAMKONF(const char* scope, const char* code) ORVRUN_NOEXCEPT;
/* a configuration value's mask from memory (scope s or u) */
ORVRUN_API char* MASKAPARAMKONF(const char* scope, const char* code) ORVRUN_NOEXCEPT;
/* change a loaded configuration value, in memory and on the server */
ORVRUN_API void USTAWPARAMKONF(const char* scope, const char* code,
                               const char* value) ORVRUN_NOEXCEPT;
/* a configuration value read from the server, formatted */
ORVRUN_API char* POBIERZPARAMKONFZBAZY(const char* scope, const char* code) ORVRUN_NOEXCEPT;
/* load the current user's grants, functions and report grants */
ORVRUN_API void LADUJUPRAWNIENIA(void) ORVRUN_NOEXCEPT;
/* load the current user's report grants */
ORVRUN_API void LADUJUPRAWNIENIARAPORTU(void) ORVRUN_NOEXCEPT;
/* access to a function: 0 none, 1 full, 2 restricted */
ORVRUN_API uint8_t POBIERZUPRAWNIENIE(const char* code, const int32_t* warehouse /* optional */,
                                      const int32_t* second /* optional */,
                                      const int32_t* id4 /* optional */,
                                      const int32_t* id5 /* optional */,
                                      const int32_t* id6 /* optional */) ORVRUN_NOEXCEPT;
/* state flags of a restricted grant */
ORVRUN_API char* POBIERZFLAGEUPRAWNIENIA(const char* code, const int32_t* id2 /* optional */,
                                         const int32_t* id3 /* optional */,
                                         const int32_t* id4 /* optional */,
                                         const int32_t* id5 /* optional */,
                                         const int32_t* id6 /* optional */) ORVRUN_NOEXCEPT;
/* 1 when the user may see only his own documents */
ORVRUN_API uint8_t DOSTEPDOWLASNYCHDOKUMENTOW(const char* code) ORVRUN_NOEXCEPT;
/* access level of a report, 0 without a grant */
ORVRUN_API uint8_t DOSTEPDORAPORTUOK(int32_t report) ORVRUN_NOEXCEPT;
/* password prompt of a protected function: 1 may run, 0 not */
ORVRUN_API uint8_t HASLOFUNKCJI(const char* code) ORVRUN_NOEXCEPT;
/* a window parameter from memory */
ORVRUN_API char* POBIERZPARAMETROKNA(const char* window, const char* parameter) ORVRUN_NOEXCEPT;
/* change a loaded window parameter in memory: 1 done, 0 no such row */
ORVRUN_API uint8_t ZAPISZPARAMETROKNA(const char* window, const char* parameter,
                                      const char* value) ORVRUN_NOEXCEPT;
/* write the user's preferences back to the server */
ORVRUN_API void ZAPISZPREFERENCJEUZYTKOWNIKA(double user) ORVRUN_NOEXCEPT;

/* Window geometry, on the calling thread's current window. */
/* fit the current window to the host frame: 1 moved, 0 already there */
ORVRUN_API uint8_t MAKSYMALIZUJ(void) ORVRUN_NOEXCEPT;
/* move a splitter in the current window */
ORVRUN_API void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right,
                           int32_t distance) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
