/* Exported procedures of the dialogs subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_DIALOGS_H
#define ORVRUN_DIALOGS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Calendar and date-range prompts. Dates are day numbers from
 * 28 December 1800. The references of the range prompts are optional; a range name that is not
 * blank selects caller mode. */
ORVRUN_API int32_t KALENDARZ(int32_t x, int32_t y, int32_t date) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t PYTAJOZAKRESDAT(const uint8_t* save_global, int32_t* date_from, int32_t* date_to,
                                   ORVRUN_TEXT* range_name) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t PYTAJOZAKRES3DAT(int32_t* date_from, int32_t* date_to,
                                    ORVRUN_TEXT* range_name) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
