/* Exported procedures of the attachments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_ATTACHMENTS_H
#define ORVRUN_ATTACHMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
