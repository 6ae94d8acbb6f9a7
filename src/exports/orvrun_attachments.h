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

/* Article and contractor photos. The photo table is "ARTYKUL_BLOB" or "KONTRAHENT_BLOB". */
/* the photo viewer of an article (its id) or contractor; variant "1" only shows */
ORVRUN_API void ZDJECIA_VIEWER(const char* object_id, const char* photo_table,
                               const char* variant) ORVRUN_NOEXCEPT;
/* add the photo entries to a popup */
ORVRUN_API void POPUPADDZDJECIA(const char* prefix, void* popup) ORVRUN_NOEXCEPT;
/* a group operation on the photos of the marked articles or contractors */
ORVRUN_API void ZDJECIAOPERACJEGRUPOWE(const char* operation, const char* photo_table,
                                       int32_t usage) ORVRUN_NOEXCEPT;

/* CSV import of articles: files in plik_blob, their records in artykul_imp. */
/* the list of imported files of an object kind (e.g. "ARTYKUL") */
ORVRUN_API void IMPORTCSV_BRW(const char* kind) ORVRUN_NOEXCEPT;
/* the buffered records of one imported file */
ORVRUN_API void IMPORTCSVART_BRW(int32_t file_id) ORVRUN_NOEXCEPT;
/* the form of the buffered record last chosen in its list */
ORVRUN_API void IMPORTCSVART_UPD(void) ORVRUN_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
