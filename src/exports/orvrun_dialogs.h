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
/* pick a date (0 = today's month); cancel returns the date passed */
ORVRUN_API int32_t KALENDARZ(int32_t x, int32_t y, int32_t date) ORVRUN_NOEXCEPT;
/* the older date picker, weekdays from the server */
ORVRUN_API int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date) ORVRUN_NOEXCEPT;
/* ask for a date range: 1 confirmed, 0 not */
ORVRUN_API uint8_t
PYTAJOZAKRESDAT(const uint8_t* save_global /* optional */, int32_t* date_from /* optional */,
                int32_t* date_to /* optional */,
                ORVRUN_TEXT* range_name /* optional */ /* 21 bytes */) ORVRUN_NOEXCEPT;
/* quick range menu: 2 day, 4 month, 5 year, 0 dismissed */
ORVRUN_API uint8_t
PYTAJOZAKRES3DAT(int32_t* date_from /* optional */, int32_t* date_to /* optional */,
                 ORVRUN_TEXT* range_name /* optional */ /* 21 bytes */) ORVRUN_NOEXCEPT;
/* set the minimum, maximum and reservation levels of the marked articles (the usage code's set) */
ORVRUN_API void STANYMINMAXREZGRUPOWAZMIANA(int32_t usage) ORVRUN_NOEXCEPT;

/* compose and send an e-mail through the company's SMTP server: 1 sent, 0 given up */
ORVRUN_API uint8_t SENDEMAIL(const char* to /* optional */, const char* subject /* optional */,
                             const char* text /* optional */,
                             const char* attachment /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
