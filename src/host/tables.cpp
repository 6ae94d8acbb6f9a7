// Field descriptors of every global in-memory table and the generic access built on them.
#include "host/tables.hpp"

#include <cmath>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "host/globals.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::host {
namespace {

using namespace orv::dict;

// Where a field of Row lives, with the capacity of a text in characters (0 = no limit).
template <class Row>
struct Field {
  const char* name;
  std::variant<std::string Row::*, double Row::*, int32_t Row::*, uint8_t Row::*, Decimal Row::*>
      member;
  std::size_t capacity = 0;
};

template <class Row>
bool store(Row& r, const Field<Row>& f, std::string_view value) {
  if (auto* m = std::get_if<std::string Row::*>(&f.member)) {
    r.** m = f.capacity ? text::fit(value, f.capacity + 1) : std::string(value);
    return true;
  }
  Decimal d;
  if (!Decimal::parse(text::trim(value), d)) return false;
  if (auto* m = std::get_if<Decimal Row::*>(&f.member)) {
    r.** m = d;
    return true;
  }
  double v = d.to_double();
  if (auto* m = std::get_if<double Row::*>(&f.member)) {
    r.** m = v;
    return true;
  }
  if (auto* m = std::get_if<int32_t Row::*>(&f.member)) {
    auto w = text::whole_in(v, INT32_MIN, INT32_MAX);
    if (w) r.** m = static_cast<int32_t>(*w);
    return w.has_value();
  }
  auto w = text::whole_in(v, 0, 255);
  if (w) r.*std::get<uint8_t Row::*>(f.member) = static_cast<uint8_t>(*w);
  return w.has_value();
}

template <class Row>
std::string fetch(const Row& r, const Field<Row>& f) {
  return std::visit(
      [&](auto m) -> std::string {
        using T = std::remove_cvref_t<decltype(r.*m)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return r.*m;
        } else if constexpr (std::is_same_v<T, Decimal>) {
          return (r.*m).to_string();
        } else {
          return plain_number(static_cast<double>(r.*m));
        }
      },
      f.member);
}

class Access {
 public:
  virtual ~Access() = default;
  virtual std::size_t rows() const = 0;
  virtual void clear() = 0;
  virtual std::size_t add() = 0;
  virtual bool erase(std::size_t row) = 0;
  virtual bool set(std::size_t row, std::string_view field, std::string_view value) = 0;
  virtual std::optional<std::string> get(std::size_t row, std::string_view field) const = 0;
  virtual std::string field_name(std::size_t index) const = 0;
};

template <class Row>
class TableAccess : public Access {
 public:
  TableAccess(Queue<Row> Tables::*queue, std::vector<Field<Row>> fields)
      : queue_(queue), fields_(std::move(fields)) {}

  std::size_t rows() const override { return q().size(); }
  void clear() override { q().clear(); }
  std::size_t add() override {
    q().add(Row{});
    return q().size();
  }
  bool erase(std::size_t row) override {
    if (row < 1 || row > q().size()) return false;
    q().erase(row);
    return true;
  }
  bool set(std::size_t row, std::string_view field, std::string_view value) override {
    const Field<Row>* f = find(field);
    Row* r = q().get(row);
    return f && r && store(*r, *f, value);
  }
  std::optional<std::string> get(std::size_t row, std::string_view field) const override {
    const Field<Row>* f = find(field);
    if (!f || row < 1 || row > q().size()) return std::nullopt;
    return fetch(q()[row - 1], *f);
  }
  std::string field_name(std::size_t index) const override {
    return index < fields_.size() ? fields_[index].name : std::string();
  }

 private:
  Queue<Row>& q() const { return glo().tables.*queue_; }
  const Field<Row>* find(std::string_view name) const {
    std::string wanted = text::upper(text::trim(name));
    for (const auto& f : fields_) {
      if (wanted == f.name) return &f;
    }
    return nullptr;
  }

  Queue<Row> Tables::*queue_;
  std::vector<Field<Row>> fields_;
};

struct Entry {
  const char* name;
  std::unique_ptr<Access> access;
};

template <class Row>
Entry entry(const char* name, Queue<Row> Tables::*queue, std::vector<Field<Row>> fields) {
  return {name, std::make_unique<TableAccess<Row>>(queue, std::move(fields))};
}

// The classifier fields, one entry of their own: the row has the most fields of all.
Entry classifier_entry() {
  return entry<KlasyfikatorRow>("GLO:KOL_KLASYFIKATOROW", &Tables::KOL_KLASYFIKATOROW,
                                {{"GROUP", &KlasyfikatorRow::group, 30},
                                 {"LABEL", &KlasyfikatorRow::label},
                                 {"COLUMN", &KlasyfikatorRow::column},
                                 {"NUMBER", &KlasyfikatorRow::number},
                                 {"PICTURE", &KlasyfikatorRow::picture},
                                 {"KIND", &KlasyfikatorRow::kind},
                                 {"ALLOWED", &KlasyfikatorRow::allowed},
                                 {"DATA_TYPE", &KlasyfikatorRow::data_type},
                                 {"DEFAULT_VALUE", &KlasyfikatorRow::default_value},
                                 {"ACTIVE", &KlasyfikatorRow::active},
                                 {"REQUIRED", &KlasyfikatorRow::required},
                                 {"FUNCTION", &KlasyfikatorRow::function},
                                 {"PASS_OBJECT_ID", &KlasyfikatorRow::pass_object_id},
                                 {"DICTIONARY_ID", &KlasyfikatorRow::dictionary_id},
                                 {"OPENER", &KlasyfikatorRow::opener}});
}

// The capacities are those the row types document; FILTRTABELQUEUE's arrays of conditions are
// the library's own working state and are not offered field by field.
void add_session_tables(std::vector<Entry>& e) {
  e.push_back(entry<VatRow>("VATQ", &Tables::VATQ,
                            {{"SYMBOL", &VatRow::symbol, 10}, {"RATE", &VatRow::rate}}));
  std::vector<Field<ParamKonfRow>> param = {{"CODE", &ParamKonfRow::code, 20},
                                            {"MASK", &ParamKonfRow::mask, 20},
                                            {"VALUE", &ParamKonfRow::value, 249}};
  e.push_back(entry<ParamKonfRow>("S_PARAMKONFQ", &Tables::S_PARAMKONFQ, param));
  e.push_back(entry<ParamKonfRow>("U_PARAMKONFQ", &Tables::U_PARAMKONFQ, param));
  e.push_back(entry<OknoRow>("OKNAQ", &Tables::OKNAQ,
                             {{"VALUE", &OknoRow::value}, {"NAME", &OknoRow::name, 20}}));
  e.push_back(entry<OtwarteOknoRow>(
      "GLO:KOLEJKAOTWARTYCHOKIEN", &Tables::KOLEJKAOTWARTYCHOKIEN,
      {{"NAME", &OtwarteOknoRow::name, 254}, {"QUALIFIER", &OtwarteOknoRow::qualifier, 99}}));
  e.push_back(entry<UprawnRow>("UPRAWNQ", &Tables::UPRAWNQ,
                               {{"CODE", &UprawnRow::code, 20}, {"KIND", &UprawnRow::kind, 20}}));
  e.push_back(entry<AccessRow>("ACCESSQ", &Tables::ACCESSQ,
                               {{"CODE", &AccessRow::code, 20},
                                {"ID2", &AccessRow::id2},
                                {"ID3", &AccessRow::id3},
                                {"ID4", &AccessRow::id4},
                                {"ID5", &AccessRow::id5},
                                {"ACCESS", &AccessRow::access},
                                {"STATE_FLAGS", &AccessRow::state_flags, 20}}));
  e.push_back(entry<DostepRaportRow>(
      "DOSTEPRAPORTOWQ", &Tables::DOSTEPRAPORTOWQ,
      {{"REPORT_ID", &DostepRaportRow::report_id}, {"ACCESS", &DostepRaportRow::access}}));
}

void add_window_tables(std::vector<Entry>& e) {
  e.push_back(entry<ParOknoRow>("INI_PAR_OKNO", &Tables::INI_PAR_OKNO,
                                {{"WINDOW", &ParOknoRow::window, 50},
                                 {"PARAMETER", &ParOknoRow::parameter, 50},
                                 {"VALUE", &ParOknoRow::value, 50}}));
  e.push_back(entry<IniBroRow>("INI_BRO", &Tables::INI_BRO,
                               {{"NAME", &IniBroRow::name, 50},
                                {"WINDOW_ID", &IniBroRow::window_id},
                                {"FIRST_COLUMN", &IniBroRow::first_column},
                                {"LAST_COLUMN", &IniBroRow::last_column}}));
  e.push_back(entry<IniKolBroRow>("INI_KOL_BRO", &Tables::INI_KOL_BRO,
                                  {{"WINDOW", &IniKolBroRow::window, 50},
                                   {"WINDOW_ID", &IniKolBroRow::window_id},
                                   {"COLUMN_ID", &IniKolBroRow::column_id},
                                   {"NUMBER", &IniKolBroRow::number},
                                   {"CAPTION", &IniKolBroRow::caption, 50},
                                   {"DEFAULT_WIDTH", &IniKolBroRow::default_width},
                                   {"WIDTH", &IniKolBroRow::width},
                                   {"POSITION", &IniKolBroRow::position},
                                   {"FORMAT", &IniKolBroRow::format, 200},
                                   {"ADDITIONAL", &IniKolBroRow::additional},
                                   {"HIDDEN", &IniKolBroRow::hidden},
                                   {"QUANTITY_PICTURE", &IniKolBroRow::quantity_picture}}));
  e.push_back(entry<ParametrWariantuRow>("PARAMETRYWARIANTUQ", &Tables::PARAMETRYWARIANTUQ,
                                         {{"NAME", &ParametrWariantuRow::name, 49},
                                          {"VALUE", &ParametrWariantuRow::value, 199},
                                          {"PARAMETER_ID", &ParametrWariantuRow::parameter_id},
                                          {"VARIANT_ID", &ParametrWariantuRow::variant_id}}));
  e.push_back(entry<FormatNumeracjiRow>("FORMAT_NUMERACJI_Q", &Tables::FORMAT_NUMERACJI_Q,
                                        {{"GROUP", &FormatNumeracjiRow::group},
                                         {"TYPE_ID", &FormatNumeracjiRow::type_id},
                                         {"RESOURCE_ID", &FormatNumeracjiRow::resource_id},
                                         {"FORMAT", &FormatNumeracjiRow::format, 49},
                                         {"PERIOD", &FormatNumeracjiRow::period},
                                         {"PARAMETER1", &FormatNumeracjiRow::parameter1},
                                         {"PARAMETER2", &FormatNumeracjiRow::parameter2}}));
}

void add_document_tables(std::vector<Entry>& e) {
  e.push_back(entry<StatusRow>("Q_STATUSY", &Tables::Q_STATUSY,
                               {{"CODE", &StatusRow::code, 1},
                                {"ONE", &StatusRow::one},
                                {"CAPTION", &StatusRow::caption, 40}}));
  e.push_back(entry<StatusZamowieniaRow>("GLO:KOLEJKASTATUSOWZAMOWIEN",
                                         &Tables::KOLEJKASTATUSOWZAMOWIEN,
                                         {{"ID", &StatusZamowieniaRow::id},
                                          {"DESCRIPTION", &StatusZamowieniaRow::description, 50},
                                          {"CODE", &StatusZamowieniaRow::code, 1},
                                          {"SYSTEM", &StatusZamowieniaRow::system},
                                          {"AUTOMATIC", &StatusZamowieniaRow::automatic},
                                          {"ACTIVE", &StatusZamowieniaRow::active}}));
  e.push_back(classifier_entry());
  e.push_back(
      entry<FiltrTabelRow>("FILTRTABELQUEUE", &Tables::FILTRTABELQUEUE,
                           {{"TABLE", &FiltrTabelRow::table}, {"NAME", &FiltrTabelRow::name, 50}}));
}

std::vector<Entry> make_entries() {
  std::vector<Entry> e;
  add_session_tables(e);
  add_window_tables(e);
  add_document_tables(e);
  return e;
}

const std::vector<Entry>& entries() {
  static const std::vector<Entry> e = make_entries();
  return e;
}

Access* find(std::string_view table) {
  std::string wanted = text::upper(text::trim(table));
  for (const auto& e : entries()) {
    if (without_glo(e.name) == without_glo(wanted)) return e.access.get();
  }
  return nullptr;
}

}  // namespace

std::optional<std::size_t> table_rows(std::string_view table) {
  Access* a = find(table);
  return a ? std::optional(a->rows()) : std::nullopt;
}

bool clear_table(std::string_view table) {
  Access* a = find(table);
  if (a) a->clear();
  return a != nullptr;
}

std::size_t add_table_row(std::string_view table) {
  Access* a = find(table);
  return a ? a->add() : 0;
}

bool delete_table_row(std::string_view table, std::size_t row) {
  Access* a = find(table);
  return a && a->erase(row);
}

bool set_table_field(std::string_view table, std::size_t row, std::string_view field,
                     std::string_view value) {
  Access* a = find(table);
  return a && a->set(row, field, value);
}

std::optional<std::string> table_field(std::string_view table, std::size_t row,
                                       std::string_view field) {
  Access* a = find(table);
  return a ? a->get(row, field) : std::nullopt;
}

std::string table_name(std::size_t index) {
  return index < entries().size() ? entries()[index].name : std::string();
}

std::string table_field_name(std::string_view table, std::size_t index) {
  Access* a = find(table);
  return a ? a->field_name(index) : std::string();
}

}  // namespace orv::host
