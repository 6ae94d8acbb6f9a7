/* Exported procedures of the payments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_PAYMENTS_H
#define ORVRUN_PAYMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Payment-file schemes: their list and forms, the field dictionary, the positions. */

/* The payment-file writer and its error list. */

/* The checker of payment files as bank imports read them. */

#ifdef __cplusplus
}
#endif

#endif
