/* Exported procedures of the selection subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_SELECTION_H
#define ORVRUN_SELECTION_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Marked-record sets: single marks, counting, saving on the server. id2 is optional (null = 0). */
/* mark a record in a marked set */
ORVRUN_API void ZAZNACZSQL(int32_t usage, double id,
                           const double* id2 /* optional */) ORVRUN_NOEXCEPT;
/* unmark a record */
ORVRUN_API void ODZNACZSQL(int32_t usage, double id) ORVRUN_NOEXCEPT;
/* empty a marked set */
ORVRUN_API void ODZNACZALLSQL(int32_t usage) ORVRUN_NOEXCEPT;
/* size of a marked set */
ORVRUN_API int32_t ILEZAZNACZONYCH(int32_t usage) ORVRUN_NOEXCEPT;
/* save the marks on the server: return code */
ORVRUN_API uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second) ORVRUN_NOEXCEPT;
/* restore the saved marks: return code */
ORVRUN_API uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second) ORVRUN_NOEXCEPT;

/* Whole-list marking and inversion work from the list's own statement and id column (SQL by
 * design); both give the size of the set afterwards, -1 when a step failed (the marks are then as
 * they were). */
/* mark every record of the filtered list: size of the set, -1 after a failure */
ORVRUN_API int32_t ZAZNACZALLSQL(int32_t usage, const char* statement /* SQL */,
                                 const char* id_column /* SQL */) ORVRUN_NOEXCEPT;
/* invert the marks of the filtered list: size of the set, -1 after a failure */
ORVRUN_API int32_t INWERSJASQL(int32_t usage, const char* statement /* SQL */,
                               const char* id_column /* SQL */) ORVRUN_NOEXCEPT;

/* show the marked count in a list control's tip and icon (window 0 = the current one) */
ORVRUN_API void DISPLAYZAZNACZONE(int32_t window /* window */, int32_t control, int32_t count,
                                  const char* label,
                                  const int32_t* total /* optional */) ORVRUN_NOEXCEPT;

/* Filter expressions to SQL; text results are released with ORVRUN_FREE. */
/* a filter expression without table prefixes */
ORVRUN_API char* FILTR2SQL(const char* expression) ORVRUN_NOEXCEPT;
/* a list filter in SQL form */
ORVRUN_API char* PRZYGOTUJFILTR(const char* filter, const char* old_1, const char* old_2,
                                const char* new_1, const char* new_2) ORVRUN_NOEXCEPT;
/* the first INSTRING test written as LIKE */
ORVRUN_API char* REPLACEINSTRINGNALIKE(const char* text) ORVRUN_NOEXCEPT;
/* minus-prefixed sort items written as desc */
ORVRUN_API char* REPLACEMINUSNADESC(const char* text, const char* prefix_1,
                                    const char* prefix_2) ORVRUN_NOEXCEPT;
/* two filter components joined by AND */
ORVRUN_API char* DODAJKOMPONENTFILTRA(const char* filter, const char* component) ORVRUN_NOEXCEPT;
/* the user's date cut-off component of a filter */
ORVRUN_API char* PODAJFILTRODCIECIA(const char* field) ORVRUN_NOEXCEPT;
/* the object-list restriction component of a filter */
ORVRUN_API char* FILTRUPRAWTYLKOWGLISTZAZN(
    const char* permission, const uint8_t* check_flag /* optional */) ORVRUN_NOEXCEPT;

/* count the records behind a list; step (optional, by reference) receives 10, 100, 1000 or 10000 */
ORVRUN_API int32_t POLICZREKORDYBROWSERA(const char* statement /* SQL */,
                                         int32_t* step /* optional */) ORVRUN_NOEXCEPT;

/* lock, unlock or mark for posting the marked records of a list (or the current record) */
ORVRUN_API void WYKONAJOPERACJE(const char* list_kind, const char* operation, int32_t usage,
                                double current_id) ORVRUN_NOEXCEPT;

/* Saved filters: a dialog's record (ORVRUN_GROUP, orvrun.h) as XML, stored per filter, company
 * and user. */
/* the record as XML, one element per value (arrays included); sorted by name unless 1 */
ORVRUN_API char* GRUPADOXML(const ORVRUN_GROUP* record,
                            const uint8_t* declaration_order /* optional */) ORVRUN_NOEXCEPT;
/* fill the record from XML, by name unless positional is 1; a text that is not XML warns */
ORVRUN_API void XMLDOGRUPY(const char* xml, ORVRUN_GROUP* record,
                           const uint8_t* positional /* optional */) ORVRUN_NOEXCEPT;
/* save the current user's state of a filter (whole, or refused with a warning when too long) */
ORVRUN_API void ZAPISZXMLFILTRUZYTKOWNIKA(int32_t filter_id, const ORVRUN_GROUP* record,
                                          const char* additional /* optional */) ORVRUN_NOEXCEPT;
/* load the current user's state of a filter into the record (left as it was when none) */
ORVRUN_API void POBIERZXMLFILTRUZYTKOWNIKA(int32_t filter_id, ORVRUN_GROUP* record,
                                           ORVRUN_TEXT* additional /* optional */ /* 5001 bytes */)
    ORVRUN_NOEXCEPT;
/* the id of a saved filter found by name, context, type and subsystem; 0 when none */
ORVRUN_API int32_t POBIERZIDFILTRAXML(const char* name, const char* context, const char* type,
                                      const char* subsystem) ORVRUN_NOEXCEPT;

/* Saved-filter windows. The caller's record travels as its XML (GRUPADOXML form, one element per
 * field): read when the call starts, written back (declaration order) when it ends. */
/* the list of a dialog context's saved filters; choosing one fills the record from it */
ORVRUN_API void LISTAFILTROWAPLIKACJI_BRW(const char* context,
                                          ORVRUN_TEXT* record /* 10000 bytes */) ORVRUN_NOEXCEPT;
/* the form of the filter ORV_DEFINICJA_FILTRA.ID_FILTRA for GLOBALREQUEST; saving keeps the record
 */
ORVRUN_API void FILTRAPLIKACJI_UPD(const char* context,
                                   ORVRUN_TEXT* record /* 10000 bytes */) ORVRUN_NOEXCEPT;

/* Object lists: stored copies of a marked set of customers (kind 120) or articles (102). */
/* the object lists of a kind; modes 4, 14 and 24 choose one into ORV_LISTA_OBIEKTOW */
ORVRUN_API void LISTY_OBIEKTOW(const char* kind, const char* mode /* optional */,
                               const char* usage /* optional */,
                               const int32_t* warehouse /* optional */) ORVRUN_NOEXCEPT;
/* the form of the list ORV_LISTA_OBIEKTOW.ID_LISTY; mode 24: the marked set as a clipboard list */
ORVRUN_API void LISTY_OBIEKTOW_UPD(int32_t kind, const int32_t* mode /* optional */,
                                   const int32_t* usage /* optional */,
                                   const int32_t* warehouse /* optional */) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
