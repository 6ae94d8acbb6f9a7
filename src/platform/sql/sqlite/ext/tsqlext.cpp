// Entry point of the loadable extension: `.load tsqlext` in sqlite3, LoadExt= in the ODBC driver.
// The host process must use the system libsqlite3 (both of those do): the registrations call it
// directly.
#include <sqlite3ext.h>

#include <mutex>

#include "orvrun_host.h"

SQLITE_EXTENSION_INIT1

extern "C" __attribute__((visibility("default"))) int sqlite3_tsqlext_init(
    sqlite3* db, char** error, const sqlite3_api_routines* api) {
  // Every connection loads the extension, and ODBC connections are opened on several threads at
  // once: the routine table, the same for all of them, is stored by the first load only.
  static std::once_flag stored;
  std::call_once(stored, [api] { SQLITE_EXTENSION_INIT2(api); });
  (void)error;
  ORVRUN_SQLITE_REGISTER(db);
  return SQLITE_OK;
}
