// Company data from the REGON register (GUS): the utility library searches, the module shows its
// search window and pours the chosen company into the caller's record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dict/group.hpp"

namespace orv::calc {

// 1 when a company was chosen and its fields were put into `record` by position (the n-th element
// of the company XML into the n-th field); 0 otherwise, the record then unchanged.
uint8_t PODAJDANEGUS(dict::Group& record);

// The company XML made readable: the register's numeric references and quotes resolved, the
// apostrophe turned into a grave accent, and every "&" that starts no reference escaped, so an
// answer that already escapes its "&" is not escaped twice.
std::string cleaned_company_xml(std::string_view xml);

}  // namespace orv::calc
