// The REGON register's service (BIR 1.1): its SOAP 1.2 requests, its MTOM answers and the
// company data they carry, and the company XML the utility library hands to the module.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv::xml {

enum class BirCall { Login, Search, Logout };

// The operation's name as the service spells it ("Zaloguj", "DaneSzukajPodmioty", "Wyloguj").
const char* bir_operation(BirCall call);
// The WS-Addressing action of an operation.
std::string bir_action(BirCall call);

// A whole SOAP 1.2 envelope with WS-Addressing (To = `url`). The argument is the key for a
// login, the session id for a logout and, for a search, a NIP (10 digits) or a REGON (9 or 14);
// it is escaped as XML text. UTF-8.
std::string bir_request(BirCall call, std::string_view url, std::string_view argument);

// The SOAP envelope inside an answer: the MTOM part of a multipart/related body (the boundary
// from `content_type`), or the body itself when it is plain XML. Empty when there is none.
std::string_view soap_envelope(std::string_view body, std::string_view content_type);

// The text of the operation's result element ("ZalogujResult"...), XML entities resolved; false
// when the envelope is no XML, is a SOAP fault or lacks the element.
bool bir_result(std::string_view envelope, BirCall call, std::string& result);

// One company as the register describes it: its fields in the answer's order, UTF-8.
using Company = std::vector<std::pair<std::string, std::string>>;

// The companies of a search result ("<root><dane>...</dane></root>"). False with the register's
// own message (ErrorMessagePl) when it found nothing or answered an error; an unreadable result
// gives false with an empty message.
bool read_companies(std::string_view result, std::vector<Company>& companies, std::string& message);

// A field of a company by name; empty when absent.
std::string company_field(const Company& company, std::string_view name);

// The fields of the company XML, in the order the module's record is filled by position.
const std::vector<std::string>& company_xml_fields();
// "<dane>" with one element per field of company_xml_fields(), in that order, no blanks between
// elements, values escaped; UTF-8, no declaration.
std::string company_xml(const Company& company);

}  // namespace orv::xml
