// Amounts in Polish words for printed documents: the full form and the short syllable form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::calc {

// Both procedures answer with a working text of this many characters, blank-padded.
inline constexpr std::size_t kWordsWidth = 500;

// The allocation-free forms: write exactly kWordsWidth characters into `out` (no terminator).
// A blank `currency` (or one left out) keeps the Polish currency words, as do "zł" and "PLN".
void write_slownie(double amount, std::string_view currency, char* out);
void write_slowniekrotko(double amount, char* out);

std::string SLOWNIE(double amount, std::string_view currency = {});
std::string SLOWNIEKROTKO(double amount);

}  // namespace orv::calc
