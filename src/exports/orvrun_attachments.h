/* Exported procedures of the attachments subsystem; conventions in orvrun.h. */
#ifndef ORVRUN_ATTACHMENTS_H
#define ORVRUN_ATTACHMENTS_H

#include "orvrun.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Files and binary values. Results: 0 done, 1 refused as too large, 36 a blank name or an empty
 * file, else the runtime's file error code (2 not found, 3 path not found, 5 access denied). */
/* load a file into a BLOB, refusing one over MaxRozZdjecArt kB unless no_limit is 1 */
ORVRUN_API int32_t PLIKTOBLOB(const char* file, ORVRUN_BLOB* target,
                              const uint8_t* no_limit /* optional */) ORVRUN_NOEXCEPT;
/* write a BLOB to a file (an empty BLOB writes nothing) */
ORVRUN_API int32_t BLOBTOPLIK(const ORVRUN_BLOB* source, const char* file) ORVRUN_NOEXCEPT;
/* load a file into a BLOB without a size limit, giving its size */
ORVRUN_API int32_t RPTTOBLOB(const char* file, ORVRUN_BLOB* target, int32_t* size) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
