/* Exported procedures of the lists subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_LISTS_H
#define ORVRUN_LISTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Open-window registry (OKNAQ) and open-object registry (GLO:KOLEJKAOTWARTYCHOKIEN). */
ORVRUN_API uint8_t DODAJOKNO(const char* name);
ORVRUN_API void SKASUJOKNO(const char* name);
ORVRUN_API int32_t WEZOKNO(const char* name);
ORVRUN_API void ADDKOO(const char* name, const char* qualifier);
ORVRUN_API void DELKOO(const char* name, const char* qualifier);
ORVRUN_API uint8_t ISKOO(const char* name, const char* qualifier);
ORVRUN_API void FREEKOO(void);

#ifdef __cplusplus
}
#endif

#endif
