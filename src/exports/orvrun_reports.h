/* Exported procedures of the reports subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_REPORTS_H
#define ORVRUN_REPORTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Report variants, numbering formats and order statuses. */
ORVRUN_API void INICJUJWARIANT(double report_id, double variant_id) ORVRUN_NOEXCEPT;
ORVRUN_API char* WARTOSCPARAMETRU(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API void ZAPISZWARTOSCPARAMETRU(const char* name, const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API void ZAPISZWARTOSCPARAMETRUDOBAZY(const char* name, const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API double ZAPISZWARIANT(double report_id, double variant_id, const char* new_name,
                                const char* old_name) ORVRUN_NOEXCEPT;
ORVRUN_API void LADUJFORMATYNUMERACJI(void) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                                          ORVRUN_TEXT* format, uint8_t* period, uint8_t* parameter1,
                                          uint8_t* parameter2) ORVRUN_NOEXCEPT;
ORVRUN_API void LADUJSTATUSYZAMOWIEN(void) ORVRUN_NOEXCEPT;
ORVRUN_API char* PODAJOPISSTATUSUZAMOWIENIA(const char* code, const char* layout) ORVRUN_NOEXCEPT;
ORVRUN_API void INICJUJKOLEJKESTATUSOW(const uint8_t* reload /* optional */) ORVRUN_NOEXCEPT;
/* The record buffers the host shares with the library (RAPORT, WARIANT, DOKUMENT_HANDLOWY), by
 * record and field name: SET gives 1 when the field exists and the value fits it; GET gives the
 * field's value as text, empty for an unknown one. */
ORVRUN_API uint8_t ORVRUN_RECORD_SET(const char* record, const char* field,
                                     const char* value) ORVRUN_NOEXCEPT;
ORVRUN_API char* ORVRUN_RECORD_GET(const char* record, const char* field) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
