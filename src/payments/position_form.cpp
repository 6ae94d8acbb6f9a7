// The form of one scheme position (UP_MC_POZYCJE): the field printed, its affixes, and its
// format with the controls the type calls for and the sample layout kept up to date.
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "frame/messages.hpp"
#include "frame/sql_channels.hpp"
#include "frame/transaction.hpp"
#include "lists/list_window.hpp"
#include "lists/sql_value.hpp"
#include "lists/update_form.hpp"
#include "payments/position_order.hpp"
#include "payments/sample_layout.hpp"
#include "payments/scheme.hpp"
#include "payments/scheme_editors.hpp"
#include "platform/decimal/decimal.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/ui.hpp"

namespace orv::payments {
namespace {

using ui::ControlKind;

constexpr const char* kRecord = "MC_DEF_POZ";
const std::vector<std::string> kFields = {"ID_MC_DEF_POZ", "ID_MC_DEF_NAG", "LP"};

enum : int {
  kFieldName = 20,
  kChooseField,
  kPrefix,
  kSuffix,
  kSeparator,
  kOnce,
  kLineEnd,
  kRequired,
  kType,
  kLength,
  kFixed,
  kPattern,
  kFormatSeparator,
  kSample,
};

const std::array<const char*, 3> kTypes = {"A - alfanumeryczny", "N - numeryczny", "D - data"};
const std::array<const char*, 2> kFixedItems = {"Pole zmiennej długości (variable)"_w1250,
                                                "Pole stałej długości (fixed)"_w1250};
const std::vector<std::string> kPatterns = {"RRRRMMDD", "DDMMRRRR", "MMDDRRRR", "RRRRDDMM",
                                            "DDRRRRMM", "MMRRRRDD", "RRMMDD",   "DDMMRR",
                                            "MMDDRR",   "RRDDMM",   "DDRRMM",   "MMRRDD"};

ui::Window position_form() {
  ui::Window w("UpdateMC_Pozycje", "Dodaj definicję pozycji EPP"_w1250);
  w.rect = {0, 0, 320, 220};
  lists::add_form_controls(w);
  w.add(ControlKind::Entry, kFieldName, "POLE", "Pole:").read_only = true;
  w.add(ControlKind::Button, kChooseField, "WYBIERZ_POLE").icon = "folder.ico";
  w.add(ControlKind::Entry, kPrefix, "PREFIKS", "Prefiks:");
  w.add(ControlKind::Entry, kSuffix, "SUFIKS", "Sufiks:");
  w.add(ControlKind::Entry, kSeparator, "SEPARATOR", "Separator:");
  w.add(ControlKind::Check, kOnce, "TYP", "Jednorazowe wystąpienie w pliku"_w1250);
  w.add(ControlKind::Check, kLineEnd, "KONIEC_LINII", "Koniec linii");
  w.add(ControlKind::Check, kRequired, "WYMAGANA_WARTOSC", "Wymagana wartość"_w1250);
  w.add(ControlKind::DropList, kType, "FORMAT_TYP", "Typ pola:").items = {kTypes.begin(),
                                                                          kTypes.end()};
  w.add(ControlKind::Entry, kLength, "FORMAT_ILOSC", "Długość:"_w1250).numeric = true;
  w.add(ControlKind::DropList, kFixed, "FORMAT_FIXED", "Długość pola:"_w1250).items = {
      kFixedItems.begin(), kFixedItems.end()};
  w.add(ControlKind::DropList, kPattern, "FORMAT_FORMAT", "Format daty:").items = kPatterns;
  w.add(ControlKind::DropList, kFormatSeparator, "FORMAT_SEPARATOR", "Separator formatu:");
  w.add(ControlKind::Entry, kSample, "UKLAD", "Układ pola:"_w1250).read_only = true;
  return w;
}

const ui::WindowRegistrar kFormWin("UpdateMC_Pozycje", "UP_MC_POZYCJE", &position_form);

std::string buffer(const char* field) {
  return dict::row_field(dict::glo().records, kRecord, field).value_or("");
}

void choose_item(ui::Control& c, std::string_view value) {
  c.value = std::string(value);
  c.selected = 0;
  for (std::size_t k = 0; k < c.items.size(); ++k) {
    if (c.items[k] == c.value) c.selected = static_cast<int>(k + 1);
  }
}

char type_of(ui::Window& w) {
  const std::string& v = w.at(kType).value;
  return v.empty() ? 'A' : v.front();
}

void set_type(ui::Window& w, char type) {
  for (const char* item : kTypes) {
    if (item[0] == type) choose_item(w.at(kType), item);
  }
}

// The date pattern and the separator as the type calls for them; a value the type cannot take
// is cleared.
void apply_type(ui::Window& w) {
  const char type = type_of(w);
  ui::Control& pattern = w.at(kPattern);
  pattern.hidden = type != 'D';
  if (type != 'D') choose_item(pattern, "");
  if (type == 'D' && text::clip(pattern.value).empty()) choose_item(pattern, "RRRRMMDD");
  ui::Control& sep = w.at(kFormatSeparator);
  sep.hidden = type == 'A';
  if (type == 'A') sep.items.clear();
  if (type == 'N') sep.items = {"", ".", ","};
  if (type == 'D') sep.items = {"", ".", "/", "-"};
  const bool fits = std::find(sep.items.begin(), sep.items.end(), sep.value) != sep.items.end();
  choose_item(sep, fits ? sep.value : "");
}

Position read_form(ui::Window& w) {
  Position p;
  p.prefix = w.at(kPrefix).value;
  p.suffix = w.at(kSuffix).value;
  p.separator = w.at(kSeparator).value;
  p.once_per_file = w.at(kOnce).value == "1";
  p.line_end = w.at(kLineEnd).value == "1";
  p.required = w.at(kRequired).value == "1";
  p.format_type = type_of(w);
  p.length = text::long_of(w.at(kLength).value);
  p.fixed = w.at(kFixed).selected == 2;
  p.date_pattern = w.at(kPattern).value;
  p.format_separator = w.at(kFormatSeparator).value;
  p.field_name = w.at(kFieldName).value;
  return p;
}

void show_sample(ui::Window& w) {
  const Position p = read_form(w);
  w.at(kSample).value = sample_layout(
      p.prefix, sample_value(p.format_type, p.length, p.format_separator, p.date_pattern), p.suffix,
      p.separator);
}

void show_position(ui::Window& w, const Position& p) {
  w.at(kFieldName).value = p.field_name;
  w.at(kPrefix).value = p.prefix;
  w.at(kSuffix).value = p.suffix;
  w.at(kSeparator).value = p.separator;
  w.at(kOnce).value = p.once_per_file ? "1" : "0";
  w.at(kLineEnd).value = p.line_end ? "1" : "0";
  w.at(kRequired).value = p.required ? "1" : "0";
  set_type(w, p.format_type);
  w.at(kLength).value = std::to_string(p.length);
  choose_item(w.at(kFixed), kFixedItems[p.fixed ? 1 : 0]);
  choose_item(w.at(kPattern), p.date_pattern);
  w.at(kFormatSeparator).value = p.format_separator;
  apply_type(w);
  show_sample(w);
}

// The stored position and its field's name.
Position load_position(double id) {
  Position p;
  if (frame::ESQL("select ID_MC_DEF_POLA, PREFIKS, SUFIKS, SEPARATOR, TYP, KONIEC_LINII, "
                  "WYMAGANA_WARTOSC, FORMAT_TYP, FORMAT_ILOSC, FORMAT_FIXED, FORMAT_FORMAT, "
                  "FORMAT_SEPARATOR from MC_DEF_POZ where id_mc_def_poz=" +
                  plain_id(id)) == 0 &&
      frame::VAX().next()) {
    const sql::ScratchTable& t = frame::VAX();
    p.field_id = static_cast<int64_t>(t.real_field(1));
    p.prefix = text::clip(t.field(2));
    p.suffix = text::clip(t.field(3));
    p.separator = text::clip(t.field(4));
    p.once_per_file = !text::clip(t.field(5)).empty();
    p.line_end = t.long_field(6) == 1;
    p.required = t.long_field(7) == 1;
    const std::string type = text::upper(text::clip(t.field(8)));
    p.format_type = type.empty() ? 'A' : type.front();
    p.length = t.long_field(9);
    p.fixed = t.long_field(10) == 1;
    p.date_pattern = text::clip(t.field(11));
    p.format_separator = text::clip(t.field(12));
  }
  frame::CLOSESQL();
  p.field_name = frame::FUNCSQL("select nazwa from MC_DEF_POLA where id_mc_def_pola=" +
                                std::to_string(p.field_id));
  return p;
}

char type_for_field(int64_t id, char current) {
  if (id == field::kDate) return 'D';
  if (id == field::kAmount || id == field::kSortCode ||
      id == field::kSortCode + field::kCompanyOffset)
    return 'N';
  return current;
}

std::string flag(bool on) {
  return on ? "1" : "0";
}

using Columns = std::vector<std::pair<const char*, std::string>>;

// The columns a position's form writes, each with its value as SQL.
Columns position_columns(const Position& p) {
  const std::string sample = sample_layout(
      p.prefix, sample_value(p.format_type, p.length, p.format_separator, p.date_pattern), p.suffix,
      p.separator);
  return {{"ID_MC_DEF_POLA", std::to_string(p.field_id)},
          {"PREFIKS", lists::quote(p.prefix, 10)},
          {"SUFIKS", lists::quote(p.suffix, 10)},
          {"SEPARATOR", lists::quote(p.separator, 10)},
          {"TYP", lists::quote(p.once_per_file ? "N" : "")},
          {"KONIEC_LINII", flag(p.line_end)},
          {"WYMAGANA_WARTOSC", flag(p.required)},
          {"FORMAT_TYP", lists::quote(std::string(1, p.format_type))},
          {"FORMAT_ILOSC", std::to_string(p.length)},
          {"FORMAT_FIXED", flag(p.fixed)},
          {"FORMAT_FORMAT", lists::quote(p.date_pattern, 50)},
          {"FORMAT_SEPARATOR", lists::quote(p.format_separator, 1)},
          {"FORMAT_DISPLAY_1", lists::quote(format_summary(p.length, p.format_type, p.fixed), 50)},
          {"FORMAT_DISPLAY_2", lists::quote(sample, 255)}};
}

// A new position goes to the end of its scheme; the list then moves it where it belongs.
std::string insert_position(double scheme_id, const Position& p) {
  const std::string n = plain_id(scheme_id);
  const int32_t last =
      text::long_of(frame::FUNCSQL("select count(*) from MC_DEF_POZ where id_mc_def_nag=" + n));
  std::string names = "ID_MC_DEF_NAG,LP,FORMAT_WYROWNANIE";
  std::string values = n + "," + std::to_string(last + 1) + ",1";
  for (const auto& [column, value] : position_columns(p)) {
    names += std::string(",") + column;
    values += "," + value;
  }
  return frame::inserted_id("insert into MC_DEF_POZ (" + names + ") values(" + values + ")");
}

bool update_position(double id, const Position& p) {
  std::string set;
  for (const auto& [column, value] : position_columns(p))
    set += (set.empty() ? "" : ",") + std::string(column) + "=" + value;
  const bool ok = frame::ESQL("update MC_DEF_POZ with (rowlock) set " + set +
                              " where id_mc_def_poz=" + plain_id(id)) == 0;
  frame::CLOSESQL();
  return ok;
}

class PositionForm {
 public:
  explicit PositionForm(lists::Request r) : request_(r), w_(position_form()) {}
  void run();

 private:
  bool save();
  bool on_event(const ui::Event& e);
  void choose_field();

  lists::Request request_;
  ui::Window w_;
  int64_t field_id_ = 0;
};

void PositionForm::choose_field() {
  const double chosen = payments::choose_field(static_cast<double>(field_id_));
  if (chosen <= 0) return;
  field_id_ = static_cast<int64_t>(chosen);
  w_.at(kFieldName).value =
      dict::row_field(dict::glo().records, "MC_DEF_POLA", "NAZWA").value_or("");
  set_type(w_, type_for_field(field_id_, type_of(w_)));
}

bool PositionForm::on_event(const ui::Event& e) {
  if (e.accepted(kChooseField)) choose_field();
  if (e.accepted(kChooseField) || e.accepted(kType)) apply_type(w_);
  show_sample(w_);
  w_.display();
  return true;
}

bool PositionForm::save() {
  if (field_id_ <= 0) {
    frame::MSG_INFORMACJA("Proszę wybrać pole."_w1250);
    return false;
  }
  Position p = read_form(w_);
  p.field_id = field_id_;
  if (request_ != lists::Request::Insert)
    return update_position(text::real_of(buffer("ID_MC_DEF_POZ")), p);
  const std::string id = insert_position(text::real_of(buffer("ID_MC_DEF_NAG")), p);
  return !id.empty() && dict::set_record_field(dict::glo().records, kRecord, "ID_MC_DEF_POZ", id);
}

void PositionForm::run() {
  if (request_ == lists::Request::Insert) {
    w_.title = "Dodaj definicję pozycji EPP"_w1250;
    show_position(w_, Position{});
  } else {
    w_.title = request_ == lists::Request::Change ? "Edycja pozycji definicji EPP" : "View Record";
    const Position p = load_position(text::real_of(buffer("ID_MC_DEF_POZ")));
    field_id_ = p.field_id;
    show_position(w_, p);
  }
  lists::UpdateForm form(w_, request_);
  form.run([this] { return save(); }, [this](const ui::Event& e) { return on_event(e); });
}

}  // namespace

void UP_MC_POZYCJE() {
  dict::declare_row_buffer(kRecord, kFields);
  const double id = text::real_of(buffer("ID_MC_DEF_POZ"));
  const lists::Request r = lists::form_request(id);
  if (r != lists::Request::Delete) return PositionForm(r).run();
  const bool done =
      lists::confirm_delete() &&
      delete_position(text::real_of(buffer("ID_MC_DEF_NAG")), text::long_of(buffer("LP")), id);
  lists::answer_request(done);
}

}  // namespace orv::payments
