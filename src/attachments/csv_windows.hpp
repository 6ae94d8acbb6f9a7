// IMPORTCSV_BRW, IMPORTCSVART_BRW and IMPORTCSVART_UPD: the imported files, their records, a
// record.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv::attachments {

// The list of imported files of one object kind, with its operations as buttons.
void IMPORTCSV_BRW(std::string_view kind);
// The buffered records of one file with their state and the reason of each rejection.
void IMPORTCSVART_BRW(int32_t file_id);
// The form of the record the records list left in its row buffer, for the list's request
// (GLOBALREQUEST = change); GLOBALRESPONSE says whether it was saved.
void IMPORTCSVART_UPD();

}  // namespace orv::attachments
