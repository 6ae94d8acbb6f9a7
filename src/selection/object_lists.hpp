// LISTY_OBIEKTOW and LISTY_OBIEKTOW_UPD: named, stored copies of a marked set of customers (120)
// or articles (102), their list window, their form and the clipboard list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::selection {

// The list of the object lists of a kind. Modes 4, 14 and 24 choose one (left in the record
// buffer ORV_LISTA_OBIEKTOW); 14 without the editing buttons; 24 the user's clipboard lists.
void LISTY_OBIEKTOW(std::string_view kind, std::optional<std::string_view> mode = {},
                    std::optional<std::string_view> usage = {},
                    std::optional<int32_t> warehouse = {});

// The form of the list in ORV_LISTA_OBIEKTOW for GLOBALREQUEST; in mode 24 the marked set is
// stored as a new clipboard list of the current user without a window.
void LISTY_OBIEKTOW_UPD(int32_t kind, std::optional<int32_t> mode = {},
                        std::optional<int32_t> usage = {}, std::optional<int32_t> warehouse = {});

// What the window and the form share.
namespace object_lists {

inline constexpr int32_t kCustomers = 120;
inline constexpr int32_t kArticles = 102;
inline constexpr const char* kRecord = "ORV_LISTA_OBIEKTOW";

// "kontrahentów" or "artykułów".
std::string noun(int32_t kind);
// The marked set's size: for articles of a warehouse only that warehouse's.
int32_t marked_count(int32_t kind, int32_t usage, int32_t warehouse);
// The form (every mode but 24).
void form(int32_t kind, int32_t mode, int32_t usage, int32_t warehouse);

}  // namespace object_lists

}  // namespace orv::selection
