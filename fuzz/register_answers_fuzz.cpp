// Fuzzes the register's answers: the MTOM splitter, the result and company readers and the
// company XML written from what they read; input = content type, NUL, body.
#include <cstddef>
#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "platform/xml/register_answers.hpp"

using namespace orv::xml;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> in =
      orv::fuzz::split_texts(std::string_view(reinterpret_cast<const char*>(data), size), 2);
  const std::string& type = in[0];
  const std::string& body = in[1];
  std::string_view envelope = soap_envelope(body, type);
  // The envelope is a piece of the body, never memory beside it.
  orv::fuzz::require(envelope.empty() ||
                     (envelope.data() >= body.data() &&
                      envelope.data() + envelope.size() <= body.data() + body.size()));
  for (BirCall call : {BirCall::Login, BirCall::Search, BirCall::Logout}) {
    std::string result;
    if (!bir_result(envelope, call, result)) continue;
    std::vector<Company> found;
    std::string message;
    read_companies(result, found, message);
    for (const Company& c : found) {
      // What the library writes reads back as XML holding the same name.
      std::string xml = company_xml(c);
      pugi::xml_document doc;
      orv::fuzz::require(doc.load_buffer(xml.data(), xml.size()));
      orv::fuzz::require(doc.child("dane").child("Nazwa").text().get() ==
                         company_field(c, "Nazwa").substr(0, company_field(c, "Nazwa").find('\0')));
    }
  }
  return 0;
}
