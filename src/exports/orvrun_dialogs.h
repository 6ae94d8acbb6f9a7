/* Exported procedures of the dialogs subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_DIALOGS_H
#define ORVRUN_DIALOGS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
