// BIFF8 records for one workbook: globals (fonts, formats, styles, palette, sheets), then each
// sheet's cells.
#include "lists/xls_export.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "lists/compound_file.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;
constexpr std::size_t kMaxText = 4000;    // characters a cell keeps
constexpr std::size_t kMaxRecord = 8224;  // bytes of one record's body
constexpr int kMaxPlaces = 6;
constexpr double kMargin = 1.5;            // inches, all four sides
constexpr std::uint16_t kRowHeight = 280;  // 14 points, in twips
constexpr const char* kSheetName = "eksport z ORVEX";
constexpr const char* kPageHeader = "Arkusz eksportu";
constexpr const char* kPageFooter = "Wykonano z programu ORVEX dla Windows.";

// Cell styles after the 15 style records every workbook starts with.
constexpr std::uint16_t kXfCell = 15;
constexpr std::uint16_t kXfHeader = 16;
constexpr std::uint16_t kXfDate = 17;
constexpr std::uint16_t kXfNumber = 18;  // + decimals
constexpr std::uint16_t kDateFormat = 180;
constexpr std::uint16_t kXfFirstColoured = kXfNumber + kMaxPlaces + 1;
constexpr std::size_t kMaxXf = 4000;              // a little under what readers take
constexpr std::uint16_t kFirstColourFont = 5;     // BIFF numbers fonts 0-3, then 5 on
constexpr std::uint16_t kDefaultColour = 0x7FFF;  // a font's own colour: the window text's
constexpr std::uint16_t kWindowBackground = 0x41;
constexpr std::uint8_t kFirstSlot = 8;  // palette slots 8-63 take custom colours
constexpr std::size_t kSlots = 56;

// The palette a workbook has unless it says otherwise (0xRRGGBB, slots 8-63); the slots no list
// colour takes keep these.
constexpr std::array<std::uint32_t, kSlots> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

void add16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void add32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void add_double(std::string& s, double v) {
  char b[8];
  std::memcpy(b, &v, 8);
  s.append(b, 8);
}

// Windows-1250 as UTF-16LE characters, at most `limit` of them.
void add_utf16(std::string& s, std::string_view cp1250, std::size_t limit) {
  for (std::size_t i = 0; i < cp1250.size() && i < limit; ++i) {
    auto b = static_cast<unsigned char>(cp1250[i]);
    add16(s, b < 0x80 ? b : static_cast<std::uint16_t>(text::kCp1250High[b - 0x80]));
  }
}
// A string with a two-byte length (cells, formats, header and footer).
void add_string16(std::string& s, std::string_view cp1250, std::size_t limit = kMaxText) {
  add16(s, static_cast<std::uint16_t>(std::min(cp1250.size(), limit)));
  s += '\x01';  // UTF-16
  add_utf16(s, cp1250, limit);
}
// A string with a one-byte length (font and sheet names).
void add_string8(std::string& s, std::string_view cp1250) {
  s += static_cast<char>(std::min<std::size_t>(cp1250.size(), 255));
  s += '\x01';
  add_utf16(s, cp1250, 255);
}

std::uint16_t format_of(int places) {
  if (places == 0) return 3;  // "#,##0", built in
  if (places == 2) return 4;  // "#,##0.00", built in
  return static_cast<std::uint16_t>(164 + places);
}

// Records collected in a buffer and handed to the container in large pieces.
class Biff {
 public:
  explicit Biff(CompoundFile& file) : file_(file) {}

  bool record(std::uint16_t type, std::string_view body) {
    add16(buffer_, type);
    add16(buffer_, static_cast<std::uint16_t>(body.size()));
    buffer_ += body;
    return buffer_.size() < kFlushAt || flush();
  }
  bool flush() {
    bool ok = file_.write(buffer_);
    buffer_.clear();
    return ok;
  }
  std::uint64_t offset() const { return file_.stream_size() + buffer_.size(); }
  // A number cell, without building a body.
  bool number(std::uint16_t row, std::uint16_t col, std::uint16_t xf, double v) {
    add16(buffer_, 0x0203);
    add16(buffer_, 14);
    add16(buffer_, row);
    add16(buffer_, col);
    add16(buffer_, xf);
    add_double(buffer_, v);
    return buffer_.size() < kFlushAt || flush();
  }
  // A text cell: its string's number in the shared strings.
  bool label(std::uint16_t row, std::uint16_t col, std::uint16_t xf, std::uint32_t string) {
    add16(buffer_, 0x00FD);
    add16(buffer_, 10);
    add16(buffer_, row);
    add16(buffer_, col);
    add16(buffer_, xf);
    add32(buffer_, string);
    return buffer_.size() < kFlushAt || flush();
  }

 private:
  CompoundFile& file_;
  std::string buffer_;
};

// The shared strings: every text cell gets its own entry, in the order the cells come, so the
// table is written as the cells are walked and nothing is held to look strings up. A string
// that does not fit the record goes on in a continuation, which repeats the encoding byte.
class SharedStrings {
 public:
  explicit SharedStrings(Biff& biff) : biff_(biff), record_(8, '\0') {}

  bool add(std::string_view cp1250) {
    std::size_t n = std::min(cp1250.size(), kMaxText);
    if (record_.size() + 5 > kMaxRecord && !next_record()) return false;
    add16(record_, static_cast<std::uint16_t>(n));
    record_ += '\x01';  // UTF-16
    for (std::size_t i = 0; i < n; ++i) {
      if (record_.size() + 2 > kMaxRecord) {
        if (!next_record()) return false;
        record_ += '\x01';
      }
      add_utf16(record_, cp1250.substr(i, 1), 1);
    }
    ++count_;
    return true;
  }
  bool finish() { return next_record(); }
  std::uint32_t count() const { return count_; }
  // Where the two counts at the head of the table stand in the stream.
  std::uint64_t counts_at() const { return counts_at_; }

 private:
  bool next_record() {
    if (first_) counts_at_ = biff_.offset() + 4;
    bool ok = biff_.record(first_ ? 0x00FC : 0x003C, record_);
    first_ = false;
    record_.clear();
    return ok;
  }

  Biff& biff_;
  std::string record_;
  bool first_ = true;
  std::uint32_t count_ = 0;
  std::uint64_t counts_at_ = 0;
};

std::string bof(std::uint16_t kind) {
  std::string b;
  add16(b, 0x0600);  // BIFF8
  add16(b, kind);    // 5 workbook globals, 0x10 worksheet
  add16(b, 0x0DBB);
  add16(b, 0x07CC);
  add32(b, 0);
  add32(b, 6);
  return b;
}

std::string font(bool bold, std::uint16_t colour = kDefaultColour) {
  std::string b;
  add16(b, 200);           // 10 points, in twips
  add16(b, bold ? 1 : 0);  // older readers take bold from this bit, newer from the weight
  add16(b, colour);
  add16(b, bold ? 700 : 400);
  add16(b, 0);
  b += '\0';
  b += '\0';
  b += '\xEE';  // East European character set
  b += '\0';
  add_string8(b, "MS Sans Serif");
  return b;
}

// `fill`: the palette slot of a solid background, 0 for none.
std::string xf_record(std::uint16_t font_index, std::uint16_t format, bool style,
                      std::uint8_t fill = 0) {
  std::string b;
  add16(b, font_index);
  add16(b, format);
  add16(b, style ? 0xFFF5 : 0x0001);
  b += '\x20';  // bottom-aligned
  b += '\0';
  b += '\0';
  b += style ? '\0' : '\xFC';  // a cell's own font, format, alignment, borders, fill, protection
  add32(b, 0);
  add32(b, fill ? 1u << 26 : 0);  // fill pattern 1: solid in the pattern colour
  add16(b, static_cast<std::uint16_t>((kWindowBackground << 7) | (fill ? fill : 0x40)));
  return b;
}

// What a cell is written with when it has no colour of its own.
std::uint16_t format_of_xf(std::uint16_t base) {
  if (base == kXfDate) return kDateFormat;
  if (base >= kXfNumber) return format_of(base - kXfNumber);
  return 0;
}

// A data cell's colours as the runtime holds them (0x00BBGGRR, whose bytes in memory order are
// red, green, blue as the palette wants them); -1 = none. The rule the XLSX path follows: a font
// colour above 0, a background of at least 1; a number that is no colour value is none.
struct CellColours {
  std::int32_t font = -1;
  std::int32_t fill = -1;
};

std::int32_t colour_value(const Cell& c, double least) {
  if (!c.numeric() || !(c.number >= least) || c.number > 0xFFFFFF) return -1;
  return static_cast<std::int32_t>(c.number);
}

CellColours colours_of(const ExportColumn& c, const Row* row) {
  const ListColumn& s = *c.source;
  if (!row || !s.colours || s.field < 0 || s.field > INT32_MAX - 2) return {};
  return {colour_value(ListObject::field_of(*row, s.field + 1), 1),
          colour_value(ListObject::field_of(*row, s.field + 2), 1)};
}

// The colours of the list in palette slots, each distinct colour in a slot of its own in the order
// met; once the slots are taken a colour gets the nearest one. Then a font per font colour and a
// cell style per (style, font colour, background) met, written among the workbook's styles.
class Colours {
 public:
  void add(std::uint16_t base, const CellColours& c) {
    const std::uint32_t k = key(base, slot(c.font), slot(c.fill));
    if (xfs_.count(k) || kXfFirstColoured + xfs_.size() >= kMaxXf) return;
    const std::uint8_t fg = slot(c.font);
    if (fg && !fonts_.count(fg)) {
      fonts_.emplace(fg, static_cast<std::uint16_t>(kFirstColourFont + fonts_.size()));
    }
    xfs_.emplace(k, static_cast<std::uint16_t>(kXfFirstColoured + xfs_.size()));
  }
  // The style of a cell with these colours; `base` when it has none, or no style was left for it.
  std::uint16_t xf(std::uint16_t base, const CellColours& c) const {
    if (c.font < 0 && c.fill < 0) return base;
    auto found = xfs_.find(key(base, slot_of(c.font), slot_of(c.fill)));
    return found == xfs_.end() ? base : found->second;
  }
  bool write_fonts(Biff& biff) const;
  bool write_styles(Biff& biff) const;
  bool write_palette(Biff& biff) const;

 private:
  static std::uint32_t key(std::uint16_t base, std::uint8_t fg, std::uint8_t bg) {
    return static_cast<std::uint32_t>(base) << 16 | static_cast<std::uint32_t>(fg) << 8 | bg;
  }
  // The slot of a colour, taking a free one for a colour not met before; 0 for none.
  std::uint8_t slot(std::int32_t colour) {
    if (colour < 0) return 0;
    if (std::uint8_t s = slot_of(colour)) return s;
    const auto s = static_cast<std::uint8_t>(kFirstSlot + used_.size());
    used_.push_back(static_cast<std::uint32_t>(colour));
    slots_.emplace(colour, s);
    return s;
  }
  std::uint8_t slot_of(std::int32_t colour) const {
    if (colour < 0) return 0;
    auto found = slots_.find(colour);
    if (found != slots_.end()) return found->second;
    return used_.size() < kSlots ? 0 : nearest(static_cast<std::uint32_t>(colour));
  }
  std::uint8_t nearest(std::uint32_t colour) const {
    auto channel = [](std::uint32_t c, int i) { return static_cast<int>((c >> (8 * i)) & 0xFF); };
    std::size_t best = 0;
    int best_distance = INT32_MAX;
    for (std::size_t i = 0; i < used_.size(); ++i) {
      int d = 0;
      for (int ch = 0; ch < 3; ++ch) {
        const int delta = channel(used_[i], ch) - channel(colour, ch);
        d += delta * delta;
      }
      if (d < best_distance) best_distance = d, best = i;
    }
    return static_cast<std::uint8_t>(kFirstSlot + best);
  }

  std::map<std::int32_t, std::uint8_t> slots_;   // runtime colour -> slot
  std::vector<std::uint32_t> used_;              // runtime colours by slot, from slot 8
  std::map<std::uint8_t, std::uint16_t> fonts_;  // font colour slot -> font index
  std::map<std::uint32_t, std::uint16_t> xfs_;   // key -> style index
};

bool Colours::write_fonts(Biff& biff) const {
  std::vector<std::uint8_t> by_index(fonts_.size());
  for (const auto& [slot, index] : fonts_) by_index[index - kFirstColourFont] = slot;
  for (std::uint8_t slot : by_index) {
    if (!biff.record(0x0031, font(false, slot))) return false;
  }
  return true;
}

bool Colours::write_styles(Biff& biff) const {
  std::vector<std::uint32_t> by_index(xfs_.size());
  for (const auto& [k, index] : xfs_) by_index[index - kXfFirstColoured] = k;
  for (std::uint32_t k : by_index) {
    const auto base = static_cast<std::uint16_t>(k >> 16);
    const auto fg = static_cast<std::uint8_t>((k >> 8) & 0xFF);
    const auto fill = static_cast<std::uint8_t>(k & 0xFF);
    const std::uint16_t font_index = fg ? fonts_.at(fg) : 0;
    if (!biff.record(0x00E0, xf_record(font_index, format_of_xf(base), false, fill))) return false;
  }
  return true;
}

bool Colours::write_palette(Biff& biff) const {
  if (used_.empty()) return true;
  std::string b;
  add16(b, kSlots);
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (i < used_.size()) {
      add32(b, used_[i]);  // red, green, blue, 0: the runtime's byte order already
      continue;
    }
    const std::uint32_t rgb = kDefaultPalette[i];
    add32(b, (rgb >> 16) | (rgb & 0x00FF00) | (rgb & 0xFF) << 16);
  }
  return biff.record(0x0092, b);
}

bool write_styles(Biff& biff, const Colours& colours) {
  for (bool bold : {false, true, false, false}) {
    if (!biff.record(0x0031, font(bold))) return false;
  }
  if (!colours.write_fonts(biff)) return false;
  for (int p = 1; p <= kMaxPlaces; ++p) {
    if (p == 2) continue;
    std::string b;
    add16(b, format_of(p));
    add_string16(b, "#,##0." + std::string(static_cast<std::size_t>(p), '0'));
    if (!biff.record(0x041E, b)) return false;
  }
  std::string date;
  add16(date, kDateFormat);
  add_string16(date, "yyyy-mm-dd");
  if (!biff.record(0x041E, date)) return false;
  for (int i = 0; i < 15; ++i) {
    if (!biff.record(0x00E0, xf_record(0, 0, true))) return false;
  }
  bool ok = biff.record(0x00E0, xf_record(0, 0, false)) &&
            biff.record(0x00E0, xf_record(1, 0, false)) &&
            biff.record(0x00E0, xf_record(0, kDateFormat, false));
  for (int p = 0; ok && p <= kMaxPlaces; ++p)
    ok = biff.record(0x00E0, xf_record(0, format_of(p), false));
  return ok && colours.write_styles(biff) &&
         biff.record(0x0293, std::string("\x00\x80\x00\xFF", 4)) &&  // the Normal style
         colours.write_palette(biff);
}

constexpr std::size_t kPerSheet = kXlsRowsPerSheet - 1;

// The cells of sheet `sheet` in writing order, the header row first: visit(row, col, source,
// cell), `source` the list's row (null for the header), until it answers false.
template <class Visit>
bool visit_sheet(const ListObject& list, const std::vector<ExportColumn>& columns,
                 std::size_t sheet, Visit&& visit) {
  std::size_t first = sheet * kPerSheet;
  std::size_t count = std::min(kPerSheet, list.row_count() - first);
  bool ok = true;
  for (std::size_t k = 0; ok && k < columns.size(); ++k) {
    SheetCell title{SheetCell::Kind::Text, columns[k].source->title, 0, 0};
    ok = visit(std::uint16_t{0}, static_cast<std::uint16_t>(k), nullptr, title);
  }
  Cell scratch;
  for (std::size_t i = 0; ok && i < count; ++i) {
    const Row* row = list.shown_row(first + i);
    for (std::size_t k = 0; ok && row && k < columns.size(); ++k) {
      const Cell& v = value_of(columns[k], *row, first + i + 1, scratch);
      ok = visit(static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(k), row,
                 sheet_cell(columns[k], v));
    }
  }
  return ok;
}

std::size_t sheet_count(const ListObject& list) {
  return std::max<std::size_t>(1, (list.row_count() + kPerSheet - 1) / kPerSheet);
}

std::string sheet_name(std::size_t sheet) {
  return sheet == 0 ? kSheetName : std::string(kSheetName) + " " + std::to_string(sheet + 1);
}

// Every text of every sheet into the shared strings.
bool write_strings(SharedStrings& strings, const ListObject& list,
                   const std::vector<ExportColumn>& columns) {
  auto add = [&](std::uint16_t, std::uint16_t, const Row*, const SheetCell& c) {
    return c.kind != SheetCell::Kind::Text || strings.add(c.text);
  };
  bool ok = true;
  for (std::size_t s = 0; ok && s < sheet_count(list); ++s) ok = visit_sheet(list, columns, s, add);
  return ok && strings.finish();
}

// The workbook globals; `positions` receives where each sheet's offset is to be written.
bool write_globals(Biff& biff, SharedStrings& strings, const ListObject& list,
                   const std::vector<ExportColumn>& columns, const Colours& colours,
                   std::vector<std::uint64_t>& positions) {
  std::size_t sheets = sheet_count(list);
  std::string window;
  for (std::uint16_t v : {0, 0, 0x3000, 0x2000, 0x0038, 0, 0, 1, 0x0258}) add16(window, v);
  bool ok = biff.record(0x0809, bof(0x0005)) && biff.record(0x0042, "\xB0\x04") &&
            biff.record(0x003D, window) && write_styles(biff, colours);
  for (std::size_t s = 0; ok && s < sheets; ++s) {
    std::string b;
    add32(b, 0);  // the sheet's offset, written once known
    add16(b, 0);
    add_string8(b, sheet_name(s));
    positions.push_back(biff.offset() + 4);
    ok = biff.record(0x0085, b);
  }
  return ok && write_strings(strings, list, columns) && biff.record(0x000A, {});
}

bool write_page(Biff& biff, const std::vector<ExportColumn>& columns, std::uint32_t rows) {
  std::string dims;
  add32(dims, 0);
  add32(dims, rows);
  add16(dims, 0);
  add16(dims, static_cast<std::uint16_t>(columns.size()));
  add16(dims, 0);
  std::string header, footer, height, margin;
  add_string16(header, kPageHeader);
  add_string16(footer, kPageFooter);
  add16(height, 0);
  add16(height, kRowHeight);
  add_double(margin, kMargin);
  bool ok = biff.record(0x0809, bof(0x0010)) && biff.record(0x0200, dims) &&
            biff.record(0x002B, std::string(2, '\0')) && biff.record(0x0225, height) &&
            biff.record(0x0014, header) && biff.record(0x0015, footer);
  for (std::uint16_t code : {0x26, 0x27, 0x28, 0x29}) ok = ok && biff.record(code, margin);
  for (std::size_t k = 0; ok && k < columns.size(); ++k) {
    std::string b;
    add16(b, static_cast<std::uint16_t>(k));
    add16(b, static_cast<std::uint16_t>(k));
    // List widths are dialog units, about four to a character.
    add16(b, static_cast<std::uint16_t>(std::clamp(columns[k].source->width * 64, 1024, 65280)));
    add16(b, kXfCell);
    add32(b, 0);
    ok = biff.record(0x007D, b);
  }
  std::string window2;
  for (std::uint16_t v : {0x06B6, 0, 0, 0x40, 0, 0, 0, 0, 0}) add16(window2, v);
  return ok && biff.record(0x023E, window2);
}

// The style a cell takes before its colours.
std::uint16_t base_xf(bool header, const SheetCell& c) {
  switch (c.kind) {
    case SheetCell::Kind::Text:
      return header ? kXfHeader : kXfCell;
    case SheetCell::Kind::Number:
      return static_cast<std::uint16_t>(kXfNumber + std::clamp(c.places, 0, kMaxPlaces));
    case SheetCell::Kind::Date:
      return kXfDate;
    case SheetCell::Kind::Empty:
      break;
  }
  return kXfCell;
}

bool write_cell(Biff& biff, std::uint16_t row, std::uint16_t col, std::uint16_t xf_index,
                const SheetCell& c, std::uint32_t& string) {
  switch (c.kind) {
    case SheetCell::Kind::Text:
      return biff.label(row, col, xf_index, string++);
    case SheetCell::Kind::Number:
    case SheetCell::Kind::Date:
      return biff.number(row, col, xf_index, c.number);
    case SheetCell::Kind::Empty:
      break;
  }
  return true;
}

// The colours the cells will ask for, when the user wants them: walked before the globals, which
// hold the palette, fonts and styles.
Colours colours_of_list(const ListObject& list, const std::vector<ExportColumn>& columns,
                        bool wanted) {
  Colours colours;
  const bool any = std::any_of(columns.begin(), columns.end(),
                               [](const ExportColumn& c) { return c.source->colours; });
  if (!wanted || !any) return colours;
  Cell scratch;
  for (std::size_t i = 0; i < list.row_count(); ++i) {
    const Row* row = list.shown_row(i);
    for (std::size_t k = 0; row && k < columns.size(); ++k) {
      const CellColours c = colours_of(columns[k], row);
      if (c.font < 0 && c.fill < 0) continue;
      const SheetCell cell = sheet_cell(columns[k], value_of(columns[k], *row, i + 1, scratch));
      if (cell.kind != SheetCell::Kind::Empty) colours.add(base_xf(false, cell), c);
    }
  }
  return colours;
}

// One sheet: its page settings, then its cells; texts take the shared strings in the order they
// were written, counted on in `string`.
bool write_sheet(Biff& biff, const ListObject& list, const std::vector<ExportColumn>& columns,
                 const Colours& colours, std::size_t sheet, std::uint32_t& string) {
  std::size_t rows = std::min(kPerSheet, list.row_count() - sheet * kPerSheet);
  auto write = [&](std::uint16_t row, std::uint16_t col, const Row* source, const SheetCell& c) {
    const std::uint16_t xf_index =
        colours.xf(base_xf(source == nullptr, c), colours_of(columns[col], source));
    return write_cell(biff, row, col, xf_index, c, string);
  };
  return write_page(biff, columns, static_cast<std::uint32_t>(rows + 1)) &&
         visit_sheet(list, columns, sheet, write) && biff.record(0x000A, {});
}

bool write_book(CompoundFile& file, const ListObject& list,
                const std::vector<ExportColumn>& columns, bool colours_wanted) {
  Biff biff(file);
  SharedStrings strings(biff);
  const Colours colours = colours_of_list(list, columns, colours_wanted);
  std::vector<std::uint64_t> positions;
  bool ok =
      file.begin("Workbook") && write_globals(biff, strings, list, columns, colours, positions);
  std::string counts;
  add32(counts, strings.count());  // strings in all, and distinct ones: each entry is its own
  add32(counts, strings.count());
  ok = ok && biff.flush() && file.patch(strings.counts_at(), counts);
  std::uint32_t string = 0;
  for (std::size_t s = 0; ok && s < positions.size(); ++s) {
    std::string at;
    add32(at, static_cast<std::uint32_t>(biff.offset()));
    ok = biff.flush() && file.patch(positions[s], at) &&
         write_sheet(biff, list, columns, colours, s, string);
  }
  return ok && biff.flush() && file.finish();
}

}  // namespace

bool write_xls(const ListObject& list, const std::vector<ExportColumn>& columns,
               const std::string& path, std::string& error, bool colours) {
  files::OutputFile out;
  CompoundFile file(out);
  if (out.open(path) && write_book(file, list, columns, colours) && out.commit()) return true;
  error = out.error();
  return false;
}

}  // namespace orv::lists
