/* Exported procedures of the frame subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_FRAME_H
#define ORVRUN_FRAME_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Lifecycle. The handlers are the host's C++ objects (orv::frame::ErrorHandler,
 * orv::ini::IniFile); null keeps the module's own. */
ORVRUN_API void ORVRUN_INIT(void* error_handler, void* ini_handler);
ORVRUN_API void ORVRUN_KILL(void);

/* Messages. */
ORVRUN_API uint8_t MSG_PYTANIE(const char* text, const char* title /* optional */);
ORVRUN_API void MSG_INFORMACJA(const char* text);
ORVRUN_API void MSG_OSTRZEZENIE(const char* text);
ORVRUN_API void WALIDACJA(const char* text);
ORVRUN_API void ERRORWIN(const char* statement, const char* message);

#ifdef __cplusplus
}
#endif

#endif
