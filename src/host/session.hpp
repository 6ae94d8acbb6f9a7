// The host's session: the database it opened, who signed in, and what is written back at the end.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv::host {

enum class Target { Sqlite, Odbc };

// Opens the database every channel then uses, closing the one opened before. An SQLite file
// must be the library's database: a missing, empty, damaged or non-SQLite file is refused with
// the real cause and left as it was; a sound SQLite database without the library's schema only
// with `foreign` (for a host's statements of its own). False with `error` set when refused.
bool open_database(std::string_view target, Target kind, bool foreign, std::string& error);
void close_database();
bool database_open();

// A new database file with the schema and, when `demo`, the demo company. `force` replaces an
// existing database first.
bool create_database(const std::string& path, bool demo, bool force, std::string& error);

// Who signs in. A given identifier must exist in the database; a left-out user is the one the
// shared context already names, a left-out company and warehouse those of the user's own row,
// else the context's.
struct Identity {
  std::optional<double> user;
  std::optional<double> company;
  std::optional<double> warehouse;
};

// What the host does after log-in: the context, VATQ, both configuration tables, the grants,
// the window parameters, the column settings, the classifier fields
// (GLO:KOL_KLASYFIKATOROW) and the last date range. A statement that fails
// fails the sign-in, and `error` names it with the driver's message.
bool sign_in(const Identity& who, std::string& error);

// The classifier fields of every group (KLASYFIKATOR_POLE) into GLO:KOL_KLASYFIKATOROW, as the
// sign-in loads them; false when the query failed.
bool load_classifiers();

// The user leaves: the preferences changed since sign-in are written back. False with `error`
// when writing failed; true when nobody signed in or nothing changed.
bool sign_out(std::string& error);

}  // namespace orv::host
