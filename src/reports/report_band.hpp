// A report band: the text controls a procedure places on it, kept for the host to print.
#pragma once

#include <string>
#include <vector>

namespace orv::reports {

struct BandText {
  int number = 0;
  int x = 0;  // thousandths of an inch
  int y = 0;
  std::string text;  // Windows-1250
};

struct Band {
  std::vector<BandText> texts;
};

// [{"number": 5001, "x": 100, "y": 50, "text": "..."}...], texts Windows-1250.
std::string band_to_json(const Band& band);

}  // namespace orv::reports
