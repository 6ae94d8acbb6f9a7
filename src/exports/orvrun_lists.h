/* Exported procedures of the lists subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_LISTS_H
#define ORVRUN_LISTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
