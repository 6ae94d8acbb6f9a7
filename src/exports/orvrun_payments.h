/* Exported procedures of the payments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_PAYMENTS_H
#define ORVRUN_PAYMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Payment-file schemes: their list and forms, the field dictionary, the positions. */

/* The payment-file writer and its error list. */
/* write the marked transfer orders of a usage code into a payment file by a scheme (a window) */
ORVRUN_API void EXPORT_TXT_MC(int32_t usage) ORVRUN_NOEXCEPT;
/* show the transfers the last payment-file export left out and why */
ORVRUN_API void BLEDY_EXPORTU_MC(void) ORVRUN_NOEXCEPT;

/* The checker of payment files as bank imports read them. */
/* Without a scheme the file is read as Elixir-0 in IBM 852. The report is text, or JSON when json
 * is 1; findings gets their number, -1 when the file cannot be read or no scheme has the id. */
/* check a payment file as a bank import reads it */
ORVRUN_API char* CHECK_PAYMENT_FILE(const char* file, uint8_t json, int32_t* findings,
                                    const int32_t* scheme /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
