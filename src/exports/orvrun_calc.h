/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Amounts in words: 500-character blank-padded texts; currency may be null (left out). */
ORVRUN_API char* SLOWNIE(double amount, const char* currency);
ORVRUN_API char* SLOWNIEKROTKO(double amount);

#ifdef __cplusplus
}
#endif

#endif
