// Report variants: one variant's parameter values in memory, single values, saving a variant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::reports {

// One parameter of a variant as the module keeps every variant it loaded.
struct CachedParameter {
  std::string name;   // at most 49 characters
  std::string value;  // at most 199 characters
  double parameter_id = 0;
  double variant_id = 0;
  double report_id = 0;
  int32_t ordinal = 0;  // 1, 2, 3... in the order the rows arrived
};

// Fills PARAMETRYWARIANTUQ (sorted by name) with the current user's values of the variant: from
// the variant cache when the module loaded it before, otherwise from the database (channel 2).
void INICJUJWARIANT(double report_id, double variant_id);

// The loaded value of a parameter (exact name); the empty text for an unknown name.
std::string WARTOSCPARAMETRU(std::string_view name);
// Changes a loaded value in memory (and in the cache entry of the report and variant the record
// buffers RAPORT and WARIANT name); an unknown name changes nothing.
void ZAPISZWARTOSCPARAMETRU(std::string_view name, std::string_view value);
// As ZAPISZWARTOSCPARAMETRU, then stores the value at once; a failed store warns and memory keeps
// the new value. An unknown name stores nothing.
void ZAPISZWARTOSCPARAMETRUDOBAZY(std::string_view name, std::string_view value);

// What ZAPISZWARIANT returns after the delete choice.
inline constexpr double kVariantDeleted = 99999;

// Saves the loaded values as a variant: under a new name it asks whether to rename the variant
// named `old_name`, create a new one or delete it. Returns the WARIANT buffer's ID_WARIANTU,
// 0 after a refusal (a name taken, or longer than the 50 characters a name holds) or cancel,
// kVariantDeleted after a delete.
double ZAPISZWARIANT(double report_id, double variant_id, std::string_view new_name,
                     std::string_view old_name);

// The variant cache, in (report, variant, ordinal) order; emptied only when the module unloads.
std::vector<CachedParameter> variant_cache();
void clear_variant_cache();

}  // namespace orv::reports
