/* Exported procedures of the lists subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_LISTS_H
#define ORVRUN_LISTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Open-window registry (OKNAQ) and open-object registry (GLO:KOLEJKAOTWARTYCHOKIEN). */
/* register an open window: 1 now registered, 0 already open */
ORVRUN_API uint8_t DODAJOKNO(const char* name) ORVRUN_NOEXCEPT;
/* unregister an open window */
ORVRUN_API void SKASUJOKNO(const char* name) ORVRUN_NOEXCEPT;
/* the value stored with an open window, 0 when not open */
ORVRUN_API int32_t WEZOKNO(const char* name) ORVRUN_NOEXCEPT;
/* register an open object (name, qualifier) */
ORVRUN_API void ADDKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
/* unregister an open object (name, qualifier) */
ORVRUN_API void DELKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
/* 1 when the object (name, qualifier) is open */
ORVRUN_API uint8_t ISKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
/* forget every open object */
ORVRUN_API void FREEKOO(void) ORVRUN_NOEXCEPT;
/* Popup icons, status texts, shortcuts, the mouse and tooltips. A window is an open window's
 * handle, 0 for the calling thread's current window; a popup is an orv::ui::PopupMenu*. */
/* icons on a list popup's four standard items */
ORVRUN_API void USTAW4IKONYBROWSERA(void* popup,
                                    const uint8_t* variant /* optional */) ORVRUN_NOEXCEPT;
/* add the e-Dokumenty item to a popup */
ORVRUN_API void POPUPADDEDOKUMENTY(void* popup) ORVRUN_NOEXCEPT;
/* document state into status-bar zone 6 */
ORVRUN_API void POKAZSTATUSDOK(const char* base, double editing_user, uint8_t edited,
                               uint8_t posted, uint8_t locked,
                               const uint8_t* marked /* optional */) ORVRUN_NOEXCEPT;
/* choose a keyboard shortcut */
ORVRUN_API void SKROTYKLAWISZOWE(ORVRUN_TEXT* name /* 31 bytes */, int32_t* code) ORVRUN_NOEXCEPT;
/* move the mouse pointer relative to a window */
ORVRUN_API void USTAWMYSZ(int32_t window /* window */, int32_t dx, int32_t dy) ORVRUN_NOEXCEPT;
/* set a control's tooltip */
ORVRUN_API void USTAWTOOLTIP(int32_t window /* window */, int32_t control,
                             const char* text) ORVRUN_NOEXCEPT;
/* Export of a list to a spreadsheet file. */
/* export a list to a CSV, XLS or XLSX file the user names; log it; offer to open it */
ORVRUN_API void EXPORTBROWSERTOEXCEL(const ORVRUN_LIST* list, int32_t control,
                                     const char* description /* optional */) ORVRUN_NOEXCEPT;
/* Column settings of the lists (INI_BRO, INI_KOL_BRO) and the column configuration dialog. */
/* load the windows, the current user's list columns and window parameters */
ORVRUN_API void LADUJUSTAWIENIAKOLUMN(void) ORVRUN_NOEXCEPT;
/* first and last configurable column numbers of a list window, 0 and 0 when unknown */
ORVRUN_API void POBIERZZAKRESKOLUMNBROWSERA(const char* window, int32_t* first,
                                            int32_t* last) ORVRUN_NOEXCEPT;
/* format of the column at a position, empty when none or hidden from everyone */
ORVRUN_API char* POBIERZKOLUMNEFORMAT(const char* window, int32_t position) ORVRUN_NOEXCEPT;
/* width of the column at a position, 0 when none, not shown or hidden from everyone */
ORVRUN_API int32_t POBIERZKOLUMNEROZMIAR(const char* window, int32_t position) ORVRUN_NOEXCEPT;
/* store format and width of the column at a position: 1 found, 0 not */
ORVRUN_API uint8_t USTAWKOLUMNE(const char* window, int32_t position, const char* format,
                                int32_t width) ORVRUN_NOEXCEPT;
/* the column configuration dialog of a list: 1 saved, 0 cancelled or no columns */
ORVRUN_API uint8_t KONFIGURACJA_KOLUMN(const char* window) ORVRUN_NOEXCEPT;
/* List windows of the library. A list opened with GLOBALREQUEST 4 chooses a row: it is left in
 * the list's record buffer (ORVRUN_RECORD_GET) and GLOBALRESPONSE is 1, else 2. */
/* the list of users; chooses one into UZYTKOWNIK1 (ID_UZYTKOWNIKA, NAZWA, IDENTYFIKATOR) */
ORVRUN_API void UZYTKOWNIK1_BRW(void) ORVRUN_NOEXCEPT;
/* the settings profiles the user sees (own and shared); chooses one into ORV_PROFILE_USTAWIEN */
ORVRUN_API void PROFILE_USTAWIEN_BRW(void) ORVRUN_NOEXCEPT;
/* the open windows and objects: the chosen window's value, else 0 (an object: record NAWIGATOR) */
ORVRUN_API int32_t NAWIGATOR(void) ORVRUN_NOEXCEPT;
/* the execution-log rows of the current user and one context */
ORVRUN_API void LOG_WYKONANIA(const char* context) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
