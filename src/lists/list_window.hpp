// The list window every list of the library is: a page of a statement's rows with a locator,
// sort orders, the standard buttons (Dodaj, Popraw, Usuń, Wybierz, Zamknij, export) and the
// request/response protocol of the update forms and of choosing a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lists/list_design.hpp"
#include "lists/list_pager.hpp"
#include "platform/ui/window.hpp"

namespace orv::lists {

// GLOBALREQUEST: what the caller asks of a form or a list.
enum class Request : int32_t { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4, View = 5 };
// GLOBALRESPONSE: how the form or list answered.
inline constexpr int32_t kRequestCompleted = 1;
inline constexpr int32_t kRequestCancelled = 2;

Request global_request();
void set_global_request(Request r);
// Sets GLOBALRESPONSE to completed or cancelled as the request was carried out or not; returns it.
int32_t answer_request(bool done);

// Control numbers shared by every list window; a window's own controls start at kOwnControls.
enum ListControl : int {
  kList = 1,
  kLocator,
  kSortOrder,
  kInsertButton = 10,
  kChangeButton,
  kDeleteButton,
  kSelectButton,
  kCloseButton,
  kExportButton,
  kOwnControls = 20,
};

// The window as designed: title, list columns, locator, sort orders, buttons.
ui::Window build_list_window(const ListDesign& design);

class ListWindow {
 public:
  // Opens the form of the list's record for GLOBALREQUEST (insert, change, delete or view), with
  // the highlighted row in the record buffer; the list rereads its page when the form answers
  // kRequestCompleted.
  using Update = std::function<void()>;
  // A window's own control, key or popup item: true when handled.
  using Handler = std::function<bool(ListWindow&, const ui::Event&)>;

  ListWindow(ui::Window& w, const ListDesign& design);

  void on_update(Update update) { update_ = std::move(update); }
  void on_event(Handler handler) { handler_ = std::move(handler); }
  // A popup item of the window's own; choosing it runs `action`.
  void add_popup_item(std::string caption, std::function<void(ListWindow&)> action);

  // Opens the window and runs it until it closes. A list opened with GLOBALREQUEST = Select
  // chooses a row: "Wybierz", Enter or a double click leave it in the record buffer and answer
  // kRequestCompleted; closing answers kRequestCancelled. Returns true when a row was chosen.
  bool run();
  bool select_mode() const { return select_mode_; }
  // Closes the window after the current event (a window's own button that ends it).
  void finish() { closing_ = true; }

  const ListRow* current() const;
  // The page read again at the highlighted row (after a change elsewhere).
  void refresh();
  // The page read again at the row with this id (a row just added).
  void show_row(double id);
  // The highlighted row's field by name; "" when none.
  std::string field(std::string_view name) const;

  ui::Window& window() { return w_; }
  const ListDesign& design() const { return design_; }
  ListPager& pager() { return pager_; }
  const std::vector<ListRow>& page() const { return page_; }

 private:
  bool dispatch(const ui::Event& e);
  bool on_key(const std::string& key);
  void move_by(int delta);
  void page_by(int direction);
  void load(std::vector<ListRow> rows, std::size_t select);
  void load_from(const ListRow& top, double keep);
  bool on_page(double id) const;
  void locate(const std::string& prefix);
  void show();
  void request(Request r);
  void choose();
  void popup();
  void export_rows();
  void fill_buffer(const ListRow* row) const;
  std::string cell(const ListColumnDesign& c, const ListRow& row) const;
  std::size_t rows_per_page() const;

  ui::Window& w_;
  const ListDesign& design_;
  ListPager pager_;
  std::vector<ListRow> page_;
  std::size_t selected_ = 0;  // 0-based in page_
  bool select_mode_ = false;
  bool chosen_ = false;
  bool closing_ = false;
  Update update_;
  Handler handler_;
  std::vector<std::pair<std::string, std::function<void(ListWindow&)>>> popup_items_;
};

}  // namespace orv::lists
