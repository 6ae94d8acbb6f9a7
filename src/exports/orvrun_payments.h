/* Exported procedures of the payments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_PAYMENTS_H
#define ORVRUN_PAYMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Payment-file schemes: their list and forms, the field dictionary, the positions. */
/* the list of schemes: the id chosen with "Wybierz" (hidden when mode reads as 0), else 0 */
ORVRUN_API int32_t MULTICASH(ORVRUN_TEXT* mode /* 21 bytes */) ORVRUN_NOEXCEPT;
/* the scheme form on record MC_DEF_NAG for GLOBALREQUEST; a new one may copy positions */
ORVRUN_API void UP_MULTICASH(void) ORVRUN_NOEXCEPT;
/* the field dictionary's form on record MC_DEF_POLA for GLOBALREQUEST (system elements stay) */
ORVRUN_API void UP_MC_SLOWNIK(void) ORVRUN_NOEXCEPT;
/* a scheme position's form on record MC_DEF_POZ for GLOBALREQUEST; delete closes the LP gap */
ORVRUN_API void UP_MC_POZYCJE(void) ORVRUN_NOEXCEPT;

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
