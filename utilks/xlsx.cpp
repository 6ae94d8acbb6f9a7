// The utility library's XLSX functions: one workbook at a time, written row by row by
// libxlsxwriter.
#include <xlsxwriter.h>

#include <charconv>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/text/text.hpp"
#include "torix_util.h"

// Every argument is a NUL-terminated Windows-1250 text; rows and columns count from 1 as
// decimal texts. Each function answers "" when it did its work, else why not (Windows-1250); the
// answer belongs to the library and holds until the next call on the same thread.
TORIX_API const char* UtworzPlikExcel(const char* file);
TORIX_API const char* UtworzArkuszExcel(const char* sheet);
TORIX_API const char* ZapiszDaneDoKomorkiTekst(const char* row, const char* col, const char* text,
                                               const char* style);
TORIX_API const char* ZapiszDaneDoKomorkiLiczba(const char* row, const char* col, const char* value,
                                                const char* format, const char* style);
TORIX_API const char* UstawKolorTlaNaKomorce(const char* row, const char* col, const char* rgb);
TORIX_API const char* UstawKolorCzcionkiNaKomorce(const char* row, const char* col,
                                                  const char* rgb);
TORIX_API const char* ZapiszArkuszExcel(void);

namespace {

// A cell waiting for the end of its row: colours may still come for it.
struct Pending {
  lxw_col_t col = 0;
  bool number = false;
  std::string text;  // UTF-8
  double value = 0;
  std::string format;
  bool bold = false;
  long font = -1;  // 0xRRGGBB, -1 = the default
  long fill = -1;
};

using FormatKey = std::tuple<std::string, bool, long, long>;

// The workbook being written. Constant-memory mode keeps one row in memory; rows arrive in
// order, as the export writes them.
struct Book {
  lxw_workbook* workbook = nullptr;
  lxw_worksheet* sheet = nullptr;
  std::map<FormatKey, lxw_format*> formats;
  lxw_row_t row = 0;
  std::vector<Pending> cells;
  std::string error;
};

std::mutex g_mutex;
Book g_book;
thread_local std::string t_answer;

// Answers are written here in UTF-8 and handed out in Windows-1250.
const char* answer(std::string_view utf8) {
  t_answer = orv::text::from_utf8(utf8);
  return t_answer.c_str();
}

std::string_view arg(const char* s) {
  return s ? std::string_view(s) : std::string_view();
}

// A 1-based row or column as libxlsxwriter counts them; false when the text is no such number.
bool index_of(const char* s, unsigned long limit, unsigned long& out) {
  std::string_view v = orv::text::trim(arg(s));
  unsigned long n = 0;
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (ec != std::errc{} || end != v.data() + v.size() || n < 1 || n > limit) return false;
  out = n - 1;
  return true;
}

// A number as text: blanks are dropped; a point or a comma, whichever comes last, is the
// decimal sign and the others group thousands ("1 234,50", "1,234.50", "1234.5" alike).
bool number_of(std::string_view s, double& out) {
  std::string digits;
  std::size_t point = s.find_last_of(".,");
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (i == point) {
      digits += '.';
    } else if (c == '-' || c == '+' || orv::text::is_digit(c) || c == 'e' || c == 'E') {
      if (c != '+') digits += c;
    } else if (c != ' ' && c != '\xA0' && c != '.' && c != ',') {
      return false;
    }
  }
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
  return ec == std::errc{} && end == digits.data() + digits.size();
}

// Six hexadecimal digits RRGGBB (eight are taken as 00RRGGBB); -1 when it is not a colour.
long colour_of(std::string_view s) {
  s = orv::text::trim(s);
  if (s.size() == 8) s.remove_prefix(2);
  unsigned long v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (s.size() != 6 || ec != std::errc{} || end != s.data() + s.size()) return -1;
  return static_cast<long>(v);
}

lxw_format* format_for(Book& b, const Pending& c) {
  if (c.format.empty() && !c.bold && c.font < 0 && c.fill < 0) return nullptr;
  FormatKey key{c.format, c.bold, c.font, c.fill};
  auto found = b.formats.find(key);
  if (found != b.formats.end()) return found->second;
  lxw_format* f = workbook_add_format(b.workbook);
  if (!c.format.empty()) format_set_num_format(f, c.format.c_str());
  if (c.bold) format_set_bold(f);
  if (c.font >= 0) format_set_font_color(f, static_cast<lxw_color_t>(c.font));
  if (c.fill >= 0) {
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, static_cast<lxw_color_t>(c.fill));
  }
  b.formats.emplace(key, f);
  return f;
}

void flush_row(Book& b) {
  for (const Pending& c : b.cells) {
    lxw_format* f = format_for(b, c);
    lxw_error e = c.number ? worksheet_write_number(b.sheet, b.row, c.col, c.value, f)
                           : worksheet_write_string(b.sheet, b.row, c.col, c.text.c_str(), f);
    if (e != LXW_NO_ERROR && b.error.empty()) b.error = lxw_strerror(e);
  }
  b.cells.clear();
}

// The pending cell at (row, col): rows before the current one are written out first.
Pending* cell_at(Book& b, const char* row, const char* col, std::string& why) {
  unsigned long r = 0;
  unsigned long c = 0;
  if (!b.sheet) {
    why = "brak arkusza";
    return nullptr;
  }
  if (!index_of(row, LXW_ROW_MAX, r) || !index_of(col, LXW_COL_MAX, c)) {
    why = "niepoprawny adres komórki";
    return nullptr;
  }
  if (r != b.row) {
    flush_row(b);
    b.row = static_cast<lxw_row_t>(r);
  }
  for (Pending& p : b.cells) {
    if (p.col == c) return &p;
  }
  b.cells.push_back(Pending{});
  b.cells.back().col = static_cast<lxw_col_t>(c);
  return &b.cells.back();
}

void drop_book(Book& b) {
  b = Book{};
}

}  // namespace

const char* UtworzPlikExcel(const char* file) {
  std::lock_guard lock(g_mutex);
  if (g_book.workbook) workbook_close(g_book.workbook);
  drop_book(g_book);
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  std::string name = orv::text::to_utf8(arg(file));
  g_book.workbook = workbook_new_opt(name.c_str(), &options);
  return answer(g_book.workbook ? "" : "nie można utworzyć skoroszytu");
}

const char* UtworzArkuszExcel(const char* sheet) {
  std::lock_guard lock(g_mutex);
  if (!g_book.workbook) return answer("brak pliku");
  std::string name = orv::text::to_utf8(arg(sheet));
  g_book.sheet = workbook_add_worksheet(g_book.workbook, name.empty() ? nullptr : name.c_str());
  return answer(g_book.sheet ? "" : "nie można utworzyć arkusza");
}

const char* ZapiszDaneDoKomorkiTekst(const char* row, const char* col, const char* text,
                                     const char* style) {
  std::lock_guard lock(g_mutex);
  std::string why;
  Pending* c = cell_at(g_book, row, col, why);
  if (!c) return answer(why);
  c->number = false;
  c->text = orv::text::to_utf8(arg(text));
  c->bold = orv::text::trim(arg(style)) == "1";
  return answer("");
}

const char* ZapiszDaneDoKomorkiLiczba(const char* row, const char* col, const char* value,
                                      const char* format, const char* style) {
  std::lock_guard lock(g_mutex);
  double v = 0;
  if (!number_of(arg(value), v)) return answer("niepoprawna liczba");
  std::string why;
  Pending* c = cell_at(g_book, row, col, why);
  if (!c) return answer(why);
  c->number = true;
  c->value = v;
  c->format = orv::text::to_utf8(orv::text::trim(arg(format)));
  c->bold = orv::text::trim(arg(style)) == "1";
  return answer("");
}

const char* UstawKolorTlaNaKomorce(const char* row, const char* col, const char* rgb) {
  std::lock_guard lock(g_mutex);
  long colour = colour_of(arg(rgb));
  std::string why;
  Pending* c = colour < 0 ? nullptr : cell_at(g_book, row, col, why);
  if (!c) return answer(colour < 0 ? "niepoprawny kolor" : why);
  c->fill = colour;
  return answer("");
}

const char* UstawKolorCzcionkiNaKomorce(const char* row, const char* col, const char* rgb) {
  std::lock_guard lock(g_mutex);
  long colour = colour_of(arg(rgb));
  std::string why;
  Pending* c = colour < 0 ? nullptr : cell_at(g_book, row, col, why);
  if (!c) return answer(colour < 0 ? "niepoprawny kolor" : why);
  c->font = colour;
  return answer("");
}

const char* ZapiszArkuszExcel(void) {
  std::lock_guard lock(g_mutex);
  if (!g_book.workbook) return answer("brak pliku");
  if (g_book.sheet) flush_row(g_book);
  std::string error = g_book.error;
  lxw_error e = workbook_close(g_book.workbook);
  if (e != LXW_NO_ERROR && error.empty()) error = lxw_strerror(e);
  drop_book(g_book);
  return answer(error);
}
