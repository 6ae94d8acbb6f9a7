// KLASYFIKATORY_INITUSE and KLASYFIKATORY_ZAPISZ: classifier values read from and written to
// the object's own table.
#include "config/parameters.hpp"
#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "platform/date/date.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "reports/classifiers.hpp"

namespace orv::reports {
namespace {

// A statement on the main channel; a failure is told in a warning with the driver's text.
void run(const std::string& statement) {
  if (frame::ESQL(statement, /*quiet=*/1) != 0) frame::MSG_OSTRZEZENIE(frame::VAX().message());
}

void new_object_defaults(const dict::KlasyfikatorRow& f, std::string& value) {
  value = f.default_value;
  const std::string_view d = text::clip(f.default_value);
  if (text::clip(f.data_type) == "data" && f.required && (d.empty() || d == "0")) {
    value = std::to_string(date::today());
  }
}

void load_row(const std::string& statement, std::size_t columns, ClassifierValues& values) {
  if (frame::ESQL(statement, /*quiet=*/1) != 0) {
    frame::MSG_OSTRZEZENIE(frame::VAX().message());
  } else if (frame::VAX().next()) {
    for (std::size_t k = 0; k < columns && k < values.size(); ++k) {
      values[k] = frame::VAX().field(k + 1);
    }
  }
  frame::CLOSESQL();
}

// Whether a change flag reads as a number other than 0.
bool flagged(const ClassifierValues* flags, std::size_t at) {
  return flags && text::real_of((*flags)[at]) != 0;
}

// SynchroArt: the articles sharing a guid_artykul share their additional fields, unless the
// company keeps them apart.
void copy_to_twins(const std::string& table, const std::vector<std::string>& columns,
                   std::string_view condition) {
  std::string set;
  for (const std::string& c : columns) {
    if (!set.empty()) set += ',';
    set += c;
    set += "=a.";
    set += c;
  }
  run("update " + table + " set " + set + " from artykul b,(select * from artykul where " +
      std::string(condition) + ") a" +
      " where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul");
}

}  // namespace

uint8_t KLASYFIKATORY_INITUSE(std::string_view group, std::string_view id_column, double object_id,
                              ClassifierValues& values, std::optional<uint8_t> mode) {
  const uint8_t m = mode.value_or(0);
  const auto fields = classifier_fields(group);
  const bool identified = !text::clip(id_column).empty();
  std::string columns;
  std::vector<std::pair<std::size_t, std::string>> computed;
  for (const dict::KlasyfikatorRow* f : fields) {
    const auto at = static_cast<std::size_t>(f->number - 1);
    columns += (columns.empty() ? "" : ",") + std::string(text::clip(f->column));
    if (m == 1 && identified) new_object_defaults(*f, values[at]);
    if (f->kind != 3) continue;
    const std::string fn(text::clip(f->function));
    computed.emplace_back(at, f->pass_object_id == 1 ? fn + "(" + plain_id(object_id) + ")" : fn);
  }
  if (m >= 2 && identified && !columns.empty()) {
    load_row("select " + columns + " from " + classifier_table(group) + " where " +
                 std::string(id_column) + "=" + plain_id(object_id),
             fields.size(), values);
  }
  for (const auto& [at, expression] : computed) {
    if (m != 0) values[at] = frame::FUNCSQL("select " + expression);
  }
  for (const dict::KlasyfikatorRow* f : fields) {
    if (!text::clip(values[static_cast<std::size_t>(f->number - 1)]).empty()) return 1;
  }
  return 0;
}

void KLASYFIKATORY_ZAPISZ(std::string_view group, std::string_view id_or_condition,
                          double object_id, const ClassifierValues& values,
                          const ClassifierValues* change_flags) {
  std::string set;
  std::vector<std::string> columns;
  for (const dict::KlasyfikatorRow* f : classifier_fields(group)) {
    const auto at = static_cast<std::size_t>(f->number - 1);
    if (object_id == 0 && !flagged(change_flags, at)) continue;
    const std::string column(text::clip(f->column));
    set += (set.empty() ? "" : ",") + column + "='" +
           text::double_apostrophes(text::clip(values[at])) + "'";
    columns.push_back(column);
  }
  if (set.empty() || object_id < 0) return;
  const std::string table = classifier_table(group);
  if (object_id > 0) {
    run("update " + table + " set " + set + " where " + std::string(id_or_condition) + "=" +
        plain_id(object_id));
  } else {
    run("update " + table + " set " + set + " where " + std::string(id_or_condition));
    if (text::clip(table) == "Artykul" &&
        text::clip(config::POBIERZPARAMKONF("s", "SynchroArt")) != "Rozłączne"_w1250) {
      copy_to_twins(table, columns, id_or_condition);
    }
  }
  frame::CLOSESQL();
}

}  // namespace orv::reports
