/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Discount converter and change calculator (windows). DECIMAL values cross as REAL. */
ORVRUN_API void PRZELICZNIKRABATU(double* percentage, double* price, const char* kind /* optional */,
                                  const char* subject /* optional */);
ORVRUN_API uint8_t WYDAWANIERESZTY(double* due, double* paid, double* change);

#ifdef __cplusplus
}
#endif

#endif
