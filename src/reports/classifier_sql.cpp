// KLASYFIKATORY_UTWORZSQL: a list filter from the values typed into the classifier fields.
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "reports/classifiers.hpp"

namespace orv::reports {
namespace {

bool comparison(std::string_view op) {
  return op == ">" || op == ">=" || op == "<" || op == "<=" || op == "<>";
}

// The column a field's condition tests: its own, or its function of the object's identifier.
class Columns {
 public:
  explicit Columns(std::string_view group) : group_(group) {}

  std::string of(const dict::KlasyfikatorRow& f) {
    if (f.kind != 3) return "A." + std::string(text::clip(f.column));
    if (!id_column_) {
      id_column_ = std::string(text::clip(
          frame::FUNCSQL("select NAZWA_IDENTYFIKATORA from KLASYFIKATOR_GRUPA with (nolock) where "
                         "kod_klas_grupy='" +
                         text::double_apostrophes(text::clip(group_)) + "'")));
    }
    return std::string(text::clip(f.function)) + "(A." + *id_column_ + ")";
  }

 private:
  std::string_view group_;
  std::optional<std::string> id_column_;
};

// One field's condition; nullopt (after the warning) for a non-number compared as a number.
std::optional<std::string> condition(const dict::KlasyfikatorRow& f, const std::string& column,
                                     std::string_view value, std::string_view op) {
  const std::string v = text::double_apostrophes(value);
  if (op.empty()) {
    if (text::clip(f.data_type) == "tekst") return column + " like '" + v + "%'";
    return column + "='" + v + "'";
  }
  if (op == "zawiera") return column + " like '%" + v + "%'";
  if (op == "nie zawiera") return column + " not like '%" + v + "%'";
  if (!numeric_type(f.data_type) || !comparison(op)) {
    return column + " " + std::string(op) + " '" + v + "'";
  }
  const std::optional<double> number = text::real_argument(value);
  if (!number) {
    frame::MSG_OSTRZEZENIE("Wartość pola "_w1250 + std::string(text::clip(f.label)) +
                           " musi być liczbą!"_w1250);
    return std::nullopt;
  }
  return "cast(A." + std::string(text::clip(f.column)) + " as real) " + std::string(op) +
         plain_number(*number);
}

}  // namespace

std::string KLASYFIKATORY_UTWORZSQL(std::string_view group, const ClassifierValues& values,
                                    const ClassifierValues* operators) {
  Columns columns(group);
  std::string out;
  for (const dict::KlasyfikatorRow* f : classifier_fields(group)) {
    const auto at = static_cast<std::size_t>(f->number - 1);
    const std::string_view value = text::clip(values[at]);
    const std::string_view op = operators ? text::trim((*operators)[at]) : std::string_view();
    if (value.empty() || (operators && op.empty())) continue;
    const std::optional<std::string> c = condition(*f, columns.of(*f), value, op);
    if (!c) return std::string(kSelectsNothing);
    out += (out.empty() ? "" : " and ") + *c;
  }
  if (out.size() <= kMaxClassifierCondition) return out;
  frame::MSG_OSTRZEZENIE("Warunek pól dodatkowych ma "_w1250 + std::to_string(out.size()) +
                         " znaków, a może mieć najwyżej "_w1250 +
                         std::to_string(kMaxClassifierCondition) + ". Filtra nie zastosowano.");
  return std::string(kSelectsNothing);
}

}  // namespace orv::reports
