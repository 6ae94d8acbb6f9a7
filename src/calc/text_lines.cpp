// Line picking and word wrapping by 1-based positions, as the host's callers count them.
#include "calc/text_lines.hpp"

#include <algorithm>

#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kLineBuffer = 500;
constexpr int64_t kPieceWidth = 100;
constexpr std::string_view kCrLf = "\r\n";

enum class Stop { End, Width, Cr };

struct Scan {
  Stop stop = Stop::End;
  int64_t brk = 0;  // the blank or CR to break at; 0 when none was seen
};

// Walks from p until the width is reached, a CR is met or the clipped text ends; the last blank
// seen is where a piece that reached the width breaks.
Scan scan_piece(std::string_view text, int64_t len, int64_t p, int64_t width) {
  Scan scan;
  for (int64_t i = p; i <= len; ++i) {
    if (i - p >= width) {
      scan.stop = Stop::Width;
      return scan;
    }
    const char c = text[static_cast<std::size_t>(i - 1)];
    if (c == '\r') return {Stop::Cr, i};
    if (c == ' ') scan.brk = i;
  }
  scan.stop = Stop::End;
  return scan;
}

}  // namespace

LineAt line_at(std::string_view text, int32_t n) {
  if (n < 1) return {};
  const std::string_view buffer = text::clip(text.substr(0, kLineBuffer));
  const std::size_t first = buffer.find(kCrLf);
  if (n == 1 && first == std::string_view::npos) {
    // A blank text has no first line: the variable is blanked and the answer is 0.
    if (buffer.empty()) return {0, std::string()};
    return {1, std::string(buffer)};
  }
  std::size_t start = 0;
  for (int32_t k = 1; k < n; ++k) {
    const std::size_t sep = buffer.find(kCrLf, start);
    if (sep == std::string_view::npos) return {};
    start = sep + kCrLf.size();
  }
  const std::size_t end = std::min(buffer.find(kCrLf, start), buffer.size());
  return {1, std::string(buffer.substr(start, end - start))};
}

uint8_t POBIERZLINIE(std::string_view text, std::string& line, int32_t n) {
  LineAt r = line_at(text, n);
  if (r.line) line = std::move(*r.line);
  return r.found;
}

std::string PODZIELLINIE(std::string_view text, int32_t& position, int32_t width) {
  const auto len = static_cast<int64_t>(text::clip(text).size());
  const int64_t w = std::clamp<int64_t>(width, 1, kPieceWidth);
  const int64_t p = std::max<int64_t>(position, 1);
  const Scan scan = scan_piece(text, len, p, w);
  int64_t last = 0;  // the piece is p .. last
  if (scan.stop == Stop::End) {
    last = len;
    position = 0;
  } else if (scan.stop == Stop::Width && scan.brk == 0) {
    last = p + w - 1;
    position = static_cast<int32_t>(last);
  } else {
    last = scan.brk - 1;
    position = static_cast<int32_t>(scan.brk);
  }
  std::string piece;
  if (last >= p) {
    piece = text.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(last - p + 1));
  }
  // The LF of a CR LF break opens the next piece; a piece that starts with it drops its first byte.
  const std::string_view lead = text::trim_left(piece);
  if (!lead.empty() && lead.front() == '\n') piece.erase(0, 1);
  return piece;
}

std::string SPLITSTRING(std::string_view text, int32_t n, std::string_view separator) {
  if (n < 1) return {};
  if (separator.empty()) return n == 1 ? std::string(text) : std::string();
  const char sep = separator.front();
  const std::string_view clipped = text::clip(text);
  std::size_t start = 0;
  for (int32_t k = 1; k < n; ++k) {
    const std::size_t at = clipped.find(sep, start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  // The last field runs to the end of the unclipped text, its trailing blanks included.
  std::size_t end = clipped.find(sep, start);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, end - start));
}

std::string WYTNIJZNAKIZOPISU(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n') continue;
    out += c == '\r' ? ' ' : c;
  }
  out.resize(text.size(), ' ');
  return out;
}

}  // namespace orv::calc
