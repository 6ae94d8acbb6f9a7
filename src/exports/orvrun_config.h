/* Exported procedures of the config subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CONFIG_H
#define ORVRUN_CONFIG_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Window geometry, on the calling thread's current window. */
ORVRUN_API uint8_t MAKSYMALIZUJ(void);
ORVRUN_API void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right, int32_t distance);

#ifdef __cplusplus
}
#endif

#endif
