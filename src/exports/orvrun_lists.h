/* Exported procedures of the lists subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_LISTS_H
#define ORVRUN_LISTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Open-window registry (OKNAQ) and open-object registry (GLO:KOLEJKAOTWARTYCHOKIEN). */
ORVRUN_API uint8_t DODAJOKNO(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API void SKASUJOKNO(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t WEZOKNO(const char* name) ORVRUN_NOEXCEPT;
ORVRUN_API void ADDKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
ORVRUN_API void DELKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t ISKOO(const char* name, const char* qualifier) ORVRUN_NOEXCEPT;
ORVRUN_API void FREEKOO(void) ORVRUN_NOEXCEPT;
/* Popup icons, status texts, shortcuts, the mouse and tooltips. A window is an open window's
 * handle, 0 for the calling thread's current window; a popup is an orv::ui::PopupMenu*. */
ORVRUN_API void USTAW4IKONYBROWSERA(void* popup,
                                    const uint8_t* variant /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void POPUPADDEDOKUMENTY(void* popup) ORVRUN_NOEXCEPT;
ORVRUN_API void POKAZSTATUSDOK(const char* base, double editing_user, uint8_t edited,
                               uint8_t posted, uint8_t locked,
                               const uint8_t* marked /* optional */) ORVRUN_NOEXCEPT;
ORVRUN_API void SKROTYKLAWISZOWE(ORVRUN_TEXT* name, int32_t* code) ORVRUN_NOEXCEPT;
ORVRUN_API void USTAWMYSZ(int32_t window, int32_t dx, int32_t dy) ORVRUN_NOEXCEPT;
ORVRUN_API void USTAWTOOLTIP(int32_t window, int32_t control, const char* text) ORVRUN_NOEXCEPT;
/* Column settings of the lists (INI_BRO, INI_KOL_BRO) and the column configuration dialog. */
ORVRUN_API void LADUJUSTAWIENIAKOLUMN(void) ORVRUN_NOEXCEPT;
ORVRUN_API void POBIERZZAKRESKOLUMNBROWSERA(const char* window, int32_t* first,
                                            int32_t* last) ORVRUN_NOEXCEPT;
ORVRUN_API char* POBIERZKOLUMNEFORMAT(const char* window, int32_t position) ORVRUN_NOEXCEPT;
ORVRUN_API int32_t POBIERZKOLUMNEROZMIAR(const char* window, int32_t position) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t USTAWKOLUMNE(const char* window, int32_t position, const char* format,
                                int32_t width) ORVRUN_NOEXCEPT;
ORVRUN_API uint8_t KONFIGURACJA_KOLUMN(const char* window) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
