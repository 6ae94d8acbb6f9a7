// What a channel connection refuses, how long it waits for locks, and its failures in words.
#pragma once

#include <string>

struct sqlite3;

namespace orv::sql::sqlite {

// The lock wait when ORVRUN_BUSY_TIMEOUT does not name one.
inline constexpr int kDefaultBusyTimeoutMs = 5'000;

// ORVRUN_BUSY_TIMEOUT (milliseconds, 0 = do not wait) or the default; a value that is not a whole
// number from 0 to 600000 is ignored.
int busy_timeout_from_environment();

// Refuses on this connection what no procedure needs: ATTACH, DETACH (and so VACUUM INTO),
// extension loading, and PRAGMA writes; read-only PRAGMAs stay allowed. Also turns on SQLite's
// defensive mode, which keeps statements from corrupting the file (writable_schema and the like).
void install_guard(sqlite3* db);

// The message for the connection's last failure (UTF-8): SQLite's own text, with the real cause
// said plainly when a statement was refused, a lock wait gave up or the file is read-only.
std::string failure_message(sqlite3* db);

}  // namespace orv::sql::sqlite
