/* Exported procedures of the reports subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_REPORTS_H
#define ORVRUN_REPORTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Report variants, numbering formats and order statuses. */
/* load a report variant's parameter values */
ORVRUN_API void INICJUJWARIANT(double report_id, double variant_id) ORVRUN_NOEXCEPT;
/* a loaded report parameter's value */
ORVRUN_API char* WARTOSCPARAMETRU(const char* name) ORVRUN_NOEXCEPT;
/* change a loaded report parameter's value in memory */
ORVRUN_API void ZAPISZWARTOSCPARAMETRU(const char* name, const char* value) ORVRUN_NOEXCEPT;
/* change a report parameter's value and store it */
ORVRUN_API void ZAPISZWARTOSCPARAMETRUDOBAZY(const char* name, const char* value) ORVRUN_NOEXCEPT;
/* save a report variant (rename, new, delete); its id */
ORVRUN_API double ZAPISZWARIANT(double report_id, double variant_id, const char* new_name,
                                const char* old_name) ORVRUN_NOEXCEPT;
/* load the company's numbering formats */
ORVRUN_API void LADUJFORMATYNUMERACJI(void) ORVRUN_NOEXCEPT;
/* numbering format of a document group, type and resource */
ORVRUN_API uint8_t POBIERZFORMATNUMERACJI(uint8_t group, int32_t type_id, int32_t resource_id,
                                          ORVRUN_TEXT* format /* 50 bytes */, uint8_t* period,
                                          uint8_t* parameter1, uint8_t* parameter2) ORVRUN_NOEXCEPT;
/* load the order-status dictionary */
ORVRUN_API void LADUJSTATUSYZAMOWIEN(void) ORVRUN_NOEXCEPT;
/* caption of an order status in a layout (O, SO, OS) */
ORVRUN_API char* PODAJOPISSTATUSUZAMOWIENIA(const char* code, const char* layout) ORVRUN_NOEXCEPT;
/* fill the statuses order lists filter by */
ORVRUN_API void INICJUJKOLEJKESTATUSOW(const uint8_t* reload /* optional */) ORVRUN_NOEXCEPT;
/* Classifiers (additional fields): values travel as ten texts, element i holding field number
 * i + 1 (dates as day numbers); the group is the object's table ("Artykul"). */
/* load an object's values (mode 2 and up) or a new one's defaults (mode 1): 1 when any is set */
ORVRUN_API uint8_t KLASYFIKATORY_INITUSE(const char* group, const char* id_column /* SQL */,
                                         double object_id, ORVRUN_TEXT10* values,
                                         const uint8_t* mode /* optional */) ORVRUN_NOEXCEPT;
/* a condition on alias A for the values typed; "1=0" when refused (a non-number compared as a
 * number, or longer than 2,000 characters), after a warning */
ORVRUN_API char* KLASYFIKATORY_UTWORZSQL(const char* group, ORVRUN_TEXT10* values,
                                         ORVRUN_TEXT10* operators /* optional */) ORVRUN_NOEXCEPT;
/* true when a value is wrong (its warning shown) */
ORVRUN_API bool KLASYFIKATORY_WALIDUJ(const char* group, ORVRUN_TEXT10* values) ORVRUN_NOEXCEPT;
/* write an object's values (id above 0) or, with id 0, the flagged ones where the condition holds;
 * the values array is left as it was */
ORVRUN_API void KLASYFIKATORY_ZAPISZ(const char* group, const char* id_or_condition /* SQL */,
                                     double object_id, ORVRUN_TEXT10* values,
                                     ORVRUN_TEXT10* change_flags /* optional */) ORVRUN_NOEXCEPT;
/* place the masked fields' texts on a report band: true when nothing was placed */
ORVRUN_API bool KLASYFIKATORY_RAPORT(const char* group, ORVRUN_TEXT10* values, ORVRUN_BAND* band,
                                     const char* mask) ORVRUN_NOEXCEPT;
/* the window of the group's active fields (mode 0 group change, 1 new object, 2 change, 6 view,
 * 7 filter), the object named by its identifier column and id: 1 after OK (values written back,
 * with the change flags in mode 0 or the checked rows' operators in mode 7), 2 when closed */
ORVRUN_API int32_t KLASYFIKATORY_OKNO(const char* group, const char* id_column, double object_id,
                                      ORVRUN_TEXT10* values, const uint8_t* mode /* optional */,
                                      ORVRUN_TEXT10* flags_or_operators /* optional */)
    ORVRUN_NOEXCEPT;
/* the list of the fields' value dictionaries */
ORVRUN_API void SLOWNIK_KLAS_BRW(void) ORVRUN_NOEXCEPT;
/* one dictionary's values; opened with GLOBALREQUEST 4 the chosen value, else empty */
ORVRUN_API char* SLOWNIK_KLAS_WAR_BRW(double dictionary_id) ORVRUN_NOEXCEPT;
/* the dictionaries and their values side by side */
ORVRUN_API void SLOWNIK_KLASWAR_BRW(void) ORVRUN_NOEXCEPT;

/* The record buffers the host shares with the library (RAPORT, WARIANT, DOKUMENT_HANDLOWY), by
 * record and field name: SET gives 1 when the field exists and the value fits it; GET gives the
 * field's value as text, empty for an unknown one. */
/* set a field of a shared record buffer; 1 when set */
ORVRUN_API uint8_t ORVRUN_RECORD_SET(const char* record, const char* field,
                                     const char* value) ORVRUN_NOEXCEPT;
/* a field of a shared record buffer */
ORVRUN_API char* ORVRUN_RECORD_GET(const char* record, const char* field) ORVRUN_NOEXCEPT;

/* Standard descriptions of financial documents and positions (opis_dok_poz_fin). */
/* the list of one document type's and level's descriptions, with the default mark */
ORVRUN_API void OPIS_DOK_POZ_BRW(double type_id, uint8_t level) ORVRUN_NOEXCEPT;
/* the default description of a level and document type, empty when none */
ORVRUN_API char* DOMYSLNYOPISDOK(uint8_t level, double type_id) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
