// The Qt backend's windows: drawing them, waiting for a person, screenshots, registration.
#include "platform/ui/qt/qt_backend.hpp"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "platform/ui/qt/qt_app.hpp"
#include "platform/ui/qt/qt_text.hpp"
#include "platform/ui/qt/qt_window.hpp"

namespace orv::ui::qt {
namespace {

// How often a person's wait looks for events posted from other threads.
constexpr int kPollMs = 10;
// How often a window busy with timer events is drawn.
constexpr int kPumpMs = 20;
// How many closed views wait for a window of their layout.
constexpr std::size_t kSpareViews = 16;

class QtSession : public UiSession {
 public:
  QtSession(const UiOptions& o, ScriptedBackend* engine)
      : own_(engine ? nullptr : std::make_unique<ScriptedBackend>(o.strict)),
        engine_(engine ? engine : own_.get()),
        face_(*engine_, o) {
    if (own_) {
      for (const auto& a : o.answers) own_->add_answer(a);
    }
  }
  ScriptedBackend& engine() override { return *engine_; }
  Backend& backend() override { return face_; }

 private:
  std::unique_ptr<ScriptedBackend> own_;
  ScriptedBackend* engine_;
  QtBackend face_;
};

std::unique_ptr<UiSession> make_qt(const UiOptions& o, ScriptedBackend* engine) {
  return std::make_unique<QtSession>(o, engine);
}

const UiBackendRegistrar kRegistered("qt", make_qt);

}  // namespace

QtBackend::QtBackend(ScriptedBackend& engine, UiOptions options)
    : engine_(engine), options_(std::move(options)) {
  application();
  if (!options_.screenshots.empty()) QDir().mkpath(QString::fromStdString(options_.screenshots));
}

QtBackend::~QtBackend() {
  views_.clear();
  spare_.clear();
  while (busy_-- > 0) QApplication::restoreOverrideCursor();
}

WindowView* QtBackend::view(const Window& w) {
  if (!on_gui_thread()) return nullptr;
  auto it = views_.find(&w);
  return it == views_.end() ? nullptr : it->second.get();
}

bool QtBackend::person_answers() const {
  return options_.interactive && on_gui_thread() && engine_.commands_left() == 0;
}

void QtBackend::window_opened(Window& w) {
  engine_.window_opened(w);
  if (!on_gui_thread()) return;  // windows of other threads run on the engine alone
  std::unique_ptr<WindowView> v;
  if (auto spare = spare_.find(WindowView::layout_key(w)); spare != spare_.end()) {
    v = std::move(spare->second);
    spare_.erase(spare);
    v->rebind(w);
  } else {
    v = std::make_unique<WindowView>(w, options_.interactive,
                                     [this](Command c) { engine_.add_command(std::move(c)); });
  }
  if (w.maximized) {
    v->showMaximized();
  } else {
    v->show();
  }
  due_.insert(&w);
  views_[&w] = std::move(v);
}

// A window's logic may change it on every timer event: between pumps the next one draws it.
void QtBackend::window_changed(const Window& w) {
  engine_.window_changed(w);
  WindowView* v = view(w);
  if (v && std::chrono::steady_clock::now() - last_pump_ >= std::chrono::milliseconds(kPumpMs))
    v->sync();
}

void QtBackend::window_closed(const Window& w) {
  if (WindowView* v = view(w)) {
    v->sync();
    shoot(*v);  // the state the window ends in
    due_.erase(&w);
    auto it = views_.find(&w);
    std::string key = WindowView::layout_key(w);
    if (spare_.size() < kSpareViews && !spare_.count(key)) {
      it->second->park();
      spare_[key] = std::move(it->second);
    }
    views_.erase(it);
  }
  engine_.window_closed(w);
}

Event QtBackend::next_event(Window& w) {
  WindowView* v = view(w);
  if (!v) return engine_.next_event(w);
  // The window repaints while its work goes on, as often as an eye can tell: a run of
  // thousands of timer events would otherwise spend its time drawing.
  auto now = std::chrono::steady_clock::now();
  if (now - last_pump_ >= std::chrono::milliseconds(kPumpMs) || due_.count(&w)) {
    v->sync();
    QCoreApplication::processEvents();
    last_pump_ = now;
  }
  if (due_.erase(&w)) shoot(*v);
  if (person_answers()) {
    if (auto e = wait_for_person(w)) return *e;
  }
  std::size_t before = engine_.commands_left();
  Event e = engine_.next_event(w);
  if (engine_.commands_left() < before && (v = view(w))) {
    v->sync();
    due_.insert(&w);
  }
  return e;
}

// Runs the Qt loop until the person gives a command, the window's timer is due or another
// thread posts an event to the window.
std::optional<Event> QtBackend::wait_for_person(Window& w) {
  using Clock = std::chrono::steady_clock;
  auto due = Clock::now() + std::chrono::milliseconds(w.timer * 10);
  QTimer poll;
  poll.start(kPollMs);  // wakes the loop below: posting from a thread does not
  for (;;) {
    Event posted;
    if (w.take_posted(posted)) return posted;
    if (engine_.commands_left() > 0) return std::nullopt;
    if (w.timer > 0 && Clock::now() >= due) return Event{EventKind::Timer};
    if (!view(w)) return std::nullopt;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

// The window as a person sees it: a title bar above its contents, which a grab leaves out.
void QtBackend::shoot(WindowView& v) {
  if (options_.screenshots.empty()) return;
  QPixmap inside = v.grab();
  const int bar = v.fontMetrics().height() + 12;
  QImage out(inside.width(), inside.height() + bar, QImage::Format_RGB32);
  out.fill(QColor(0x3c, 0x3f, 0x41));
  QPainter p(&out);
  p.setPen(Qt::white);
  p.drawText(QRect(8, 0, out.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, v.windowTitle());
  p.drawPixmap(0, bar, inside);
  p.end();
  char name[32];
  std::snprintf(name, sizeof name, "%03d-", ++shots_);
  QString path = QString::fromStdString(options_.screenshots) + "/" + name +
                 QString::fromStdString(v.window().name()) + ".png";
  out.save(path, "PNG");
}

// The engine keeps the record; the desktop opens the file.
bool QtBackend::open_document(const std::string& path, std::string& error) {
  engine_.open_document(path, error);
  return open_on_desktop(path, error);
}

bool QtBackend::start_program(const std::string& program, const std::vector<std::string>& args,
                              std::string& error) {
  engine_.start_program(program, args, error);
  return start_on_desktop(program, args, error);
}

void QtBackend::help(const std::string& file, const std::string& topic) {
  engine_.help(file, topic);
}

void QtBackend::busy(bool on) {
  engine_.busy(on);
  if (!on_gui_thread()) return;
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_;
  }
}

void QtBackend::status_changed(int zone, const std::string& text) {
  engine_.status_changed(zone, text);
}

void QtBackend::failed(const std::string& message) {
  engine_.failed(message);
}

}  // namespace orv::ui::qt
