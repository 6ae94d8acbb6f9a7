/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* VAT rates, gross and net; the last working day before a date. A null step is left out
 * (0.01); a null vat-free part reads as 0. */
ORVRUN_API double POBIERZSTAWKEVAT(const char* symbol);
ORVRUN_API double OBLICZBRUTTO(double net, const char* symbol, const double* step /* optional */);
ORVRUN_API double OBLICZNETTO(double gross, const char* symbol, const double* step /* optional */,
                              const double* vat_free /* optional */);
ORVRUN_API int32_t PODAJOSTATNIDZIENROBOCZY(int32_t date);

#ifdef __cplusplus
}
#endif

#endif
