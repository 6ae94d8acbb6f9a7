// The list window's loop: moving through pages, the locator, sort orders, the standard buttons.
#include "lists/list_window.hpp"

#include <algorithm>
#include <array>

#include "frame/window_conventions.hpp"
#include "lists/export_button.hpp"
#include "platform/dict/context.hpp"
#include "platform/picture/picture.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/ui.hpp"

namespace orv::lists {
namespace {

using ui::ControlKind;

void add_button(ui::Window& w, int number, const char* id, std::string caption, const char* key,
                bool shown) {
  ui::Control& b = w.add(ControlKind::Button, number, id, std::move(caption));
  b.key = key;
  b.hidden = !shown;
}

std::vector<std::string> sort_captions(const ListDesign& design) {
  std::vector<std::string> out;
  for (const SortKey& s : design.sorts) out.push_back(s.caption);
  return out;
}

const std::string kExportCaption = "Eksport do Excela";

}  // namespace

Request global_request() {
  const int32_t r = dict::glo().GLOBALREQUEST;
  return r >= 0 && r <= 5 ? static_cast<Request>(r) : Request::None;
}

void set_global_request(Request r) {
  dict::glo().GLOBALREQUEST = static_cast<int32_t>(r);
}

int32_t answer_request(bool done) {
  dict::glo().GLOBALRESPONSE = done ? kRequestCompleted : kRequestCancelled;
  return dict::glo().GLOBALRESPONSE;
}

ui::Window build_list_window(const ListDesign& design) {
  ui::Window w(design.name, design.title);
  w.rect = {0, 0, 420, 200};
  ui::Control& list = w.add(ControlKind::List, kList, "LISTA", design.title);
  list.paged = true;
  for (const ListColumnDesign& c : design.columns)
    list.columns.push_back({c.title, c.hidden ? 0 : c.width});
  w.add(ControlKind::Entry, kLocator, "LOKATOR", "Szukaj:");
  ui::Control& sort = w.add(ControlKind::DropList, kSortOrder, "KOLEJNOSC", "Kolejność:"_w1250);
  sort.items = sort_captions(design);
  sort.hidden = design.sorts.size() < 2;
  if (!sort.items.empty()) sort.value = sort.items.front(), sort.selected = 1;
  const unsigned b = design.buttons;
  add_button(w, kInsertButton, "DODAJ", "&Dodaj", "Insert", b & kInsert);
  add_button(w, kChangeButton, "POPRAW", "&Popraw", "", b & kChange);
  add_button(w, kDeleteButton, "USUN", "&Usuń"_w1250, "Delete", b & kDelete);
  add_button(w, kSelectButton, "WYBIERZ", "&Wybierz", "Enter", false);
  add_button(w, kCloseButton, "ZAMKNIJ", "&Zamknij", "Esc", true);
  ui::Control& e = w.add(ControlKind::Button, kExportButton, "EKSPORT");
  e.icon = "excel.ico";
  e.tip = kExportCaption;
  e.hidden = !(b & kExport);
  return w;
}

ListWindow::ListWindow(ui::Window& w, const ListDesign& design)
    : w_(w), design_(design), pager_(design) {
  std::vector<std::string> names;
  for (const ListField& f : design.fields) names.push_back(f.name);
  if (!design.record.empty()) dict::declare_row_buffer(design.record, names);
}

void ListWindow::add_popup_item(std::string caption, std::function<void(ListWindow&)> action) {
  popup_items_.emplace_back(std::move(caption), std::move(action));
}

std::size_t ListWindow::rows_per_page() const {
  return static_cast<std::size_t>(std::max(1, design_.page_rows));
}

const ListRow* ListWindow::current() const {
  return selected_ < page_.size() ? &page_[selected_] : nullptr;
}

std::string ListWindow::field(std::string_view name) const {
  const ListRow* row = current();
  if (!row) return {};
  for (std::size_t k = 0; k < design_.fields.size() && k < row->values.size(); ++k) {
    if (text::equal_ci(design_.fields[k].name, name)) return row->values[k];
  }
  return {};
}

std::string ListWindow::cell(const ListColumnDesign& c, const ListRow& row) const {
  const std::string v = c.field < row.values.size() ? row.values[c.field] : std::string();
  if (!c.icons.empty()) {
    for (const auto& [value, icon] : c.icons) {
      if (text::clip(v) == value) return icon;
    }
    return {};
  }
  if (c.picture.empty()) return std::string(text::clip(v));
  return std::string(text::trim(picture::format(text::real_of(v), c.picture)));
}

void ListWindow::show() {
  ui::Control& list = w_.at(kList);
  list.rows.clear();
  for (const ListRow& row : page_) {
    std::vector<std::string> cells;
    for (const ListColumnDesign& c : design_.columns) cells.push_back(cell(c, row));
    list.rows.push_back(std::move(cells));
  }
  list.selected = page_.empty() ? 0 : static_cast<int>(selected_ + 1);
  w_.display();
}

void ListWindow::load(std::vector<ListRow> rows, std::size_t select) {
  page_ = std::move(rows);
  selected_ = page_.empty() ? 0 : std::min(select, page_.size() - 1);
  show();
}

// The page from `top` on, filled up from before when it is near the end; the row with `keep`
// highlighted when it is there, else the highlight's old place.
void ListWindow::load_from(const ListRow& top, double keep) {
  const std::size_t n = rows_per_page();
  std::vector<ListRow> rows = pager_.from_row(top, n);
  if (rows.empty()) rows = pager_.last(n);
  if (rows.size() < n && !rows.empty()) {
    std::vector<ListRow> earlier = pager_.before(rows.front(), n - rows.size());
    rows.insert(rows.begin(), earlier.begin(), earlier.end());
  }
  std::size_t at = 0;
  while (at < rows.size() && rows[at].id != keep) ++at;
  const std::size_t select = at < rows.size() ? at : selected_;
  load(std::move(rows), select);
}

bool ListWindow::on_page(double id) const {
  return std::any_of(page_.begin(), page_.end(), [&](const ListRow& r) { return r.id == id; });
}

void ListWindow::refresh() {
  if (page_.empty()) return load(pager_.first(rows_per_page()), 0);
  const ListRow* row = current();
  load_from(ListRow(page_.front()), row ? row->id : 0);
}

void ListWindow::show_row(double id) {
  if (!page_.empty()) {
    load_from(ListRow(page_.front()), id);
    if (on_page(id)) return;
  }
  if (std::optional<ListRow> row = pager_.by_id(id)) return load_from(*row, id);
  refresh();
}

void ListWindow::locate(const std::string& prefix) {
  const std::size_t n = rows_per_page();
  std::vector<ListRow> rows = pager_.from_value(prefix, n);
  if (rows.empty()) return load(pager_.last(n), n);
  const ListRow found = rows.front();
  load_from(found, found.id);
}

void ListWindow::move_by(int delta) {
  if (page_.empty()) return;
  if (delta > 0 && selected_ + 1 < page_.size()) return ++selected_, show();
  if (delta < 0 && selected_ > 0) return --selected_, show();
  const ListRow edge = delta > 0 ? page_.back() : page_.front();
  std::vector<ListRow> more = delta > 0 ? pager_.after(edge, 1) : pager_.before(edge, 1);
  if (more.empty()) return;
  if (delta > 0) {
    page_.erase(page_.begin());
    page_.push_back(std::move(more.front()));
  } else {
    if (page_.size() >= rows_per_page()) page_.pop_back();
    page_.insert(page_.begin(), std::move(more.front()));
  }
  show();
}

// PgDn and PgUp scroll a page and keep the highlight's place on the screen.
void ListWindow::page_by(int direction) {
  if (page_.empty()) return;
  const std::size_t n = rows_per_page();
  const bool down = direction > 0;
  std::vector<ListRow> more =
      down ? pager_.after(page_.back(), n) : pager_.before(page_.front(), n);
  if (more.empty()) {
    selected_ = down ? page_.size() - 1 : 0;
    return show();
  }
  std::vector<ListRow> rows;
  rows.reserve(page_.size() + more.size());
  for (std::vector<ListRow>* part : down ? std::array{&page_, &more} : std::array{&more, &page_})
    rows.insert(rows.end(), std::make_move_iterator(part->begin()),
                std::make_move_iterator(part->end()));
  if (rows.size() > n) {
    const auto cut = static_cast<std::ptrdiff_t>(rows.size() - n);
    down ? rows.erase(rows.begin(), rows.begin() + cut) : rows.erase(rows.end() - cut, rows.end());
  }
  load(std::move(rows), selected_);
}

bool ListWindow::on_key(const std::string& key) {
  const std::size_t n = rows_per_page();
  if (key == "Down") return move_by(1), true;
  if (key == "Up") return move_by(-1), true;
  if (key == "PgDn") return page_by(1), true;
  if (key == "PgUp") return page_by(-1), true;
  if (key == "Home" || key == "Ctrl+Home") return load(pager_.first(n), 0), true;
  if (key == "End" || key == "Ctrl+End") return load(pager_.last(n), n), true;
  if (key == "Shift+F10" || key == "MouseRight") return popup(), true;
  return false;
}

void ListWindow::fill_buffer(const ListRow* row) const {
  if (design_.record.empty()) return;
  dict::RowBuffer values;
  for (std::size_t k = 0; row && k < design_.fields.size() && k < row->values.size(); ++k)
    values[design_.fields[k].name] = row->values[k];
  dict::fill_row_buffer(dict::glo().records, design_.record, values);
}

// The form answers in GLOBALRESPONSE; a new row is found again by the id it left in the buffer.
void ListWindow::request(Request r) {
  if (!update_) return;
  const ListRow* row = current();
  if (r != Request::Insert && !row) return;
  fill_buffer(r == Request::Insert ? nullptr : row);
  set_global_request(r);
  dict::glo().GLOBALRESPONSE = 0;
  update_();
  set_global_request(Request::None);
  if (dict::glo().GLOBALRESPONSE != kRequestCompleted) return;
  if (r != Request::Insert) return refresh();
  auto id = dict::row_field(dict::glo().records, design_.record, design_.fields[0].name);
  show_row(text::real_of(id.value_or("")));
}

void ListWindow::choose() {
  const ListRow* row = current();
  if (!row) return;
  fill_buffer(row);
  chosen_ = true;
}

// Every row of the statement, each field a cell of its kind; the columns name their fields.
void ListWindow::export_rows() {
  ListObject out;
  out.caption = w_.title;
  for (const ListColumnDesign& c : design_.columns) {
    ListColumn column;
    column.title = c.title;
    column.width = c.hidden ? 0 : c.width;
    column.picture = c.picture;
    column.field = static_cast<int32_t>(c.field + 1);
    out.columns.push_back(std::move(column));
  }
  for (const ListRow& row : pager_.all()) {
    Row cells;
    for (std::size_t k = 0; k < row.values.size() && k < design_.fields.size(); ++k) {
      const std::string v(text::clip(row.values[k]));
      cells.push_back(design_.fields[k].number ? Cell::of_number(text::real_of(v))
                                               : Cell::of_text(v));
    }
    out.rows.push_back(std::move(cells));
  }
  export_from_window(out, kList);
}

void ListWindow::popup() {
  std::vector<std::string> items;
  std::vector<int> targets;  // a button's number, or -(k + 1) for the window's own item k
  auto offer = [&](int number) {
    const ui::Control& b = w_.at(number);
    if (b.hidden || b.disabled) return;
    items.push_back(number == kExportButton ? kExportCaption : b.caption);
    items.back().erase(std::remove(items.back().begin(), items.back().end(), '&'),
                       items.back().end());
    targets.push_back(number);
  };
  for (int b : {kInsertButton, kChangeButton, kDeleteButton, kSelectButton, kExportButton})
    offer(b);
  for (std::size_t k = 0; k < popup_items_.size(); ++k) {
    items.push_back(popup_items_[k].first);
    targets.push_back(-static_cast<int>(k + 1));
  }
  const int chosen = ui::backend().popup(items);
  if (chosen < 1 || chosen > static_cast<int>(items.size())) return;
  const int target = targets[static_cast<std::size_t>(chosen - 1)];
  if (target < 0) return popup_items_[static_cast<std::size_t>(-target - 1)].second(*this);
  if (dispatch(ui::Event{ui::EventKind::Accepted, target})) closing_ = true;
}

// True when the window closes.
bool ListWindow::dispatch(const ui::Event& e) {
  if (handler_ && handler_(*this, e)) return chosen_ || closing_;
  if (e.kind == ui::EventKind::CloseWindow) return true;
  if (e.kind == ui::EventKind::Key) return on_key(e.key), false;
  if (e.kind == ui::EventKind::NewSelection && e.control == kList) {
    const int s = w_.at(kList).selected;
    if (s >= 1 && s <= static_cast<int>(page_.size())) selected_ = static_cast<std::size_t>(s - 1);
    return false;
  }
  if (e.kind != ui::EventKind::Accepted) return false;
  switch (e.control) {
    case kCloseButton:
      return true;
    case kSelectButton:
      return choose(), chosen_;
    case kInsertButton:
      return request(Request::Insert), false;
    case kChangeButton:
      return request(Request::Change), false;
    case kDeleteButton:
      return request(Request::Delete), false;
    case kExportButton:
      return export_rows(), false;
    case kLocator:
      return locate(w_.at(kLocator).value), false;
    case kSortOrder:
      pager_.set_sort(static_cast<std::size_t>(std::max(0, w_.at(kSortOrder).selected - 1)));
      return refresh(), false;
    case kList:
      if (select_mode_) return choose(), chosen_;
      if (design_.buttons & kChange) return request(Request::Change), false;
      return request(Request::View), false;
    default:
      return false;
  }
}

bool ListWindow::run() {
  select_mode_ = global_request() == Request::Select;
  set_global_request(Request::None);
  ui::Control& choose_button = w_.at(kSelectButton);
  choose_button.hidden = !(select_mode_ && (design_.buttons & kSelect));
  w_.set_focus(kList);
  load(pager_.first(rows_per_page()), 0);  // before it shows: the first drawing has the rows
  frame::open_window(w_, design_.help_topic);
  while (!dispatch(w_.accept()) && !closing_) {
  }
  w_.close();
  answer_request(chosen_);
  return chosen_;
}

}  // namespace orv::lists
