// Fuzzes the filter translators, aborting when a result breaks what the translators promise.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "selection/filters.hpp"

#include "fuzz_input.hpp"

namespace {

using orv::fuzz::require;
using orv::fuzz::split_texts;

using namespace orv::selection;

// True when `needle` occurs in `text` outside quoted literals.
bool occurs_unquoted(std::string_view text, std::string_view needle) {
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!quoted && text.substr(i, needle.size()) == needle) return true;
    if (text[i] == '\'') quoted = !quoted;
  }
  return false;
}

std::string literals_of(std::string_view text) {
  std::string out;
  bool quoted = false;
  for (char c : text) {
    if (c == '\'') quoted = !quoted;
    if (quoted || c == '\'') out += c;
  }
  return out;
}

void prefixes(const std::string& f) {
  const std::string once = FILTR2SQL(f);
  require(!occurs_unquoted(once, ":"));
  require(literals_of(once) == literals_of(f));  // literals untouched
  require(FILTR2SQL(once) == once);
}

void minus(const std::string& f, const std::string& p1, const std::string& p2) {
  require(REPLACEMINUSNADESC(f, p1, p2).size() <= kMaxFilter);
  // One prefix of a name and a dot (an alias) leaves none of its items behind; the second
  // prefix's rewrites, or a prefix of minus signs, commas or quotes, may form new ones.
  const bool alias = !p1.empty() && p1.find_first_not_of(
                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                        "0123456789_.") == std::string::npos;
  const std::string r = REPLACEMINUSNADESC(f, p1, "");
  if (alias && f.size() < kMaxFilter / 8) require(!occurs_unquoted(r, "-" + p1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4 * kMaxFilter) return 0;
  const auto t = split_texts(std::string_view(reinterpret_cast<const char*>(data), size), 5);
  prefixes(t[0]);
  minus(t[0], t[3], t[4]);
  require(REPLACEINSTRINGNALIKE(t[0]).size() <= kMaxFilter);
  require(PRZYGOTUJFILTR(t[0], t[1], t[2], t[3], t[4]).size() <= kMaxFilter);
  const std::string joined = DODAJKOMPONENTFILTRA(t[0], t[1]);
  require(joined.size() <= t[0].size() + t[1].size() + 5);
  return 0;
}
