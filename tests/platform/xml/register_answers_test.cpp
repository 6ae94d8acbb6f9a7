// The REGON register's messages: requests as the service expects them, answers cut out of MTOM,
// companies read from recorded answers.
#include "platform/xml/register_answers.hpp"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "support/support.hpp"

namespace orv::xml {
namespace {

std::string recorded(const std::string& name) {
  return test::read_bytes(std::string(ORV_SOURCE_DIR) + "/tests/calc/data/" + name);
}

constexpr const char* kBoundary = "uuid:4f1e8a52-7c21-4b2e-9a0f-1d2c3b4a5e6f+id=1";
const std::string kMtomType =
    std::string("multipart/related; type=\"application/xop+xml\"; boundary=\"") + kBoundary +
    "\"; start=\"<http://tempuri.org/0>\"";
constexpr const char* kUrl =
    "https://wyszukiwarkaregontest.stat.gov.pl/wsBIR/UslugaBIRzewnPubl.svc";

struct RequestCase {
  BirCall call;
  const char* argument;
  const char* operation;  // the body's element
  const char* parameter;  // its child
  const char* value;      // the child's text (or its own child's, for a search)
};

// Every request is SOAP 1.2 with WS-Addressing To and Action, and carries its argument as text.
TEST(BirRequest, IsSoap12WithAddressingAndItsArgument) {
  const RequestCase cases[] = {
      {BirCall::Login, "abcde12345abcde12345", "ns:Zaloguj", "ns:pKluczUzytkownika",
       "abcde12345abcde12345"},  // 1 login
      {BirCall::Search, "526-104-08-28", "ns:DaneSzukajPodmioty", "dat:Nip", "5261040828"},  // 2
      {BirCall::Search, "000331501", "ns:DaneSzukajPodmioty", "dat:Regon", "000331501"},     // 3
      {BirCall::Search, "00033150100012", "ns:DaneSzukajPodmioty", "dat:Regon",
       "00033150100012"},                                                           // 4 local unit
      {BirCall::Logout, "a<b&c", "ns:Wyloguj", "ns:pIdentyfikatorSesji", "a<b&c"},  // 5 escaped
  };
  int n = 0;
  for (const RequestCase& c : cases) {
    SCOPED_TRACE("case " + std::to_string(++n));
    pugi::xml_document doc;
    std::string text = bir_request(c.call, kUrl, c.argument);
    ASSERT_TRUE(doc.load_string(text.c_str()));
    pugi::xml_node env = doc.child("soap:Envelope");
    EXPECT_STREQ(env.attribute("xmlns:soap").value(), "http://www.w3.org/2003/05/soap-envelope");
    EXPECT_STREQ(env.child("soap:Header").child_value("wsa:To"), kUrl);
    EXPECT_EQ(env.child("soap:Header").child_value("wsa:Action"), bir_action(c.call));
    pugi::xml_node op = env.child("soap:Body").child(c.operation);
    pugi::xml_node p =
        c.call == BirCall::Search ? op.first_child().child(c.parameter) : op.child(c.parameter);
    EXPECT_STREQ(p.text().get(), c.value);
  }
}

struct SplitCase {
  const char* name;
  std::string body;
  std::string content_type;
  bool found;
};

std::string part(const std::string& headers, const std::string& content, const char* eol) {
  return std::string("--") + kBoundary + eol + headers + eol + eol + content + eol;
}

class MtomSplit : public testing::TestWithParam<SplitCase> {};

// The envelope is found wherever the answer puts it, and nothing is read from a broken one.
TEST_P(MtomSplit, FindsTheEnvelopeOrNothing) {
  const SplitCase& c = GetParam();
  std::string_view env = soap_envelope(c.body, c.content_type);
  std::string sid;
  EXPECT_EQ(!env.empty() && bir_result(env, BirCall::Login, sid), c.found);
  if (c.found) {
    EXPECT_EQ(sid, "4d7c1b9e2a3f4c5d6e7f");
  }
}

const std::string kLogin = recorded("bir_login.mtom");
const std::string kEnvelope(soap_envelope(kLogin, kMtomType));
const std::string kEnd = std::string("--") + kBoundary + "--\r\n";

const SplitCase kSplits[] = {
    // 1 the recorded answer, boundary quoted
    {"Recorded", kLogin, kMtomType, true},
    // 2 the boundary without quotes
    {"BareBoundary", kLogin, std::string("multipart/related;boundary=") + kBoundary + ";type=x",
     true},
    // 3 an attachment before the envelope
    {"AttachmentFirst",
     part("Content-Type: application/octet-stream", "Envelope? no", "\r\n") +
         part("Content-Type: application/xop+xml", kEnvelope, "\r\n") + kEnd,
     kMtomType, true},
    // 4 line ends without CR
    {"LfOnly", part("Content-Type: application/xop+xml", kEnvelope, "\n") + kEnd, kMtomType, true},
    // 5 a plain SOAP answer, no multipart
    {"PlainXml", kEnvelope, "application/soap+xml; charset=utf-8", true},
    // 6 a boundary the body does not use
    {"OtherBoundary", kLogin, "multipart/related; boundary=\"other\"", false},
    // 7 the envelope cut short
    {"Truncated", kLogin.substr(0, kLogin.size() / 2), kMtomType, false},
    // 8 a SOAP fault instead of a result
    {"Fault",
     "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\"><s:Body><s:Fault>"
     "<s:Reason>x</s:Reason></s:Fault></s:Body></s:Envelope>",
     "application/soap+xml", false},
    // 9 an HTML error page
    {"HtmlPage", "<html><body>Service Unavailable</body></html>", "text/html", false},
    // 10 nothing at all
    {"Empty", "", kMtomType, false},
};

std::string split_name(const testing::TestParamInfo<SplitCase>& i) {
  return i.param.name;
}
INSTANTIATE_TEST_SUITE_P(Bir, MtomSplit, testing::ValuesIn(kSplits), split_name);

TEST(BirSearch, ReadsTheCompanyWithPolishLettersAndEscapes) {
  std::string result;
  ASSERT_TRUE(
      bir_result(soap_envelope(recorded("bir_search.mtom"), kMtomType), BirCall::Search, result));
  std::vector<Company> found;
  std::string message;
  ASSERT_TRUE(read_companies(result, found, message));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(company_field(found[0], "Nazwa"),
            "PRZEDSIĘBIORSTWO & SYSTEMY \"ŁÓDŹ-ŻYRARDÓW\" SPÓŁKA Z O.O.");
  EXPECT_EQ(company_xml(found[0]),
            "<dane><Regon>000331501</Regon><Nip>5261040828</Nip><Nazwa>PRZEDSIĘBIORSTWO &amp; "
            "SYSTEMY &quot;ŁÓDŹ-ŻYRARDÓW&quot; SPÓŁKA Z O.O.</Nazwa><Wojewodztwo>ŁÓDZKIE"
            "</Wojewodztwo><Powiat>m. Łódź</Powiat><Gmina>Łódź-Śródmieście</Gmina><Miejscowosc>"
            "Łódź</Miejscowosc><KodPocztowy>90-001</KodPocztowy><Ulica>ul. Test-Krucza</Ulica>"
            "<NrNieruchomosci>208</NrNieruchomosci><NrLokalu>12</NrLokalu><MiejscowoscPoczty>Łódź"
            "</MiejscowoscPoczty><Typ>P</Typ></dane>");
}

TEST(BirSearch, NotFoundGivesTheRegistersMessage) {
  std::string result;
  ASSERT_TRUE(bir_result(soap_envelope(recorded("bir_not_found.mtom"), kMtomType), BirCall::Search,
                         result));
  std::vector<Company> found;
  std::string message;
  EXPECT_FALSE(read_companies(result, found, message));
  EXPECT_EQ(message, "Nie znaleziono podmiotu dla podanych kryteriów wyszukiwania.");
  EXPECT_FALSE(read_companies("<root><dane>", found, message));
}

}  // namespace
}  // namespace orv::xml
