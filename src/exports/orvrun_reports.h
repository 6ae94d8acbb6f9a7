/* Exported procedures of the reports subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_REPORTS_H
#define ORVRUN_REPORTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
