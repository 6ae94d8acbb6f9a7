// Lexer and emitter: token boundaries, literals left alone, text made back faithfully.
#include "platform/sql/dialect/lexer.hpp"
#include "support/case_names.hpp"

#include <gtest/gtest.h>

namespace orv::sql::dialect {
namespace {

// Kinds as letters: W word, N name, S string, 9 number, @ variable, & host variable, o operator,
// ? other. Each token is shown as letter:text.
std::string shape(std::string_view sql) {
  static const char kLetters[] = {'W', 'N', 'S', '9', '@', '&', 'o', '?'};
  LexResult r = lex(sql);
  if (!r.ok()) return "error: " + r.error;
  std::string out;
  for (const Token& t : r.tokens) {
    if (!out.empty()) out += ' ';
    out += kLetters[static_cast<int>(t.kind)];
    out += ':' + t.text;
  }
  return out;
}

struct LexCase {
  const char* name;
  const char* sql;
  const char* tokens;
};

class Lexes : public ::testing::TestWithParam<LexCase> {};

TEST_P(Lexes, Tokens) {
  EXPECT_EQ(shape(GetParam().sql), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lexes,
    ::testing::Values(
        // 1 a number glued to a keyword ends where the letters start
        LexCase{"NumberThenKeyword", "5and", "9:5 W:and"},
        // 2 exponent and hexadecimal forms stay one number
        LexCase{"Exponent", "1e5 1.5E-3 0x1F .5", "9:1e5 9:1.5E-3 9:0x1F 9:.5"},
        // 3 an 'e' without digits is not an exponent
        LexCase{"BareE", "1end", "9:1 W:end"},
        // 4 doubled apostrophes stay inside the literal
        LexCase{"DoubledQuote", "'O''Brien' x", "S:'O''Brien' W:x"},
        // 5 N'' keeps its prefix for the pass that drops it
        LexCase{"UnicodeLiteral", "N'abc'+n'd'", "S:N'abc' o:+ S:n'd'"},
        // 6 an identifier beginning with N is not a literal
        LexCase{"NameStartingWithN", "nazwa='x'", "W:nazwa o:= S:'x'"},
        // 7 brackets and double quotes are names, with their escapes
        LexCase{"QuotedNames", "[a]]b] \"c\"\"d\"", "N:[a]]b] N:\"c\"\"d\""},
        // 8 keywords, operators and punctuation inside a literal are data
        LexCase{"LiteralHoldsSql", "' from x with (nolock) -- '", "S:' from x with (nolock) -- '"},
        // 9 two-character operators
        LexCase{"Operators", "a<>b!=c<=d>=e!<f!>g||h",
                "W:a o:<> W:b o:!= W:c o:<= W:d o:>= W:e "
                "o:!< W:f o:!> W:g o:|| W:h"},
        // 10 variables, system variables and the channel's host variable
        LexCase{"Variables", "@x, @@ROWCOUNT, &RetCode", "@:@x o:, @:@@ROWCOUNT o:, &:&RetCode"},
        // 11 '&' after an operand is bitwise AND
        LexCase{"BitwiseAnd", "a &b, 3&c", "W:a o:& W:b o:, 9:3 o:& W:c"},
        // 12 '&' after a keyword or '=' starts a host variable
        LexCase{"HostVarAfterKeyword", "select &X = &Y", "W:select &:&X o:= &:&Y"},
        // 13 comments vanish, nested block comments included
        LexCase{"Comments", "a -- x\nb /* 1 /* 2 */ 3 */ c", "W:a W:b W:c"},
        // 14 bytes above 0x7F are identifier characters (UTF-8 letters)
        LexCase{"Utf8Letters", "Łódź", "W:Łódź"},
        // 15 stray bytes pass as they are
        LexCase{"StrayBytes", "a # $", "W:a W:# ?:$"},
        // 16 an unclosed literal reports where it began, SQL Server's wording
        LexCase{"UnclosedLiteral", "select 'abc",
                "error: Unclosed quotation mark after the "
                "character string 'abc'."},
        // 17 an unclosed bracket too
        LexCase{"UnclosedBracket", "[a b",
                "error: Unclosed quotation mark after the character "
                "string 'a b'."},
        // 18 an unclosed block comment
        LexCase{"UnclosedComment", "a /* /* */", "error: Missing end comment mark '*/'."}),
    orv::test::named_case);

// A NUL byte would silently cut the statement short in SQLite.
TEST(Lexer, NulAnywhereIsRefused) {
  LexResult r = lex(std::string_view("delete from t where id=5\0 or 1=1", 32));
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.error, "Incorrect syntax: the statement contains a NUL character.");
}

TEST(Lexer, LongUnclosedLiteralIsCutOnACharacterBoundary) {
  std::string body(200, 'a');
  body[127] = '\xC5';  // a two-byte character across the cut after 128 bytes
  body[128] = '\x81';
  LexResult r = lex("select '" + body);
  ASSERT_FALSE(r.ok());
  std::string quoted = r.error.substr(r.error.find('\'') + 1);
  EXPECT_EQ(quoted, std::string(127, 'a') + "...'.");
}

struct EmitCase {
  const char* name;
  const char* sql;
  const char* text;
};

class Emits : public ::testing::TestWithParam<EmitCase> {};

TEST_P(Emits, Text) {
  LexResult r = lex(GetParam().sql);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(emit(r.tokens), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Emits,
    ::testing::Values(
        // 1 blanks as written, leading ones dropped
        EmitCase{"BlanksKept", "  select  a,b\n from\tt", "select  a,b\n from\tt"},
        // 2 the split number and keyword get a blank between them
        EmitCase{"NumberKeyword", "id=5and x=1", "id=5 and x=1"},
        // 3 host variables become SQLite parameters
        EmitCase{"HostVariable", "select &RetCode, @x", "select :RetCode, @x"},
        // 4 a comment becomes a blank so the words around it stay apart
        EmitCase{"CommentBetweenWords", "select/**/a", "select a"},
        // 5 literals come back byte for byte
        EmitCase{"LiteralsVerbatim", "select 'a  b''c', [x y]", "select 'a  b''c', [x y]"}),
    orv::test::named_case);

TEST(Emitter, TokensThatWouldRunTogetherGetABlank) {
  Tokens t{word("select", ""), word("a", ""), op("-"), op("-"), word("b", "")};
  EXPECT_EQ(emit(t), "select a- -b");
}

TEST(Brackets, MatchesNestedAndIgnoresUnbalanced) {
  LexResult r = lex("f((a),{b}) )");
  auto m = match_brackets(r.tokens);
  EXPECT_EQ(m[1], 9u);  // f ( ... )
  EXPECT_EQ(m[2], 4u);  // (a)
  EXPECT_EQ(m[6], 8u);  // {b}
  EXPECT_EQ(m[10], std::string::npos);
}

}  // namespace
}  // namespace orv::sql::dialect
