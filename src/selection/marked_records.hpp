// Marked-record sets: single marks, unmarking, counting, and saving marks on the server.
#pragma once

#include <cstdint>
#include <optional>

namespace orv::selection {

// Marks record `id` in the set `usage` of the current user. An id2 other than 0 marks the pair
// with an inline batch; otherwise the server's JL_Zaznacz does it (id2 left to the server).
void ZAZNACZSQL(int32_t usage, double id, std::optional<double> id2 = std::nullopt);
void ODZNACZSQL(int32_t usage, double id);
void ODZNACZALLSQL(int32_t usage);
// Size of the set; 0 when the count cannot be read.
int32_t ILEZAZNACZONYCH(int32_t usage);
// The same count, or nothing when the query failed (for callers that must not mistake a failed
// count for an empty set).
std::optional<int32_t> checked_count(int32_t usage);
// Save and restore the marks on the server under two numbers the server interprets; the result
// is the server procedure's return code (0 when it returned none or failed).
uint8_t ZACHOWAJ_TORIX_ZAZNACZONE(int32_t first, int32_t second);
uint8_t PRZYWROC_TORIX_ZAZNACZONE(int32_t first, int32_t second);

}  // namespace orv::selection
