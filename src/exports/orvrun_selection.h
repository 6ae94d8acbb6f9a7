/* Exported procedures of the selection subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_SELECTION_H
#define ORVRUN_SELECTION_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
