// Plans as text for golden comparisons, and the loose comparison used for reference texts.
#pragma once

#include <string>
#include <string_view>

#include "platform/sql/dialect/dialect.hpp"

namespace orv::sql::dialect::test {

// One line per action: the SQL text; "CALL name [a1] [@p = a2] => &Var"; "IF cond" with the
// branches indented two blanks and "ELSE" between; "SET @x = expr"; "DECLARE @x"; "EXEC expr
// [declarations] [values]"; "INTO table select"; a failure as "ERROR msg". " [a1] [@n = a2]
// [DEFAULT]": the arguments of a call, named ones with their parameter.
inline std::string dump_args(const Action& a) {
  std::string out;
  for (std::size_t k = 0; k < a.args.size(); ++k) {
    std::string name = k < a.arg_names.size() ? a.arg_names[k] : std::string();
    out += " [" + (name.empty() ? "" : name + " = ") + (a.args[k].empty() ? "DEFAULT" : a.args[k]) +
           "]";
  }
  return out;
}

inline void dump_actions(const std::vector<Action>& actions, const std::string& indent,
                         std::string& out) {
  for (const Action& a : actions) {
    switch (a.kind) {
      case Action::Kind::Sql:
        out += indent + a.sql + "\n";
        break;
      case Action::Kind::Call:
        out += indent + "CALL " + a.name + dump_args(a);
        if (!a.return_var.empty()) out += " => " + a.return_var;
        out += "\n";
        break;
      case Action::Kind::If:
        out += indent + "IF " + a.sql + "\n";
        dump_actions(a.then_actions, indent + "  ", out);
        if (!a.else_actions.empty()) {
          out += indent + "ELSE\n";
          dump_actions(a.else_actions, indent + "  ", out);
        }
        break;
      case Action::Kind::Set:
        out += indent + "SET " + a.name + " = " + a.sql + "\n";
        break;
      case Action::Kind::Declare:
        out += indent + "DECLARE " + a.name + "\n";
        break;
      case Action::Kind::Exec:
        out += indent + "EXEC " + a.sql + dump_args(a) + "\n";
        break;
      case Action::Kind::SelectInto:
        out += indent + "INTO " + a.name + " " + a.sql + "\n";
        break;
    }
  }
}

inline std::string dump(const Translation& tr) {
  if (!tr.ok) return "ERROR " + tr.error + "\n";
  std::string out;
  dump_actions(tr.plan.actions, "", out);
  return out;
}

inline std::string dump(std::string_view tsql, const Catalog* catalog = nullptr) {
  return dump(translate(tsql, catalog));
}

// Case and blanks outside literals do not matter, nor a statement's closing ';': the reference
// translations were written by hand with their own spacing.
inline std::string loose(std::string_view s) {
  std::string out;
  char quote = 0;
  bool blank = false;
  auto punct = [](char c) {
    return std::string_view("(),=<>;|+-*/").find(c) != std::string_view::npos;
  };
  for (char c : s) {
    if (quote) {
      out += c;
      if (c == quote) quote = 0;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      blank = true;
      continue;
    }
    if (blank && !out.empty() && out.back() != '\n' && !punct(out.back()) && !punct(c) && c != '\n')
      out += ' ';
    blank = false;
    if (c == '\'' || c == '"') quote = c;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
  }
  std::string cleaned;
  for (std::size_t i = 0; i < out.size(); ++i)
    if (!(out[i] == ';' && (i + 1 == out.size() || out[i + 1] == '\n'))) cleaned += out[i];
  return cleaned;
}

}  // namespace orv::sql::dialect::test
