// Tokens of T-SQL text, and text made back from tokens: the base every rewrite stands on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sql::dialect {

enum class TokenKind {
  Word,      // identifier or keyword, unquoted
  Name,      // [bracketed] or "quoted" identifier, quotes included in text
  String,    // 'literal' (quotes and doubled apostrophes as written), N'...' keeps its N
  Number,    // 12, 4.25, 1e5, 0x1F
  Variable,  // @x, @@ROWCOUNT
  HostVar,   // &RetCode: a variable of the calling channel
  Op,        // punctuation and operators
  Other,     // any byte the dialect has no use for; passed through
};

struct Token {
  TokenKind kind = TokenKind::Other;
  std::string text;
  std::string space;  // blanks before the token as written; each comment became one blank
};

using Tokens = std::vector<Token>;

struct LexResult {
  Tokens tokens;
  std::string error;  // SQL Server's wording for an unclosed literal or comment, a NUL byte
  bool ok() const { return error.empty(); }
};

LexResult lex(std::string_view sql);

// Statement text of tokens [begin, end): the first token's leading blanks dropped, a blank put
// wherever two tokens would otherwise run together ("5and" came in as two tokens), host variables
// spelled as SQLite parameters.
std::string emit(const Tokens& tokens, std::size_t begin, std::size_t end);
std::string emit(const Tokens& tokens);

Token make_token(TokenKind kind, std::string text, std::string space = " ");
Token word(std::string text, std::string space = " ");
Token op(std::string text, std::string space = "");

// Keywords compare ASCII case-insensitively; `upper` is given in upper case.
bool is_kw(const Token& t, std::string_view upper);
bool is_op(const Token& t, std::string_view text);
bool same_name(std::string_view a, std::string_view b);
// A keyword that never names a table, column or alias in the statements we see.
bool is_reserved(const Token& t);
// The identifier a Word or Name token stands for, without brackets or quotes.
std::string name_of(const Token& t);
bool is_name(const Token& t);  // Word that is not reserved, or Name
std::string ascii_lower(std::string_view s);

// For every '(' the index of its ')' and back; npos when unbalanced. Same for '{' '}'.
std::vector<std::size_t> match_brackets(const Tokens& tokens);

}  // namespace orv::sql::dialect
