// The system date and time forms: Polish defaults, settable by the host, and the month names.
#include "platform/picture/system_forms.hpp"

#include <mutex>

#include "platform/date/date.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::picture {
namespace {

constexpr std::string_view kEnglish[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
// Literals are split after a hex escape that a letter would otherwise continue.
// NOLINTBEGIN(bugprone-suspicious-missing-comma)
constexpr std::string_view kPolishGenitive[] = {
    "stycznia", "lutego",   "marca",          "kwietnia",           "maja",      "czerwca",
    "lipca",    "sierpnia", "września"_w1250, "października"_w1250, "listopada", "grudnia"};

// NOLINTEND(bugprone-suspicious-missing-comma)

std::mutex g_mutex;
DisplayLocale& locale_slot() {
  static DisplayLocale locale;
  return locale;
}

void append_number(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

// One run of a pattern letter: `run` repeats of `c`.
void append_field(std::string& out, char c, int run, const Moment& m, bool genitive) {
  const int width = run >= 2 ? 2 : 1;
  switch (c) {
    case 'd':
      return append_number(out, m.day, width);
    case 'M':
      if (run <= 2) return append_number(out, m.month, width);
      if (run == 3) {
        out += date::month_name(m.month).substr(0, 3);
        return;
      }
      out += genitive ? kPolishGenitive[m.month - 1] : date::month_name(m.month);
      return;
    case 'y':
      if (run <= 2) return append_number(out, m.year % 100, 2);
      return append_number(out, m.year, 4);
    case 'H':
      return append_number(out, m.hour, width);
    case 'h':
      return append_number(out, (m.hour + 11) % 12 + 1, width);
    case 'm':
      return append_number(out, m.minute, width);
    case 's':
      return append_number(out, m.second, width);
    case 't':
      out += m.hour < 12 ? 'A' : 'P';
      if (run >= 2) out += 'M';
      return;
    default:
      out.append(run, c);
  }
}

}  // namespace

void set_display_locale(const DisplayLocale& locale) {
  std::lock_guard lock(g_mutex);
  locale_slot() = locale;
}

DisplayLocale display_locale() {
  std::lock_guard lock(g_mutex);
  return locale_slot();
}

std::string_view english_month(int month) {
  return kEnglish[month - 1];
}

int month_from_name(std::string_view name) {
  if (name.empty()) return 0;
  std::string wanted = text::lower(name);
  int found = 0;
  auto consider = [&](std::string_view candidate, int month) {
    if (!text::lower(candidate).starts_with(wanted)) return true;
    if (found && found != month) return false;  // ambiguous
    found = month;
    return true;
  };
  for (int m = 1; m <= 12; ++m) {
    if (!consider(kEnglish[m - 1], m) || !consider(date::month_name(m), m) ||
        !consider(kPolishGenitive[m - 1], m)) {
      return 0;
    }
  }
  return found;
}

std::string format_pattern(std::string_view pattern, const Moment& moment) {
  // A month name next to a day is declined ("1 maja 2015"); alone it is in the nominative.
  const bool genitive = pattern.find('d') != std::string_view::npos;
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    if (c == '\'') {
      auto end = pattern.find('\'', i + 1);
      if (end == std::string_view::npos) end = pattern.size();
      out += pattern.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    append_field(out, c, static_cast<int>(run), moment, genitive);
    i += run;
  }
  return out;
}

std::string date_order(std::string_view pattern) {
  std::string order;
  for (char c : pattern) {
    char f = c == 'd' ? 'd' : c == 'M' ? 'm' : c == 'y' ? 'y' : 0;
    if (f && order.find(f) == std::string::npos) order += f;
  }
  return order.size() == 3 ? order : "dmy";
}

}  // namespace orv::picture
