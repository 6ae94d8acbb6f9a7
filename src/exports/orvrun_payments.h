/* Exported procedures of the payments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_PAYMENTS_H
#define ORVRUN_PAYMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
