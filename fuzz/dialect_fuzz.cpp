// Fuzzes the T-SQL translator: any bytes give a plan or an error, never a crash or a hang, and
// every statement it emits lexes cleanly again (no literal or comment left open by a rewrite).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sql/dialect/dialect.hpp"
#include "platform/sql/dialect/lexer.hpp"

namespace {

using namespace orv::sql::dialect;

// Every column of every table is text or number by the parity of its name's length, so that both
// typings of '+' are reached.
class AnyCatalog : public Catalog {
 public:
  std::optional<std::string> column_type(std::string_view, std::string_view column) const override {
    return column.size() % 2 ? "TEXT" : "INTEGER";
  }
  std::vector<std::string> columns(std::string_view) const override { return {"a", "bb", "c"}; }
};

void check(std::string_view sql) {
  if (!lex(sql).ok()) std::abort();
}

void check_actions(const std::vector<Action>& actions) {
  for (const Action& a : actions) {
    if (a.kind != Action::Kind::Call && a.kind != Action::Kind::Declare) check(a.sql);
    if (a.kind == Action::Kind::SelectInto) check(a.name);
    for (const std::string& arg : a.args) check(arg);
    check_actions(a.then_actions);
    check_actions(a.else_actions);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  static const AnyCatalog catalog;
  // sp_executesql's declaration list is read when the batch runs.
  if (auto parameters = parse_parameters(text)) {
    for (const Parameter& p : *parameters) check(p.type);
  }
  Translation plain = translate(text, nullptr);
  Translation typed = translate(text, &catalog);
  if (plain.ok != typed.ok) std::abort();
  if (plain.ok) {
    check_actions(plain.plan.actions);
    check_actions(typed.plan.actions);
  } else if (plain.error.empty()) {
    std::abort();
  }
  return 0;
}
