/* Exported procedures of the selection subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_SELECTION_H
#define ORVRUN_SELECTION_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Marked-record sets: single marks, counting, saving on the server. id2 is optional (null = 0). */
ORVRUN_API void ZAZNACZSQL(int32_t usage, double id,
                           const double* id2 /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void ODZNACZSQL(int32_t usage, double id) ORVRUN_NOEXCEPT;
ORVRUN_API void ODZNACZALLSQL(int32_t usage) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t ILEZAZNACZONYCH(int32_t usage) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
