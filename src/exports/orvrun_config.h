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
ORVRUN_API char* POBIERZPARAMKONF(const char* scope, const char* code) ORVRUN_NOEXCEPT;
ORVRUN_API char* MASKAPARAMKONF(const char* scope, const char* code) ORVRUN_NOEXCEPT;
ORVRUN_API void USTAWPARAMKONF(const char* scope, const char* code,
                               const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API char* POBIERZPARAMKONFZBAZY(const char* scope, const char* code) ORVRUN_NOEXCEPT;
ORVRUN_API void LADUJUPRAWNIENIA(void) ORVRUN_NOEXCEPT;
ORVRUN_API void LADUJUPRAWNIENIARAPORTU(void) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t POBIERZUPRAWNIENIE(const char* code, const int32_t* warehouse /* optional */,
                                      const int32_t* second /* optional */,
                                      const int32_t* id4 /* optional */,
                                      const int32_t* id5 /* optional */,
                                      const int32_t* id6 /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API char* POBIERZFLAGEUPRAWNIENIA(const char* code, const int32_t* id2 /* optional */,
                                         const int32_t* id3 /* optional */,
                                         const int32_t* id4 /* optional */,
                                         const int32_t* id5 /* optional */,
                                         const int32_t* id6 /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t DOSTEPDOWLASNYCHDOKUMENTOW(const char* code) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t DOSTEPDORAPORTUOK(int32_t report) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t HASLOFUNKCJI(const char* function_code) ORVRUN_NOEXCEPT;
ORVRUN_API char* POBIERZPARAMETROKNA(const char* window, const char* parameter) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ZAPISZPARAMETROKNA(const char* window, const char* parameter,
                                      const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API void ZAPISZPREFERENCJEUZYTKOWNIKA(double user) ORVRUN_NOEXCEPT;

/* Window geometry, on the calling thread's current window. */
ORVRUN_API uint8_t MAKSYMALIZUJ(void) ORVRUN_NOEXCEPT;
ORVRUN_API void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right,
                           int32_t distance) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
