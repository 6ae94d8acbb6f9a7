// List filters and sort orders in the host's expression language rewritten as SQL text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::selection {

// The working buffer of every translator: longer texts are cut to this many characters, the
// input when it arrives and the result when it is given back. Parts of a text are never cut on
// their own, so a long filter is never silently turned into another valid one.
inline constexpr std::size_t kMaxFilter = 19999;

// Every table prefix with its colon removed ("ART:NAZWA" -> "NAZWA"); a colon with no
// identifier before it goes alone. Colons inside quoted literals stay ('12:30' is a value).
std::string FILTR2SQL(std::string_view expression);

// The host's names replaced by the SQL statement's (old_1 -> new_1, old_2 -> new_2, every
// occurrence, replaced text never searched again), then the first INSTRING test turned into a
// LIKE, minus signs before new_1 / new_2 into " desc", and "(SUB(" into "(SUBSTRING(".
std::string PRZYGOTUJFILTR(std::string_view filter, std::string_view old_1, std::string_view old_2,
                           std::string_view new_1, std::string_view new_2);

// The first INSTRING('text',field,1,1) <> 0 becomes field like '%text%'. The search text is
// matched literally: LIKE's own wildcards in it are bracketed. A test whose first argument is
// not one quoted literal is left as it is.
std::string REPLACEINSTRINGNALIKE(std::string_view text);

// Each "-" + prefix item of a sort order loses its minus and gains " desc" before the next
// comma (or at the end). A blank prefix rewrites nothing; minus signs inside literals stay.
std::string REPLACEMINUSNADESC(std::string_view text, std::string_view prefix_1,
                               std::string_view prefix_2);

// The two clipped, joined by " AND " when both are non-empty.
std::string DODAJKOMPONENTFILTRA(std::string_view filter, std::string_view component);

// field>=date from the user's "DataOdPelnyZakres" parameter; empty when it is 0 or absent.
std::string PODAJFILTRODCIECIA(std::string_view field);

// For "OKontr" at the restricted level (and, when asked, with the "D" flag): the component that
// limits a customer list (alias A) to the customers on the user's groups' object lists.
std::string FILTRUPRAWTYLKOWGLISTZAZN(std::string_view permission,
                                      std::optional<uint8_t> check_flag = std::nullopt);

}  // namespace orv::selection
