// BIFF8 records for one workbook: globals (fonts, formats, styles, sheets), then each sheet's
// cells.
#include "lists/xls_export.hpp"

#include <algorithm>
#include <cstring>

#include "lists/compound_file.hpp"
#include "platform/text/cp1250.hpp"

namespace orv::lists {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;
constexpr std::size_t kMaxText = 4000;  // characters a cell keeps: one record holds 8224 bytes
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
  bool label(std::uint16_t row, std::uint16_t col, std::uint16_t xf, std::string_view text) {
    body_.clear();
    add16(body_, row);
    add16(body_, col);
    add16(body_, xf);
    add_string16(body_, text);
    return record(0x0204, body_);
  }

 private:
  CompoundFile& file_;
  std::string buffer_;
  std::string body_;
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

std::string font(bool bold) {
  std::string b;
  add16(b, 200);           // 10 points, in twips
  add16(b, bold ? 1 : 0);  // older readers take bold from this bit, newer from the weight
  add16(b, 0x7FFF);
  add16(b, bold ? 700 : 400);
  add16(b, 0);
  b += '\0';
  b += '\0';
  b += '\xEE';  // East European character set
  b += '\0';
  add_string8(b, "MS Sans Serif");
  return b;
}

std::string xf(std::uint16_t font_index, std::uint16_t format, bool style) {
  std::string b;
  add16(b, font_index);
  add16(b, format);
  add16(b, style ? 0xFFF5 : 0x0001);
  b += '\x20';  // bottom-aligned
  b += '\0';
  b += '\0';
  b += style ? '\0' : '\xFC';  // a cell's own font, format, alignment, borders, fill, protection
  add32(b, 0);
  add32(b, 0);
  add16(b, 0x20C0);
  return b;
}

bool write_styles(Biff& biff) {
  for (bool bold : {false, true, false, false}) {
    if (!biff.record(0x0031, font(bold))) return false;
  }
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
    if (!biff.record(0x00E0, xf(0, 0, true))) return false;
  }
  bool ok = biff.record(0x00E0, xf(0, 0, false)) && biff.record(0x00E0, xf(1, 0, false)) &&
            biff.record(0x00E0, xf(0, kDateFormat, false));
  for (int p = 0; ok && p <= kMaxPlaces; ++p) ok = biff.record(0x00E0, xf(0, format_of(p), false));
  return ok && biff.record(0x0293, std::string("\x00\x80\x00\xFF", 4));  // the Normal style
}

std::string sheet_name(std::size_t sheet) {
  return sheet == 0 ? kSheetName : std::string(kSheetName) + " " + std::to_string(sheet + 1);
}

// The workbook globals; `positions` receives where each sheet's offset is to be written.
bool write_globals(Biff& biff, std::size_t sheets, std::vector<std::uint64_t>& positions) {
  std::string window;
  for (std::uint16_t v : {0, 0, 0x3000, 0x2000, 0x0038, 0, 0, 1, 0x0258}) add16(window, v);
  bool ok = biff.record(0x0809, bof(0x0005)) && biff.record(0x0042, "\xB0\x04") &&
            biff.record(0x003D, window) && write_styles(biff);
  for (std::size_t s = 0; ok && s < sheets; ++s) {
    std::string b;
    add32(b, 0);  // the sheet's offset, written once known
    add16(b, 0);
    add_string8(b, sheet_name(s));
    positions.push_back(biff.offset() + 4);
    ok = biff.record(0x0085, b);
  }
  return ok && biff.record(0x000A, {});
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

bool write_cell(Biff& biff, std::uint16_t row, std::uint16_t col, const SheetCell& c) {
  switch (c.kind) {
    case SheetCell::Kind::Text:
      return biff.label(row, col, kXfCell, c.text);
    case SheetCell::Kind::Number:
      return biff.number(row, col, kXfNumber + std::min(c.places, kMaxPlaces), c.number);
    case SheetCell::Kind::Date:
      return biff.number(row, col, kXfDate, c.number);
    case SheetCell::Kind::Empty:
      break;
  }
  return true;
}

// One sheet: the header row, then the rows shown from `first` on.
bool write_sheet(Biff& biff, const ListObject& list, const std::vector<ExportColumn>& columns,
                 std::size_t first, std::size_t count) {
  bool ok = write_page(biff, columns, static_cast<std::uint32_t>(count + 1));
  for (std::size_t k = 0; ok && k < columns.size(); ++k) {
    ok = biff.label(0, static_cast<std::uint16_t>(k), kXfHeader, columns[k].source->title);
  }
  Cell scratch;
  for (std::size_t i = 0; ok && i < count; ++i) {
    const Row* row = list.shown_row(first + i);
    if (!row) continue;
    for (std::size_t k = 0; ok && k < columns.size(); ++k) {
      const Cell& v = value_of(columns[k], *row, first + i + 1, scratch);
      ok = write_cell(biff, static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(k),
                      sheet_cell(columns[k], v));
    }
  }
  return ok && biff.record(0x000A, {});
}

bool write_book(CompoundFile& file, const ListObject& list,
                const std::vector<ExportColumn>& columns) {
  constexpr std::size_t kPerSheet = kXlsRowsPerSheet - 1;
  std::size_t rows = list.row_count();
  std::size_t sheets = std::max<std::size_t>(1, (rows + kPerSheet - 1) / kPerSheet);
  Biff biff(file);
  std::vector<std::uint64_t> positions;
  bool ok = file.begin("Workbook") && write_globals(biff, sheets, positions);
  for (std::size_t s = 0; ok && s < sheets; ++s) {
    std::string at;
    add32(at, static_cast<std::uint32_t>(biff.offset()));
    ok = biff.flush() && file.patch(positions[s], at) &&
         write_sheet(biff, list, columns, s * kPerSheet, std::min(kPerSheet, rows - s * kPerSheet));
  }
  return ok && biff.flush() && file.finish();
}

}  // namespace

bool write_xls(const ListObject& list, const std::vector<ExportColumn>& columns,
               const std::string& path, std::string& error) {
  files::OutputFile out;
  CompoundFile file(out);
  if (out.open(path) && write_book(file, list, columns) && out.commit()) return true;
  error = out.error();
  return false;
}

}  // namespace orv::lists
