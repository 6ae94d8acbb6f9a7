// PL_CI_AS weights and case folding over Latin-1 and Latin Extended-A (all Windows-1250 letters).
#include "platform/sql/sqlite/collation.hpp"

#include <array>

namespace orv::sql::sqlite {
namespace {

// Base letter of U+00C0..U+017F ('-' = not a letter).
constexpr std::string_view kBase =
    "aaaaaaaceeeeiiiidnooooo-ouuuuyts"  // C0-DF
    "aaaaaaaceeeeiiiidnooooo-ouuuuyty"  // E0-FF
    "aaaaaaccccccccdd"                  // 100-10F
    "ddeeeeeeeeeegggg"                  // 110-11F
    "gggghhhhiiiiiiii"                  // 120-12F
    "iiiijjkkklllllll"                  // 130-13F
    "lllnnnnnnnnnoooo"                  // 140-14F
    "oooorrrrrrssssss"                  // 150-15F
    "ssttttttuuuuuuuu"                  // 160-16F
    "uuuuwwyyyzzzzzzs";                 // 170-17F

// Letters of their own in the Polish alphabet, sorting right after their base letter.
int polish_step(char32_t lower) {
  switch (lower) {
    case 0x105:
    case 0x107:
    case 0x119:
    case 0x142:
    case 0x144:
    case 0xF3:
    case 0x15B:
    case 0x17A:
      return 1;
    case 0x17C:
      return 2;  // ż after ź
    default:
      return 0;
  }
}

constexpr uint32_t kLetters = 0x110000;  // above every code point: letters after symbols, digits
constexpr uint32_t kOtherScripts = 0x120000;

uint32_t letter_rank(char base, int step) {
  return kLetters + (base - 'a') * 3 + step;
}

bool caseless_latin(char32_t cp) {
  return cp == 0xD7 || cp == 0xF7 || cp == 0xDF || cp == 0x130 || cp == 0x131 || cp == 0x138 ||
         cp == 0x149 || cp == 0x17F;
}

// Latin Extended-A pairs upper/lower on even/odd code points, except two runs on odd/even.
bool ext_a_upper(char32_t cp) {
  bool odd_upper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
  return odd_upper ? (cp & 1) == 1 : (cp & 1) == 0;
}

bool is_punctuation_block(char32_t cp) {
  return cp >= 0x2000 && cp < 0x2C00;
}

}  // namespace

char32_t next_code_point(std::string_view s, std::size_t& i, bool* valid) {
  auto b = static_cast<unsigned char>(s[i]);
  if (valid) *valid = true;
  if (b < 0x80) {
    ++i;
    return b;
  }
  int extra = b >= 0xF8 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : 0;
  char32_t cp = b & (0x3F >> extra);
  bool ok = extra > 0 && i + extra < s.size();
  for (int k = 1; ok && k <= extra; ++k) {
    auto c = static_cast<unsigned char>(s[i + k]);
    ok = (c & 0xC0) == 0x80;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (!ok) {
    if (valid) *valid = false;
    ++i;
    return b;
  }
  i += extra + 1;
  return cp;
}

void append_code_point(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t fold_lower(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  if (cp < 0xC0) return cp;
  if (cp < 0x100) return cp <= 0xDE && cp != 0xD7 ? cp + 0x20 : cp;
  if (cp < 0x180) {
    if (caseless_latin(cp)) return cp;
    if (cp == 0x178) return 0xFF;
    return ext_a_upper(cp) ? cp + 1 : cp;
  }
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 0x20;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;
  return cp;
}

char32_t fold_upper(char32_t cp) {
  if (cp < 0x80) return cp >= 'a' && cp <= 'z' ? cp - 32 : cp;
  if (cp < 0xC0) return cp;
  if (cp < 0x100) {
    if (cp == 0xFF) return 0x178;
    return cp >= 0xE0 && cp != 0xF7 ? cp - 0x20 : cp;
  }
  if (cp < 0x180) {
    if (caseless_latin(cp) || cp == 0x178) return cp;
    return ext_a_upper(cp) ? cp : cp - 1;
  }
  if (cp >= 0x3B1 && cp <= 0x3C9 && cp != 0x3C2) return cp - 0x20;
  if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
  if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
  return cp;
}

namespace {

template <char32_t (*Fold)(char32_t)>
std::string map_utf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t start = i;
    bool valid = true;
    char32_t cp = next_code_point(s, i, &valid);
    if (!valid) {
      out += s[start];
      continue;
    }
    append_code_point(out, Fold(cp));
  }
  return out;
}

}  // namespace

std::string lower_utf8(std::string_view s) {
  return map_utf8<fold_lower>(s);
}
std::string upper_utf8(std::string_view s) {
  return map_utf8<fold_upper>(s);
}

Weight weight(char32_t cp) {
  if (cp < 0x80) {
    char32_t l = fold_lower(cp);
    if (l >= 'a' && l <= 'z') return {letter_rank(static_cast<char>(l), 0), 0};
    return {cp, 0};
  }
  if (cp < 0xC0) return {cp, 0};
  if (cp < 0x180) {
    char base = kBase[cp - 0xC0];
    if (base == '-') return {cp, 0};
    char32_t l = fold_lower(cp);
    int step = polish_step(l);
    if (step) return {letter_rank(base, step), 0};
    return {letter_rank(base, 0), static_cast<uint32_t>(l)};
  }
  if (is_punctuation_block(cp)) return {cp, 0};
  return {kOtherScripts + static_cast<uint32_t>(fold_lower(cp)), 0};
}

namespace {

std::string_view clip_blanks(std::string_view s) {
  auto end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
}

// ASCII weights precomputed: the common case of the comparison loop.
const std::array<Weight, 128>& ascii_weights() {
  static const std::array<Weight, 128> table = [] {
    std::array<Weight, 128> t{};
    for (char32_t c = 0; c < 128; ++c) t[c] = weight(c);
    return t;
  }();
  return table;
}

}  // namespace

int compare_pl_ci_as(std::string_view a, std::string_view b) {
  a = clip_blanks(a);
  b = clip_blanks(b);
  if (a == b) return 0;
  const auto& ascii = ascii_weights();
  int secondary = 0;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    auto ba = static_cast<unsigned char>(a[i]);
    auto bb = static_cast<unsigned char>(b[j]);
    Weight wa, wb;
    if (ba < 0x80 && bb < 0x80) {
      ++i, ++j;
      if (ba == bb) continue;
      wa = ascii[ba], wb = ascii[bb];
    } else {
      char32_t ca = next_code_point(a, i), cb = next_code_point(b, j);
      if (ca == cb) continue;
      wa = weight(ca), wb = weight(cb);
    }
    if (wa.primary != wb.primary) return wa.primary < wb.primary ? -1 : 1;
    if (secondary == 0 && wa.secondary != wb.secondary) {
      secondary = wa.secondary < wb.secondary ? -1 : 1;
    }
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return secondary;
}

}  // namespace orv::sql::sqlite
