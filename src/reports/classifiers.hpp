// Classifiers (additional fields): their values loaded, saved, checked, printed and filtered on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dict/tables.hpp"
#include "reports/report_band.hpp"

namespace orv::reports {

// Element i holds the value of field number i + 1, as text (dates as their day number).
using ClassifierValues = std::array<std::string, 10>;

// The condition KLASYFIKATORY_UTWORZSQL gives when it refuses a filter: it selects nothing.
inline constexpr std::string_view kSelectsNothing = "1=0";
// The longest condition a caller's buffer takes.
inline constexpr std::size_t kMaxClassifierCondition = 2000;

// The fields of a group in field-number order 1, 2, ... up to the first number it lacks.
std::vector<const dict::KlasyfikatorRow*> classifier_fields(std::string_view group);
// The table or view the group's values live in.
std::string classifier_table(std::string_view group);
// "liczba", "liczba całkowita" and "data": compared as numbers.
bool numeric_type(std::string_view data_type);

// Loads an object's values (mode 2 and up), or the defaults of a new one (mode 1), and the
// computed fields (every mode but 0). 1 when a value is not blank.
uint8_t KLASYFIKATORY_INITUSE(std::string_view group, std::string_view id_column, double object_id,
                              ClassifierValues& values, std::optional<uint8_t> mode);

// A condition on the alias A for the values typed: each value is a quoted, escaped literal, or
// a number where a number is compared. A value that is not a number where one is compared, or a
// condition longer than kMaxClassifierCondition, is refused with a warning: the result is then
// kSelectsNothing, never a condition that says more or less than the user typed.
std::string KLASYFIKATORY_UTWORZSQL(std::string_view group, const ClassifierValues& values,
                                    const ClassifierValues* operators);

// True (after its warning) when a required text is blank or a restricted drop-down value is not
// one of the allowed items.
bool KLASYFIKATORY_WALIDUJ(std::string_view group, const ClassifierValues& values);

// Writes the values of an object (id above 0, by its identifier column) or of the objects a
// condition selects (id 0, the fields whose change flag is set). Values are escaped on a copy:
// the caller's array keeps what it held.
void KLASYFIKATORY_ZAPISZ(std::string_view group, std::string_view id_or_condition,
                          double object_id, const ClassifierValues& values,
                          const ClassifierValues* change_flags);

// Places "label:  value" texts, numbered from 5001, on the band for the fields the mask selects;
// true when nothing was placed.
bool KLASYFIKATORY_RAPORT(std::string_view group, const ClassifierValues& values, Band& band,
                          std::string_view mask);

}  // namespace orv::reports
