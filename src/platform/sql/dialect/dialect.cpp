// translate(): lexer → splitter → plan builder, every statement through the rewrite passes.
#include "platform/sql/dialect/dialect.hpp"

#include <new>
#include <optional>

#include "platform/sql/dialect/lexer.hpp"
#include "platform/sql/dialect/passes.hpp"
#include "platform/sql/dialect/plan.hpp"
#include "platform/sql/dialect/splitter.hpp"
#include "platform/sql/dialect/syntax.hpp"

namespace orv::sql::dialect {

void rewrite(Tokens& t, const Catalog* catalog, bool expression) {
  unwrap_odbc_escapes(t);
  strip_dbo(t);
  strip_hints(t);
  drop_unicode_prefix(t);
  rename_functions(t);
  quote_type_arguments(t);
  cast_to_convert(t);
  rewrite_string_calls(t);
  temp_tables(t);
  date_arithmetic(t);
  type_additions(t, catalog, expression);
  guard_division(t);
  collate_literals(t);
  top_to_limit(t);
  if (expression) return;
  collate_new_columns(t);
  complete_insert(t);
  rewrite_delete(t);
  rewrite_update_from(t);
  check_stored_integers(t, catalog);
}

namespace {

// One limit for every statement, whether or not a rewrite has to parse it: SQL Server refuses
// such nesting too, and no pass recurses deeper than it.
void check_nesting(const Tokens& t) {
  int depth = 0;
  for (const Token& k : t) {
    if (k.kind != TokenKind::Op) continue;
    if (k.text == "(") check_depth(++depth);
    if (k.text == ")" && depth > 0) --depth;
  }
}

}  // namespace

Translation translate(std::string_view tsql, const Catalog* catalog) {
  Translation tr;
  try {
    LexResult lexed = lex(tsql);
    if (!lexed.ok()) {
      tr.error = std::move(lexed.error);
      return tr;
    }
    check_nesting(lexed.tokens);
    tr.plan = build_plan(lexed.tokens, split(lexed.tokens), catalog);
    tr.ok = true;
  } catch (const DialectError& e) {
    tr.plan = {};
    tr.error = e.message;
  } catch (const std::bad_alloc&) {
    tr.plan = {};
    tr.error = "There is insufficient memory to translate the statement.";
  } catch (const std::exception& e) {
    tr.plan = {};
    tr.error = std::string("The statement could not be translated: ") + e.what();
  }
  return tr;
}

std::optional<std::vector<Parameter>> parse_parameters(std::string_view list) {
  LexResult lexed = lex(list);
  if (!lexed.ok()) return std::nullopt;
  const Tokens& t = lexed.tokens;
  std::vector<Parameter> out;
  if (t.empty()) return out;
  auto match = match_brackets(t);
  for (auto [b, e] : split_commas(t, match, 0, t.size())) {
    if (e < b + 2 || t[b].kind != TokenKind::Variable) return std::nullopt;
    std::size_t k = b + 1;
    if (is_kw(t[k], "AS")) ++k;
    Parameter p{t[b].text, {}, false};
    if (e > k && (is_kw(t[e - 1], "OUTPUT") || is_kw(t[e - 1], "OUT"))) {
      p.output = true;
      --e;
    }
    if (k >= e || t[k].kind != TokenKind::Word) return std::nullopt;
    p.type = ascii_lower(emit(t, k, e));
    out.push_back(std::move(p));
  }
  return out;
}

std::string parameter_name(std::string_view variable) {
  std::string name(variable);
  if (!name.empty() && name[0] == '&') name[0] = ':';
  return name;
}

}  // namespace orv::sql::dialect
