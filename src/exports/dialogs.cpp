// C entry points of the dialog utilities: the calendar and the date-range prompts.
#include <cstring>

#include "boundary.hpp"
#include "dialogs/calendar.hpp"
#include "dialogs/date_range.hpp"
#include "dialogs/send_email.hpp"
#include "dialogs/stock_levels.hpp"
#include "table.hpp"

using orv::exports::guard;
using orv::exports::optional_of;

namespace {

// The caller's text in its buffer: up to the NUL, never past the buffer's end.
std::string read_text(const ORVRUN_TEXT* ref) {
  if (!ref || !ref->data || ref->size == 0) return {};
  return std::string(ref->data, strnlen(ref->data, ref->size));
}

}  // namespace

extern "C" {

int32_t KALENDARZ(int32_t x, int32_t y, int32_t date) noexcept {
  return guard(__func__, date, [&] { return orv::dialogs::KALENDARZ(x, y, date); });
}
int32_t KALENDARZ_OLD(int32_t x, int32_t y, int32_t date) noexcept {
  return guard(__func__, date, [&] { return orv::dialogs::KALENDARZ_OLD(x, y, date); });
}

uint8_t PYTAJOZAKRESDAT(const uint8_t* save_global, int32_t* date_from, int32_t* date_to,
                        ORVRUN_TEXT* range_name) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string name = read_text(range_name);
    uint8_t r = orv::dialogs::PYTAJOZAKRESDAT(optional_of(save_global), date_from, date_to,
                                              range_name ? &name : nullptr);
    if (r == 1 && range_name) orv::exports::put_text(range_name, name);
    return r;
  });
}
uint8_t PYTAJOZAKRES3DAT(int32_t* date_from, int32_t* date_to, ORVRUN_TEXT* range_name) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string name = read_text(range_name);
    uint8_t r = orv::dialogs::PYTAJOZAKRES3DAT(date_from, date_to, range_name ? &name : nullptr);
    if (r != 0 && range_name) orv::exports::put_text(range_name, name);
    return r;
  });
}

uint8_t SENDEMAIL(const char* to, const char* subject, const char* text,
                  const char* attachment) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto given = [](const char* s) {
      return s ? std::optional<std::string_view>(s) : std::nullopt;
    };
    return orv::dialogs::SENDEMAIL(given(to), given(subject), given(text), given(attachment));
  });
}
void STANYMINMAXREZGRUPOWAZMIANA(int32_t usage) noexcept {
  guard(__func__, [&] { orv::dialogs::STANYMINMAXREZGRUPOWAZMIANA(usage); });
}

}  // extern "C"
