// EXECSQLWIN and EXECSQLWINASK: the progress window's loop over its worker threads.
#include "frame/progress_window.hpp"

#include <algorithm>
#include <charconv>

#include "frame/bound_channel.hpp"
#include "frame/messages.hpp"
#include "frame/progress_worker.hpp"
#include "frame/sql_channels.hpp"
#include "frame/thread_status.hpp"
#include "frame/window_conventions.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/threads/thread_registry.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"

namespace orv::frame {
namespace {

using ui::ControlKind;

enum : int { kAnimation = 1, kPrompt, kComment, kCopy, kCounter, kOk, kBar, kPercent };

constexpr const char* kGears = "~gears.gif";
constexpr const char* kGearsStill = "~gears_still.gif";
constexpr const char* kWaitPrompt = "Proszę czekać - trwa wykonanie ..."_w1250;
constexpr const char* kInformationTitle = "ORVEX: Informacja";
constexpr const char* kWarningTitle = "ORVEX: Ostrzeżenie"_w1250;
constexpr int kRed = 0xFF0000;
constexpr int kTimer = 10;  // hundredths of a second
constexpr int32_t kNeverAsk = 1000000;
constexpr int kMaxTextWidth = 437;

ui::Window progress_window() {
  ui::Window w("ExecSQLWin", kInformationTitle);
  w.rect = {0, 0, 300, 110};
  w.font = "Segoe UI";
  w.timer = kTimer;
  w.alert_keys = {"Enter"};
  w.add(ControlKind::Image, kAnimation, "ANIMACJA").icon = kGears;
  w.add(ControlKind::Label, kPrompt, "KOMUNIKAT", kWaitPrompt);
  w.add(ControlKind::TextArea, kComment, "KOMENTARZ").read_only = true;
  w.add(ControlKind::Button, kCopy, "DO_SCHOWKA", "Do schowka");
  w.add(ControlKind::Label, kCounter, "LICZNIK");
  w.add(ControlKind::Button, kOk, "OK", "OK").hidden = true;
  w.add(ControlKind::Progress, kBar, "POSTEP").value = "0";
  w.add(ControlKind::Label, kPercent, "PROCENT", "0%");
  return w;
}

const ui::WindowRegistrar kExecWin("ExecSQLWin", "EXECSQLWIN", &progress_window);
const ui::WindowRegistrar kExecAskWin("ExecSQLWin", "EXECSQLWINASK", &progress_window);

enum class RunState { Running = 0, Warning = 1, Stopped = 2, Finished = 3 };

int64_t read_count(std::string_view s) {
  s = text::trim(s);
  int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() ? v : 0;
}

// One run of the window: its state, the worker it waits for and the driver query's progress.
class ProgressRun {
 public:
  ProgressRun(bool asks, std::string_view statement, const ExecOptions& o)
      : asks_(asks),
        statement_(text::clip(statement)),
        message0_(text::fit(o.message, 201)),
        comment0_(text::fit(o.comment, 301)),
        query_(text::clip(o.query)),
        name_(text::fit(text::clip(o.operation), 301)),
        keep_open_(o.keep_open),
        close_main_(o.close_main),
        width_(o.width),
        message_(message0_),
        comment_(comment0_) {
    if (text::clip(name_).empty()) name_ = "wykonanie";
    name_ = text::clip(name_);
  }

  // A window left by a failed script still lets its statement finish: nothing is cancelled.
  ~ProgressRun() {
    if (worker_ == 0) return;
    if (thread_statuses().get(worker_).STATUS == WorkerStatus::Running) threads::wait(worker_);
    thread_statuses().remove(worker_);
  }
  ProgressRun(const ProgressRun&) = delete;
  ProgressRun& operator=(const ProgressRun&) = delete;

  uint8_t run();

 private:
  bool prepare_query();
  bool ended_by(const ui::Event& e);
  void on_close();
  bool on_timer();
  bool after_run();
  bool ask_after_failure();
  bool all_rows_done();
  void advance();
  void show_progress();
  void start_next();
  bool next_row(std::vector<std::string>& values);
  void poll_worker();
  void enter_finished();
  void enter_warning(std::string comment);
  void show_texts();
  void show_look(bool with_ok);

  const bool asks_;
  const std::string statement_, message0_, comment0_, query_;
  std::string name_;
  uint8_t keep_open_, close_main_;
  int32_t width_;
  ui::Window w_ = progress_window();

  uint8_t success_ = 1;
  RunState state_ = RunState::Running;
  int64_t j_ = 0, total_ = 0, k_ = 0;
  int32_t a_ = 0;
  int32_t worker_ = 0;
  std::size_t columns_ = 0;
  bool has_query_ = false;
  bool ok_shown_ = false;
  std::string message_, comment_;
};

uint8_t ProgressRun::run() {
  stamp_table_open_time();
  show_look(false);
  open_window(w_);
  bool go_on = prepare_query();
  while (go_on) {
    ui::Event e = w_.accept();
    if (ok_shown_) {
      if (ended_by(e)) break;
    } else if (e.kind == ui::EventKind::CloseWindow) {
      on_close();
    } else if (e.kind == ui::EventKind::Timer && on_timer()) {
      break;
    }
  }
  w_.close();
  if (close_main_ == 1) CLOSESQL();
  return success_;
}

// Counts the rows and opens the driver query; false when the window is to end at once.
bool ProgressRun::prepare_query() {
  if (query_.empty()) return true;
  has_query_ = true;
  DriverQueryShape shape = driver_query_shape(query_);
  columns_ = shape.columns;
  std::string count = FUNCSQL(shape.count_statement);
  // A count that failed (its error window has been shown) is no "nothing to do": the caller
  // learns that nothing ran.
  if (text::trim(count).empty()) {
    success_ = 0;
    return false;
  }
  total_ = read_count(count);
  if (total_ <= 0) return false;
  if (ESQL2(query_, /*quiet=*/1) == 5) enter_warning(VAX2().message());
  show_look(false);
  return true;
}

// With "OK" shown only "OK", Enter and the close box end the window; "Do schowka" copies.
bool ProgressRun::ended_by(const ui::Event& e) {
  if (e.accepted(kCopy)) ui::set_clipboard(comment_);
  return e.accepted(kOk) || e.kind == ui::EventKind::CloseWindow ||
         (e.kind == ui::EventKind::AlertKey && e.key == "Enter");
}

// The close box stops a run over a driver query after the user confirms; the statement that
// runs is not cancelled: the window waits for it before it ends.
void ProgressRun::on_close() {
  if (!has_query_) return;
  w_.at(kAnimation).icon = kGearsStill;
  w_.display();
  bool stop = MSG_PYTANIE("Czy chcesz przerwać "_w1250 + name_ + "?") == 2;
  w_.at(kAnimation).icon = kGears;
  if (stop) {
    w_.at(kPrompt).caption = "Kończenie wykonania ostatniej operacji ..."_w1250;
    w_.at(kComment).value.clear();
    success_ = 0;
    state_ = RunState::Stopped;
    message_ = "Przerwano " + name_ + ".";
    comment_ = "Wykonano " + w_.at(kPercent).caption + " ( " + std::to_string(j_) + " / " +
               std::to_string(total_) + " )";
    keep_open_ = 1;
  }
  w_.display();
}

// One timer event does the first step that applies; true ends the window.
bool ProgressRun::on_timer() {
  if (state_ != RunState::Running && worker_ == 0) return after_run();
  if (has_query_ && worker_ == 0 && j_ >= total_) return all_rows_done();
  if (has_query_ && worker_ == 0) {
    advance();
    start_next();
  } else if (worker_ != 0) {
    poll_worker();
  } else {
    start_next();
  }
  return false;
}

bool ProgressRun::after_run() {
  if (success_ == 1 && keep_open_ != 1) return true;
  if (asks_ && state_ == RunState::Warning) return ask_after_failure();
  show_look(true);
  return false;
}

bool ProgressRun::ask_after_failure() {
  ++k_;
  if (a_ == kNeverAsk) {
    state_ = RunState::Running;
    return false;
  }
  if (MSG_PYTANIE(comment_ + "|Czy chcesz przerwać "_w1250 + name_ + "?") == 2) return true;
  state_ = RunState::Running;
  ++a_;
  if (a_ == 2 &&
      MSG_PYTANIE("Czy dalej wyświetlać komunikaty z pytaniem o przerwanie wykonania?"_w1250) == 4)
    a_ = kNeverAsk;
  return false;
}

// Every row has run: the finished state when the window stays open, the summary of the
// failures the user went past, or the end.
bool ProgressRun::all_rows_done() {
  if (keep_open_ == 1) {
    enter_finished();
    return false;
  }
  if (k_ == 0) return true;
  int64_t percent = total_ > 0 ? (j_ - k_) * 100 / total_ : 0;
  success_ = 1;
  state_ = RunState::Warning;
  message_ = "Zakończono "_w1250 + name_ + ".";
  comment_ = "Wykonano " + std::to_string(percent) + "%  ( " + std::to_string(j_ - k_) + " / " +
             std::to_string(total_) + " )";
  show_look(false);
  return false;
}

void ProgressRun::advance() {
  ++j_;
  show_progress();
}

void ProgressRun::show_progress() {
  int64_t percent = total_ > 0 ? j_ * 100 / total_ : 0;
  w_.at(kCounter).caption = std::to_string(j_) + " / " + std::to_string(total_);
  w_.at(kBar).value = std::to_string(percent);
  w_.at(kPercent).caption = std::to_string(percent) + "%";
  w_.display();
}

// The next row's statement (or the statement itself) on a new worker.
void ProgressRun::start_next() {
  std::string statement = statement_;
  if (has_query_) {
    std::vector<std::string> values;
    if (!next_row(values)) return;
    statement = replace_markers(statement_, values);
    message_ = text::fit(replace_markers(message0_, values), 201);
    comment_ = text::fit(replace_markers(comment0_, values), 301);
    show_texts();
  }
  worker_ = start_statement_worker(std::move(statement));
  if (worker_ == 0)
    enter_warning("Nie można uruchomić wątku wykonania (brak wolnego numeru wątku)."_w1250);
}

// False when no statement is to start: the fetch failed, or the rows ran out before the count.
bool ProgressRun::next_row(std::vector<std::string>& values) {
  sql::ScratchTable& table = VAX2();
  if (!table.next()) {
    int code = table.error();
    if (code == sql::kRejected || code == sql::kRejected47) {
      enter_warning(table.message());
    } else {
      // Rows deleted since they were counted: an emptied row would put blanks in place of the
      // markers and run a statement nobody meant. What was read is all there is, and the
      // counter ends there.
      total_ = --j_;
      show_progress();
    }
    return false;
  }
  for (std::size_t i = 1; i <= columns_; ++i) values.emplace_back(text::clip(table.field(i)));
  return true;
}

void ProgressRun::poll_worker() {
  ThreadStatusRow row = thread_statuses().get(worker_);
  if (row.STATUS == WorkerStatus::Running || row.STATUS == WorkerStatus::Missing) return;
  const bool stopped = state_ == RunState::Stopped;
  if (!stopped && !has_query_) enter_finished();
  if (row.STATUS == WorkerStatus::Failed) {
    enter_warning(row.ERRMSG);
  } else if (!stopped) {
    // After a stop the run stays stopped: a statement that succeeds afterwards does not make it
    // "completed".
    success_ = 1;
  }
  thread_statuses().remove(worker_);
  worker_ = 0;
}

void ProgressRun::enter_finished() {
  success_ = 1;
  state_ = RunState::Finished;
  message_ = "Zakończono "_w1250 + name_ + ".";
  comment_.clear();
}

void ProgressRun::enter_warning(std::string comment) {
  success_ = 0;
  state_ = RunState::Warning;
  message_ = "Uwaga - przerwano " + name_ + ".";
  comment_ = std::move(comment);
}

void ProgressRun::show_texts() {
  w_.at(kPrompt).caption = message_.empty() ? kWaitPrompt : message_;
  std::string shown = comment_;
  if (state_ == RunState::Warning) std::replace(shown.begin(), shown.end(), '|', '\n');
  ui::Control& c = w_.at(kComment);
  c.value = shown;
  int width = std::min<int>(kMaxTextWidth, 6 * static_cast<int>(comment_.size()) + 20);
  if (width_ > 0 && state_ != RunState::Warning) width = width_ - 76;
  c.rect.width = std::max(width, 0);
}

// The look of the state: while running the progress controls (with a driver query); after it
// the state's title and icon, "OK" and no progress. `with_ok` false shows a state for a moment
// (the summary) without waiting for "OK".
void ProgressRun::show_look(bool with_ok) {
  bool running = state_ == RunState::Running;
  bool warning = state_ == RunState::Warning;
  ok_shown_ = with_ok && !running;
  for (int id : {kCounter, kBar, kPercent}) w_.at(id).hidden = !(running && has_query_);
  w_.at(kOk).hidden = !ok_shown_;
  if (!running) {
    w_.title = warning ? kWarningTitle : kInformationTitle;
    w_.at(kAnimation).icon = warning ? "exclamation" : "information";
    w_.at(kComment).colour = warning ? kRed : -1;
  }
  if (ok_shown_) {
    w_.timer = 0;  // nothing left to poll: the window waits for the user alone
    w_.set_focus(kOk);
  }
  show_texts();
  w_.display();
}

uint8_t run_window(bool asks, std::string_view statement, const ExecOptions& options) {
  if (text::clip(statement).size() > kMaxStatement) {
    MSG_OSTRZEZENIE("Polecenie SQL jest dłuższe niż "_w1250 + std::to_string(kMaxStatement) +
                    " znaków i nie zostało wykonane."_w1250);
    return 0;
  }
  ProgressRun run(asks, statement, options);
  return run.run();
}

}  // namespace

std::string replace_markers(std::string_view text, const std::vector<std::string>& values) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t close = text[i] == '#' ? text.find('#', i + 1) : std::string_view::npos;
    std::size_t n = 0;
    // "#1#", not "#01#": a zero-padded number is text of the statement, not a marker.
    if (close != std::string_view::npos && close > i + 1 && close - i <= 7 && text[i + 1] != '0') {
      auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + close, n);
      if (ec != std::errc() || end != text.data() + close) n = 0;
    }
    if (n >= 1 && n <= values.size()) {
      out += values[n - 1];
      i = close + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

DriverQueryShape driver_query_shape(std::string_view query) {
  std::string lower = text::lower(query);
  std::size_t from = lower.find("from");
  if (from == std::string::npos) from = 0;
  // "order" is looked for after "from" only: one before it is part of a column's name
  // ("order_no"), and cutting the count there would leave no statement at all.
  std::size_t order = lower.find("order", from);
  if (order == std::string::npos) order = query.size();
  DriverQueryShape shape;
  shape.columns =
      1 + static_cast<std::size_t>(std::count(query.begin(), query.begin() + from, ','));
  shape.count_statement = "select count(*) " + std::string(query.substr(from, order - from));
  return shape;
}

uint8_t EXECSQLWIN(std::string_view statement, const ExecOptions& options) {
  return run_window(/*asks=*/false, statement, options);
}

uint8_t EXECSQLWINASK(std::string_view statement, const ExecOptions& options) {
  return run_window(/*asks=*/true, statement, options);
}

}  // namespace orv::frame
