// The REGON register search (GUS BIR 1.1): log in with the user key, search by NIP or REGON with
// the session id in the "sid" header, log out; the search window is the host's, through the hook
// the host registers with UstawOknoGUS.
#include <optional>
#include <string>
#include <vector>

#include "answer.hpp"
#include "http.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/xml/register_answers.hpp"
#include "torix_util.h"

namespace orv::torix {
namespace {

using orv::xml::BirCall;

// The register's test service and its public key; production needs a key of one's own.
constexpr const char* kBirTest =
    "https://wyszukiwarkaregontest.stat.gov.pl/wsBIR/UslugaBIRzewnPubl.svc";
constexpr const char* kTestKey = "abcde12345abcde12345";

// What one load of the library remembers between the window and the answer.
struct GusState {
  TorixGusWindow window = nullptr;
  void* host = nullptr;
  std::vector<orv::xml::Company> found;
  std::string message;  // Windows-1250
  std::string chosen;   // the chosen company's XML, Windows-1250
};

GusState& state() {
  static GusState s;
  return s;
}

// The result text of one call, or nullopt with the reason in `message`.
std::optional<std::string> bir(BirCall call, const std::string& argument, const std::string& sid,
                               std::string& message) {
  const std::string url = configured_url("ORVRUN_BIR_URL", kBirTest);
  std::vector<std::string> headers = {
      "Content-Type: application/soap+xml; charset=utf-8; action=\"" + orv::xml::bir_action(call) +
      "\""};
  if (!sid.empty()) headers.push_back("sid: " + sid);
  HttpAnswer a = http_post(url, orv::xml::bir_request(call, url, argument), headers);
  if (!a.error.empty()) {
    message = "Brak połączenia z rejestrem REGON: "_w1250 + orv::text::from_utf8(a.error);
    return std::nullopt;
  }
  if (a.status != 200) {
    message = "Rejestr REGON odpowiedział błędem HTTP "_w1250 + std::to_string(a.status) + ".";
    return std::nullopt;
  }
  std::string result;
  std::string_view envelope = orv::xml::soap_envelope(a.body, a.content_type);
  if (envelope.empty() || !orv::xml::bir_result(envelope, call, result)) {
    message = "Nieczytelna odpowiedź rejestru REGON."_w1250;
    return std::nullopt;
  }
  return result;
}

std::string digits_of(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

int search(void*, const char* number) {
  GusState& s = state();
  s.found.clear();
  s.message.clear();
  const std::string digits = digits_of(number ? number : "");
  if (digits.size() != 9 && digits.size() != 10 && digits.size() != 14) {
    s.message = "Podaj NIP (10 cyfr) albo REGON (9 lub 14 cyfr)."_w1250;
    return -1;
  }
  const std::string key = configured_url("ORVRUN_BIR_KEY", kTestKey);
  std::optional<std::string> sid = bir(BirCall::Login, key, "", s.message);
  if (!sid) return -1;
  if (orv::text::trim(*sid).empty()) {
    s.message = "Rejestr REGON nie przyjął klucza użytkownika."_w1250;
    return -1;
  }
  std::optional<std::string> result = bir(BirCall::Search, digits, *sid, s.message);
  std::string ignored;
  bir(BirCall::Logout, *sid, *sid, ignored);
  if (!result) return -1;
  std::string why;
  if (!orv::xml::read_companies(*result, s.found, why)) {
    s.message = why.empty() ? "Nie znaleziono podmiotu."_w1250 : orv::text::from_utf8(why);
    return 0;
  }
  return static_cast<int>(s.found.size());
}

std::string cell(const orv::xml::Company& c, int field) {
  using orv::xml::company_field;
  switch (field) {
    case 0:
      return company_field(c, "Nip");
    case 1:
      return company_field(c, "Regon");
    case 2:
      return company_field(c, "Nazwa");
    case 3:
      return company_field(c, "Miejscowosc");
    case 4: {
      std::string street = company_field(c, "Ulica") + " " + company_field(c, "NrNieruchomosci");
      std::string flat = company_field(c, "NrLokalu");
      return flat.empty() ? street : street + "/" + flat;
    }
    default:
      return {};
  }
}

struct CellSlot {};

const char* company(void*, int index, int field) {
  const GusState& s = state();
  if (index < 0 || static_cast<std::size_t>(index) >= s.found.size()) return answer<CellSlot>("");
  return answer<CellSlot>(
      orv::text::from_utf8(cell(s.found[static_cast<std::size_t>(index)], field)));
}

const char* message(void*) {
  return state().message.c_str();
}

void choose(void*, int index) {
  GusState& s = state();
  if (index < 0 || static_cast<std::size_t>(index) >= s.found.size()) return;
  s.chosen = orv::text::from_utf8(orv::xml::company_xml(s.found[static_cast<std::size_t>(index)]));
}

struct GusSlot {};

}  // namespace
}  // namespace orv::torix

void UstawOknoGUS(TorixGusWindow window, void* host_data) {
  orv::torix::state().window = window;
  orv::torix::state().host = host_data;
}

void PobierzGUSokno() {
  orv::torix::GusState& s = orv::torix::state();
  s.chosen.clear();
  s.found.clear();
  s.message.clear();
  if (!s.window) return;
  const TorixGusSearch api = {nullptr, &orv::torix::search, &orv::torix::company,
                              &orv::torix::message, &orv::torix::choose};
  s.window(s.host, &api);
}

const char* PobierzGUSwartosc() {
  return orv::torix::answer<orv::torix::GusSlot>(orv::torix::state().chosen);
}
