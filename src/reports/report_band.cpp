// Report bands written out for hosts.
#include "reports/report_band.hpp"

#include "platform/text/json.hpp"

namespace orv::reports {

std::string band_to_json(const Band& band) {
  std::string out = "[";
  for (const BandText& t : band.texts) {
    if (out.size() > 1) out += ", ";
    out += "{\"number\": " + std::to_string(t.number) + ", \"x\": " + std::to_string(t.x) +
           ", \"y\": " + std::to_string(t.y) + ", \"text\": " + text::json_quote(t.text) + "}";
  }
  return out + "]";
}

}  // namespace orv::reports
