// NBP and ECB rate tables: the documents as the banks publish them, or "01" / "02".
#include <cctype>
#include <optional>
#include <string>

#include "answer.hpp"
#include "http.hpp"
#include "platform/xml/rate_tables.hpp"
#include "table_text.hpp"
#include "torix_util.h"

namespace orv::torix {
namespace {

// The NBP web service's table A; an address holding "/kursy/xml" names the older static files
// (LastA.xml, dirYYYY.txt, xnnnzrrmmdd.xml) instead.
constexpr const char* kNbpService = "https://api.nbp.pl/api/exchangerates/tables/A/";
constexpr const char* kEcbFiles = "https://www.ecb.europa.eu/stats/eurofxref/";

std::string folder(const char* variable, const char* fallback) {
  std::string base = configured_url(variable, fallback);
  if (!base.empty() && base.back() != '/') base += '/';
  return base;
}

bool static_files(const std::string& base) {
  return base.find("/kursy/xml") != std::string::npos;
}

// json or xml, as ORVRUN_NBP_FORMAT asks; the service's tables are the same either way.
std::string nbp_format() {
  std::string f = configured_url("ORVRUN_NBP_FORMAT", "xml");
  return f == "json" ? "json" : "xml";
}

bool digits(std::string_view s) {
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return !s.empty();
}

std::string document_or_failure(const HttpAnswer& a) {
  if (!a.ok() || a.body.empty()) return std::string(kFailed);
  return table_text(a.body);
}

// A dated document: 404 is the banks' "no table on that day".
std::string dated_document(const HttpAnswer& a) {
  if (a.error.empty() && a.status == 404) return std::string(kNoTable);
  return document_or_failure(a);
}

// The static file published on the day yymmdd, named in the year's list; empty when none.
std::optional<std::string> listed_file(const std::string& base, std::string_view yymmdd) {
  HttpAnswer list = http_get(base + "dir20" + std::string(yymmdd.substr(0, 2)) + ".txt");
  if (list.error.empty() && list.status == 404) list = http_get(base + "dir.txt");
  if (!list.ok()) return std::nullopt;
  const std::string tail = "z" + std::string(yymmdd);
  std::size_t at = 0;
  while (at < list.body.size()) {
    std::size_t end = list.body.find('\n', at);
    if (end == std::string::npos) end = list.body.size();
    std::string line = list.body.substr(at, end - at);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    if (line.size() == 11 && line[0] == 'a' && line.ends_with(tail)) return line;
    at = end + 1;
  }
  return std::string();
}

std::string nbp_current() {
  const std::string base = folder("ORVRUN_NBP_URL", kNbpService);
  if (static_files(base)) return document_or_failure(http_get(base + "LastA.xml"));
  return document_or_failure(http_get(base + "?format=" + nbp_format()));
}

std::string nbp_on_day(std::string_view yymmdd) {
  if (yymmdd.size() != 6 || !digits(yymmdd)) return std::string(kFailed);
  const std::string base = folder("ORVRUN_NBP_URL", kNbpService);
  if (static_files(base)) {
    std::optional<std::string> name = listed_file(base, yymmdd);
    if (!name) return std::string(kFailed);
    if (name->empty()) return std::string(kNoTable);
    return dated_document(http_get(base + *name + ".xml"));
  }
  const std::string iso = "20" + std::string(yymmdd.substr(0, 2)) + "-" +
                          std::string(yymmdd.substr(2, 2)) + "-" + std::string(yymmdd.substr(4));
  return dated_document(http_get(base + iso + "/?format=" + nbp_format()));
}

std::string ecb_current() {
  return document_or_failure(http_get(folder("ORVRUN_ECB_URL", kEcbFiles) + "eurofxref-daily.xml"));
}

// The last 90 days' file first; the whole history only for a day older than it covers.
std::string ecb_on_day(std::string_view iso) {
  const std::string base = folder("ORVRUN_ECB_URL", kEcbFiles);
  for (const char* file : {"eurofxref-hist-90d.xml", "eurofxref-hist.xml"}) {
    HttpAnswer a = http_get(base + file);
    if (!a.ok()) return std::string(kFailed);
    std::string oldest;
    std::optional<std::string> day = orv::xml::ecb_day(a.body, iso, oldest);
    if (day) return table_text(*day);
    if (oldest.empty()) return std::string(kFailed);
    if (std::string_view(oldest) <= iso) return std::string(kNoTable);
  }
  return std::string(kNoTable);
}

bool iso_date(std::string_view s) {
  return s.size() == 10 && s[4] == '-' && s[7] == '-' && digits(s.substr(0, 4)) &&
         digits(s.substr(5, 2)) && digits(s.substr(8, 2));
}

struct NbpSlot {};
struct NbpDaySlot {};
struct EcbSlot {};
struct EcbDaySlot {};

}  // namespace
}  // namespace orv::torix

using orv::torix::answer;

const char* PobierzKursyNBPwartosc() {
  return answer<orv::torix::NbpSlot>(orv::torix::nbp_current());
}

const char* PobierzKursyNBPwartoscNaDzien(const char* yymmdd) {
  return answer<orv::torix::NbpDaySlot>(orv::torix::nbp_on_day(yymmdd ? yymmdd : ""));
}

const char* PobierzKursyECBwartosc() {
  return answer<orv::torix::EcbSlot>(orv::torix::ecb_current());
}

const char* PobierzKursyECBwartoscNaDzien(const char* iso) {
  std::string_view day = iso ? iso : "";
  if (!orv::torix::iso_date(day))
    return answer<orv::torix::EcbDaySlot>(std::string(orv::torix::kFailed));
  return answer<orv::torix::EcbDaySlot>(orv::torix::ecb_on_day(day));
}
