// The users' list-column layouts: loading them into INI_BRO and INI_KOL_BRO, and the accessors.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/dict/tables.hpp"
#include "platform/sql/scratch_table.hpp"
#include "platform/threads/locks.hpp"

namespace orv::lists {

// Guards INI_BRO and INI_KOL_BRO: every accessor and the dialog's write-back hold it for one call.
// LADUJUSTAWIENIAKOLUMN does not take it: the host loads when no list is being built.
threads::CriticalSection& column_section();

// Refills INI_BRO, INI_KOL_BRO (the current user's columns), INI_PAR_OKNO and
// GLO:ILOSCARTBEZPRZECINKA from the server.
void LADUJUSTAWIENIAKOLUMN();

// A window's first and last configurable column numbers; both 0 when the window is unknown.
void POBIERZZAKRESKOLUMNBROWSERA(std::string_view window, int32_t& first, int32_t& last);
// The column at the user's position (kolejnosc): its format or width, or the empty text or 0
// when there is no such column or it is hidden from everyone.
std::string POBIERZKOLUMNEFORMAT(std::string_view window, int32_t position);
int32_t POBIERZKOLUMNEROZMIAR(std::string_view window, int32_t position);
// Stores format (cut to 200 characters) and width in the column at that position; 1 when found.
uint8_t USTAWKOLUMNE(std::string_view window, int32_t position, std::string_view format,
                     int32_t width);

// Shared with the column dialog.

// A window name as the tables key it: cut to 50 characters, trailing blanks removed.
std::string list_key(std::string_view window);

// Rows of one window; the caller holds column_section().
dict::IniKolBroRow* column_by_number(std::string_view key, int32_t number);
dict::IniKolBroRow* column_at_position(std::string_view key, int32_t position);

// The quantity pictures of a quantity column: without decimals ("Tak") every four-decimal form
// ("@n-14_`4@") becomes its plain picture ("@n-14_@"), otherwise every plain one its four-decimal
// form.
std::string quantity_pictures(std::string_view format, bool without_decimals);

// "|F" marks a locked column. Both are idempotent: locking a locked format adds no second F.
std::string lock_format(std::string_view format);
std::string unlock_format(std::string_view format);
bool is_locked(std::string_view format);

// Whether additional field `field` ("pole" + number) of a classifier group is active, asked on
// the scalar channel. No answer reads as 0: inactive.
bool field_active(std::string_view group, int32_t field);
// The additional-field rule of loading and of the dialog: an additional-field column of a window
// with a classifier group and an offset shows only when its field is active.
bool additional_field_shown(uint8_t additional, std::string_view group, int32_t offset,
                            int32_t number);

// Sends `statement` straight on channel 2's scratch table (closed and reopened first) and hands
// each row to `row`; the table is closed after. A failure shows the SQL error window (unless the
// driver's message mentions HSTM) and returns false.
bool read_on_channel_2(std::string_view statement,
                       const std::function<void(const sql::ScratchTable&)>& row);

}  // namespace orv::lists
