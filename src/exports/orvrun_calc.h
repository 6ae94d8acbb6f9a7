/* Exported procedures of the calc subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CALC_H
#define ORVRUN_CALC_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
