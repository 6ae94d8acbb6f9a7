// BIR 1.1 requests built as text, answers cut out of MTOM and read with pugixml.
#include "platform/xml/register_answers.hpp"

#include <cstring>
#include <sstream>

#include <pugixml.hpp>

namespace orv::xml {
namespace {

constexpr const char* kNamespace = "http://CIS/BIR/PUBL/2014/07";

std::string escaped(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string digits_of(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

// The search parameter by the number's length: ten digits are a NIP, anything else a REGON.
std::string search_parameter(std::string_view number) {
  std::string d = digits_of(number);
  const char* name = d.size() == 10 ? "Nip" : "Regon";
  return std::string("<dat:") + name + ">" + d + "</dat:" + name + ">";
}

std::string body_of(BirCall call, std::string_view argument) {
  switch (call) {
    case BirCall::Login:
      return "<ns:Zaloguj><ns:pKluczUzytkownika>" + escaped(argument) +
             "</ns:pKluczUzytkownika></ns:Zaloguj>";
    case BirCall::Search:
      return "<ns:DaneSzukajPodmioty><ns:pParametryWyszukiwania>" + search_parameter(argument) +
             "</ns:pParametryWyszukiwania></ns:DaneSzukajPodmioty>";
    case BirCall::Logout:
      return "<ns:Wyloguj><ns:pIdentyfikatorSesji>" + escaped(argument) +
             "</ns:pIdentyfikatorSesji></ns:Wyloguj>";
  }
  return {};
}

std::string_view local_name(const char* name) {
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

// The first element of the document (depth first) with this local name.
pugi::xml_node find_local(pugi::xml_node from, std::string_view name) {
  return from.find_node([&](pugi::xml_node n) {
    return n.type() == pugi::node_element && local_name(n.name()) == name;
  });
}

// The tag "<Envelope" or "<prefix:Envelope" that opens the envelope, and its closing tag.
std::string_view find_envelope(std::string_view text) {
  std::size_t at = 0;
  while ((at = text.find("Envelope", at)) != std::string_view::npos) {
    std::size_t open = text.rfind('<', at);
    if (open != std::string_view::npos && open + 1 < text.size() && text[open + 1] != '/' &&
        text.substr(open, at - open).find_first_of(" \t\r\n>") == std::string_view::npos) {
      std::size_t close = text.rfind("Envelope>");
      if (close == std::string_view::npos || close < at) return {};
      return text.substr(open, close + 9 - open);
    }
    at += 8;
  }
  return {};
}

// The boundary parameter of a multipart content type, quotes removed.
std::string boundary_of(std::string_view content_type) {
  std::size_t at = content_type.find("boundary=");
  if (at == std::string_view::npos) return {};
  std::string_view v = content_type.substr(at + 9);
  if (!v.empty() && v[0] == '"') {
    std::size_t end = v.find('"', 1);
    return end == std::string_view::npos ? std::string() : std::string(v.substr(1, end - 1));
  }
  return std::string(v.substr(0, v.find_first_of("; \t\r\n")));
}

}  // namespace

const char* bir_operation(BirCall call) {
  switch (call) {
    case BirCall::Login:
      return "Zaloguj";
    case BirCall::Search:
      return "DaneSzukajPodmioty";
    case BirCall::Logout:
      return "Wyloguj";
  }
  return "";
}

std::string bir_action(BirCall call) {
  return std::string(kNamespace) + "/IUslugaBIRzewnPubl/" + bir_operation(call);
}

std::string bir_request(BirCall call, std::string_view url, std::string_view argument) {
  return std::string(
             "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\" "
             "xmlns:ns=\"") +
         kNamespace + "\" xmlns:dat=\"" + kNamespace +
         "/DataContract\"><soap:Header xmlns:wsa=\"http://www.w3.org/2005/08/addressing\">"
         "<wsa:To>" +
         escaped(url) + "</wsa:To><wsa:Action>" + bir_action(call) +
         "</wsa:Action></soap:Header><soap:Body>" + body_of(call, argument) +
         "</soap:Body></soap:Envelope>";
}

std::string_view soap_envelope(std::string_view body, std::string_view content_type) {
  std::string boundary = boundary_of(content_type);
  if (boundary.empty()) return find_envelope(body);
  const std::string delimiter = "--" + boundary;
  std::size_t at = body.find(delimiter);
  while (at != std::string_view::npos) {
    std::size_t start = at + delimiter.size();
    if (body.substr(start, 2) == "--") break;  // the closing delimiter
    std::size_t next = body.find(delimiter, start);
    std::string_view part =
        body.substr(start, next == std::string_view::npos ? body.npos : next - start);
    std::size_t headers_end = part.find("\r\n\r\n");
    std::size_t skip = 4;
    if (headers_end == std::string_view::npos) {
      headers_end = part.find("\n\n");
      skip = 2;
    }
    if (headers_end != std::string_view::npos) {
      std::string_view envelope = find_envelope(part.substr(headers_end + skip));
      if (!envelope.empty()) return envelope;
    }
    at = next;
  }
  return {};
}

bool bir_result(std::string_view envelope, BirCall call, std::string& result) {
  result.clear();
  pugi::xml_document doc;
  if (!doc.load_buffer(envelope.data(), envelope.size(), pugi::parse_default,
                       pugi::encoding_utf8)) {
    return false;
  }
  if (find_local(doc, "Fault")) return false;
  pugi::xml_node node = find_local(doc, std::string(bir_operation(call)) + "Result");
  if (!node) return false;
  result = node.text().get();
  return true;
}

bool read_companies(std::string_view result, std::vector<Company>& companies,
                    std::string& message) {
  companies.clear();
  message.clear();
  pugi::xml_document doc;
  if (!doc.load_buffer(result.data(), result.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return false;
  }
  for (pugi::xml_node dane : doc.document_element().children()) {
    if (dane.type() != pugi::node_element || local_name(dane.name()) != "dane") continue;
    if (dane.child("ErrorCode")) {
      message = dane.child_value("ErrorMessagePl");
      continue;
    }
    Company c;
    for (pugi::xml_node f : dane.children()) {
      if (f.type() == pugi::node_element) c.emplace_back(local_name(f.name()), f.text().get());
    }
    companies.push_back(std::move(c));
  }
  return !companies.empty();
}

std::string company_field(const Company& company, std::string_view name) {
  for (const auto& [key, value] : company) {
    if (key == name) return value;
  }
  return {};
}

const std::vector<std::string>& company_xml_fields() {
  static const std::vector<std::string> fields = {
      "Regon",       "Nip",         "Nazwa", "Wojewodztwo",     "Powiat",   "Gmina",
      "Miejscowosc", "KodPocztowy", "Ulica", "NrNieruchomosci", "NrLokalu", "MiejscowoscPoczty",
      "Typ"};
  return fields;
}

std::string company_xml(const Company& company) {
  std::string out = "<dane>";
  for (const std::string& f : company_xml_fields()) {
    out += "<" + f + ">" + escaped(company_field(company, f)) + "</" + f + ">";
  }
  return out + "</dane>";
}

}  // namespace orv::xml
