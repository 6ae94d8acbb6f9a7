// Record <-> XML: the documented layout, a round trip of every field kind, matching, bad input.
#include "platform/xml/group_xml.hpp"

#include <gtest/gtest.h>

namespace orv::xml {
namespace {

using dict::FieldKind;

dict::Group every_kind() {
  dict::Group g;
  g.add("LOC:Nazwa", FieldKind::Text, 40).values[0] = "<Śruba> & \"nakrętka\"\r\n'M6'";
  g.add("LOC:Ilosc", FieldKind::Long).values[0] = "-42";
  g.add("LOC:Krotki", FieldKind::Short).values[0] = "-7";
  g.add("LOC:Flaga", FieldKind::Byte).values[0] = "255";
  g.add("LOC:Kurs", FieldKind::Real).values[0] = "4.2512";
  g.add("LOC:Kwota", FieldKind::Decimal, 2).values[0] = "12.50";
  g.add("LOC:Data", FieldKind::Date).values[0] = "82198";
  g.add("LOC:Czas", FieldKind::Time).values[0] = "3600001";
  g.add("LOC:Blanks", FieldKind::Text, 5).values[0] = "   ";
  auto& sw = g.add("LOC:Sw", FieldKind::Byte, 0, 3);
  sw.values = {"1", "0", "1"};
  auto& t = g.add("LOC:Teksty", FieldKind::Text, 10, 2);
  t.values = {"a", ""};
  return g;
}

TEST(GroupXml, OneElementPerLineSortedByName) {
  dict::Group g;
  g.add("LOC:Kod", FieldKind::Text, 10).values[0] = "ABC";
  g.add("LOC:Data_Od", FieldKind::Date).values[0] = "82000";
  // 1 by name (the documented example); 2 as declared; 3 an empty record
  EXPECT_EQ(group_to_xml(g, FieldOrder::ByName),
            "<GROUP>\r\n<Data_Od>82000</Data_Od>\r\n<Kod>ABC</Kod>\r\n</GROUP>");
  EXPECT_EQ(group_to_xml(g, FieldOrder::Declared),
            "<GROUP>\r\n<Kod>ABC</Kod>\r\n<Data_Od>82000</Data_Od>\r\n</GROUP>");
  EXPECT_EQ(group_to_xml(dict::Group(), FieldOrder::ByName), "<GROUP/>");
}

TEST(GroupXml, EveryKindRoundTripsBothWays) {
  const dict::Group original = every_kind();
  for (auto [order, matching] : {std::pair{FieldOrder::ByName, Matching::ByName},
                                 std::pair{FieldOrder::Declared, Matching::ByName},
                                 std::pair{FieldOrder::Declared, Matching::Positional}}) {
    dict::Group back = every_kind();
    back.clear();
    std::string error;
    ASSERT_TRUE(xml_to_group(group_to_xml(original, order), back, matching, error)) << error;
    for (std::size_t i = 0; i < original.size(); ++i) {
      EXPECT_EQ(back.at(i).values, original.at(i).values) << original.at(i).name;
    }
  }
}

TEST(GroupXml, ByNameSkipsStrangersAndClearsTheRest) {
  dict::Group g = every_kind();
  std::string error;
  ASSERT_TRUE(
      xml_to_group("<X><nazwa>a</nazwa><Obcy>1</Obcy><SW>0</SW><SW>1</SW><SW>1</SW>"
                   "<SW>1</SW><Ilosc><b/></Ilosc></X>",
                   g, Matching::ByName, error));
  EXPECT_EQ(g.find("LOC:Nazwa")->values[0], "a");  // 1 case-insensitive, prefix dropped
  EXPECT_EQ(g.find("LOC:Kurs")->values[0], "0");   // 2 no element: cleared
  EXPECT_EQ(g.find("LOC:Sw")->values, (std::vector<std::string>{"0", "1", "1"}));  // 3 extra index
  EXPECT_EQ(g.find("LOC:Ilosc")->values[0], "0");  // 4 an element that holds no text
}

TEST(GroupXml, ValuesConvertedToTheFieldKind) {
  struct Case {
    FieldKind kind;
    std::size_t size;
    std::string in, out;
  };
  const Case cases[] = {
      {FieldKind::Text, 3, "abcdef", "abc"},     // 1 cut to its size
      {FieldKind::Long, 0, "1.9", "1"},          // 2 fraction dropped
      {FieldKind::Long, 0, "12abc", "0"},        // 3 not a number
      {FieldKind::Byte, 0, "300", "0"},          // 4 out of range
      {FieldKind::Short, 0, " -5 ", "-5"},       // 5 blanks around
      {FieldKind::Real, 0, "1e400", "0"},        // 6 not finite
      {FieldKind::Decimal, 2, "3.456", "3.46"},  // 7 rounded to its places
  };
  for (const Case& c : cases) {
    dict::Group g;
    g.add("V", c.kind, c.size);
    std::string error;
    ASSERT_TRUE(xml_to_group("<GROUP><V>" + c.in + "</V></GROUP>", g, Matching::ByName, error));
    EXPECT_EQ(g.at(0).values[0], c.out) << c.in;
  }
}

TEST(GroupXml, PositionalCountsTextNodesAndStopsWhenFieldsRunOut) {
  dict::Group g;
  g.add("A", FieldKind::Text, 10);
  g.add("B", FieldKind::Long, 0, 2);
  std::string error;
  ASSERT_TRUE(xml_to_group("<R><x>p</x>loose<y>7</y><z>9</z></R>", g, Matching::Positional, error));
  EXPECT_EQ(g.at(0).values[0], "p");
  EXPECT_EQ(g.at(1).values, (std::vector<std::string>{"0", "7"}));  // "loose" is no number
}

TEST(GroupXml, MalformedTextIsAnErrorAndTheRecordStays) {
  // 1 empty, 2 unclosed, 3 mismatched, 4 no element, 5 open comment, 6 bad attribute, 7-8 two roots
  const char* bad[] = {"",         "<GROUP>",      "<GROUP><A>1</B></GROUP>",
                       "no xml",   "<A><!-- </A>", "<a b=></a>",
                       "<A/><B/>", "<A/>x<A/>"};
  for (const char* text : bad) {
    dict::Group g = every_kind();
    std::string error;
    EXPECT_FALSE(xml_to_group(text, g, Matching::ByName, error)) << text;
    EXPECT_EQ(error.rfind("B\xB3\xB9"
                          "d \xB3"
                          "adowania definicji XML!|",
                          0),
              0u)
        << error;
    EXPECT_EQ(g.at(1).values[0], "-42");
  }
}

}  // namespace
}  // namespace orv::xml
