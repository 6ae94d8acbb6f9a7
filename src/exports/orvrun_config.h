/* Exported procedures of the config subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_CONFIG_H
#define ORVRUN_CONFIG_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif
