// Drawing a window of the model with widgets, and turning clicks and keys into script commands.
#include "platform/ui/qt/qt_window.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>

#include "platform/text/text.hpp"
#include "platform/ui/qt/qt_text.hpp"

namespace orv::ui::qt {
namespace {

// Keys the window's logic hears; every other key stays with the widget that has the focus.
std::string key_name(const QKeyEvent& e, bool in_text) {
  int k = e.key();
  Qt::KeyboardModifiers mods = e.modifiers();
  std::string base;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) {
    base = "F" + std::to_string(k - Qt::Key_F1 + 1);
  } else if (k == Qt::Key_Escape) {
    base = "Esc";
  } else if (k == Qt::Key_Insert) {
    base = "Insert";
  } else if (k == Qt::Key_Delete && !in_text) {
    base = "Delete";
  } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    base = "Enter";
  } else if ((mods & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z) {
    // Text editing keeps its own shortcuts.
    static const std::string kEditing = "ACVXYZ";
    char letter = static_cast<char>('A' + (k - Qt::Key_A));
    if (in_text && kEditing.find(letter) != std::string::npos) return {};
    return std::string("Ctrl+") + letter;
  } else {
    return {};
  }
  std::string out = (mods & Qt::ControlModifier) ? "Ctrl+" : "";
  if (mods & Qt::AltModifier) out += "Alt+";
  if ((mods & Qt::ShiftModifier) && base.front() == 'F') out += "Shift+";
  return out + base;
}

bool spans(ControlKind k) {
  return k == ControlKind::Label || k == ControlKind::Check || k == ControlKind::Group ||
         k == ControlKind::Image || k == ControlKind::List || k == ControlKind::TextArea;
}

}  // namespace

WindowView::WindowView(Window& w, bool person, Sink sink)
    : w_(&w), person_(person), sink_(std::move(sink)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  build();
  sync();
  place();
}

// A view drawn again keeps the size its layout first asked for: asked again, a table that
// stretched its columns to the last window would ask for more each time. The layout's minimum
// still widens it for longer texts.
void WindowView::place() {
  if (hint_.isEmpty()) {
    adjustSize();
    hint_ = sizeHint();
  }
  resize(std::max(hint_.width(), w_->rect.width), std::max(hint_.height(), w_->rect.height));
  move(w_->rect.x, w_->rect.y);
}

std::string WindowView::layout_key(const Window& w) {
  std::string key = w.name();
  for (const Control& c : w.controls()) {
    key += '\n' + std::to_string(c.number) + ' ' + std::to_string(static_cast<int>(c.kind)) + ' ' +
           c.id + ' ' + c.key + (c.prompt.empty() ? " -" : " +");
  }
  return key;
}

// Hiding moves the focus out of the entries: with no window bound, that says nothing.
void WindowView::park() {
  w_ = nullptr;
  hide();
  if (QWidget* f = focusWidget()) f->clearFocus();
}

void WindowView::rebind(Window& w) {
  w_ = &w;
  for (auto& [n, s] : shown_) s.fresh = true;
  if (tabs_) tabs_->setCurrentIndex(0);
  sync();
  place();
}

// Hiding a dialog moves the focus out of its entries: nothing said then is a person's.
WindowView::~WindowView() {
  for (QObject* child : findChildren<QObject*>()) {
    child->removeEventFilter(this);
    child->disconnect(this);
  }
}

void WindowView::build() {
  setWindowTitle(qstr(w_->title));
  auto* root = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  int row = 0;
  for (const Control& c : w_->controls()) {
    if (c.kind == ControlKind::Tab) {
      if (!tabs_) tabs_ = new QTabBar(this);
      int index = tabs_->addTab(qstr(c.caption));
      connect(tabs_, &QTabBar::tabBarClicked, this, [this, index, n = c.number](int clicked) {
        if (clicked == index) give("press", n);
      });
      shown_[c.number].tab = index;
      continue;
    }
    Shown s;
    s.widget = make(c);
    s.widget->installEventFilter(this);
    if (c.kind == ControlKind::Button) {
      buttons->addWidget(s.widget);
    } else if (spans(c.kind)) {
      if (!c.prompt.empty()) {
        s.prompt = new QLabel(qstr(c.prompt), this);
        grid->addWidget(s.prompt, row++, 0, 1, 2);
      }
      grid->addWidget(s.widget, row++, 0, 1, 2);
    } else {
      s.prompt = new QLabel(qstr(c.prompt), this);
      s.prompt->setBuddy(s.widget);
      grid->addWidget(s.prompt, row, 0);
      grid->addWidget(s.widget, row++, 1);
    }
    shown_[c.number] = s;
  }
  if (tabs_) root->addWidget(tabs_);
  root->addLayout(grid);
  root->addLayout(buttons);
}

QWidget* WindowView::make(const Control& c) {
  QWidget* out = nullptr;
  switch (c.kind) {
    case ControlKind::Entry: {
      auto* e = new QLineEdit(this);
      // A password typed is never shown, on the screen or in a screenshot.
      if (c.id.find("HASLO") != std::string::npos) e->setEchoMode(QLineEdit::Password);
      out = e;
      break;
    }
    case ControlKind::Button: {
      auto* b = new QPushButton(this);
      b->setAutoDefault(false);
      b->setDefault(c.key == "F10" || c.key == "Enter");
      out = b;
      break;
    }
    case ControlKind::Check:
      out = new QCheckBox(this);
      break;
    case ControlKind::DropList:
      out = new QComboBox(this);
      break;
    case ControlKind::List: {
      auto* t = new QTableWidget(this);
      t->setEditTriggers(QAbstractItemView::NoEditTriggers);
      t->verticalHeader()->setVisible(false);
      t->setSelectionMode(QAbstractItemView::SingleSelection);
      t->horizontalHeader()->setStretchLastSection(true);
      t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
      out = t;
      break;
    }
    case ControlKind::Progress:
      out = new QProgressBar(this);
      break;
    case ControlKind::Slider: {
      auto* slider = new QSlider(Qt::Horizontal, this);
      slider->setRange(c.low, c.high);
      slider->setTickInterval(c.tick);
      slider->setTickPosition(c.tick > 0 ? QSlider::TicksBelow : QSlider::NoTicks);
      out = slider;
      break;
    }
    case ControlKind::TextArea:
      out = new QPlainTextEdit(this);
      break;
    default: {
      auto* l = new QLabel(this);
      if (c.kind == ControlKind::Group) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
      }
      out = l;
    }
  }
  out->setObjectName(QString::fromStdString(c.id));
  connect_gestures(c, out);
  return out;
}

void WindowView::connect_gestures(const Control& c, QWidget* widget) {
  int n = c.number;
  if (auto* b = qobject_cast<QPushButton*>(widget)) {
    connect(b, &QPushButton::clicked, this, [=, this] { give("press", n); });
  } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
    connect(slider, &QSlider::valueChanged, this,
            [=, this](int v) { give("set", n, std::to_string(v)); });
  } else if (auto* k = qobject_cast<QCheckBox*>(widget)) {
    connect(k, &QCheckBox::clicked, this,
            [=, this](bool on) { give("check", n, on ? "on" : "off"); });
  } else if (auto* d = qobject_cast<QComboBox*>(widget)) {
    connect(d, &QComboBox::activated, this,
            [=, this](int i) { give("choose", n, std::to_string(i + 1)); });
  } else if (auto* e = qobject_cast<QLineEdit*>(widget)) {
    // Only what the person typed: a focus leaving a text the logic has just changed is not.
    connect(e, &QLineEdit::editingFinished, this, [=, this] {
      if (!e->isModified()) return;
      e->setModified(false);
      give("set", n, cp1250(e->text()));
    });
  } else if (auto* t = qobject_cast<QTableWidget*>(widget)) {
    connect(t, &QTableWidget::currentCellChanged, this, [=, this](int r, int col, int, int) {
      if (r >= 0) give("select", n, std::to_string(r + 1) + " " + std::to_string(col + 1));
    });
    connect(t, &QTableWidget::cellDoubleClicked, this, [=, this](int r, int col) {
      give("dclick", n, std::to_string(r + 1) + " " + std::to_string(col + 1));
    });
  }
}

void WindowView::give(std::string verb, int number, std::string arg) {
  if (syncing_ || !person_ || !w_) return;
  const Control& c = w_->at(number);
  Command cmd;
  cmd.verb = std::move(verb);
  cmd.target = c.id.empty() ? std::to_string(c.number) : c.id;
  cmd.arg = std::move(arg);
  cmd.source = cmd.verb + " " + cmd.target + (cmd.arg.empty() ? "" : " " + text::to_utf8(cmd.arg));
  sink_(std::move(cmd));
}

void WindowView::give_key(const std::string& key) {
  if (!person_ || !w_) return;
  Command cmd;
  cmd.verb = "key";
  cmd.target = key;
  cmd.source = "key " + key;
  sink_(std::move(cmd));
}

bool WindowView::is_text_widget(QObject* o) const {
  return qobject_cast<QLineEdit*>(o) || qobject_cast<QPlainTextEdit*>(o);
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
  if (!w_) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn && person_) {
    for (auto& [n, s] : shown_) {
      if (s.widget == watched) w_->set_focus(n);
    }
  }
  auto* area = qobject_cast<QPlainTextEdit*>(watched);
  if (event->type() == QEvent::FocusOut && area && area->document()->isModified()) {
    area->document()->setModified(false);
    for (auto& [n, s] : shown_) {
      if (s.widget == area) give("set", n, cp1250(area->toPlainText()));
    }
  }
  if (event->type() == QEvent::KeyRelease) {
    // Alt pressed and let go alone is a key of its own (F10 in windows that ask for it).
    if (static_cast<const QKeyEvent&>(*event).key() == Qt::Key_Alt && alt_alone_) give_key("Alt");
    alt_alone_ = false;
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  alt_alone_ = key.key() == Qt::Key_Alt;
  if (qobject_cast<QPlainTextEdit*>(watched) && (key.key() == Qt::Key_Return))
    return false;  // a new line of the text
  if (std::string move = paged_key(watched, key.key()); !move.empty()) {
    give_key(move);
    return true;
  }
  std::string name = key_name(key, is_text_widget(watched));
  if (name.empty()) return false;
  // Enter after typing accepts the typed text; Enter alone is the window's.
  if (auto* e = qobject_cast<QLineEdit*>(watched); e && name == "Enter" && e->isModified()) {
    emit e->editingFinished();
    return true;
  }
  give_key(name);
  return true;
}

// A list whose logic pages its rows hears the moving keys itself: the widget holds one page.
std::string WindowView::paged_key(QObject* watched, int key) const {
  static const std::map<int, const char*> kMoves{
      {Qt::Key_Down, "Down"},   {Qt::Key_Up, "Up"},     {Qt::Key_PageDown, "PgDn"},
      {Qt::Key_PageUp, "PgUp"}, {Qt::Key_Home, "Home"}, {Qt::Key_End, "End"}};
  auto move = kMoves.find(key);
  if (move == kMoves.end()) return {};
  for (const auto& [n, s] : shown_) {
    if (s.widget == watched && s.drawn.paged) return move->second;
  }
  return {};
}

void WindowView::keyPressEvent(QKeyEvent* event) {
  std::string name = key_name(*event, false);
  if (name.empty()) {
    // Not QDialog's: Esc and Enter belong to the window's logic.
    QWidget::keyPressEvent(event);  // NOLINT(bugprone-parent-virtual-call)
    return;
  }
  give_key(name);
}

void WindowView::closeEvent(QCloseEvent* event) {
  // The window's logic decides whether it closes; the model's close deletes this view.
  event->ignore();
  if (!person_ || !w_) return;
  Command cmd;
  cmd.verb = "close";
  cmd.source = "close";
  sink_(std::move(cmd));
}

void WindowView::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (person_ && w_ && event->spontaneous()) w_->rect.x = x(), w_->rect.y = y();
}

void WindowView::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (person_ && w_ && event->spontaneous()) w_->rect.width = width(), w_->rect.height = height();
}

void WindowView::sync() {
  syncing_ = true;
  if (!w_) return;
  if (windowTitle() != qstr(w_->title)) setWindowTitle(qstr(w_->title));
  for (const Control& c : w_->controls()) {
    auto it = shown_.find(c.number);
    if (it != shown_.end()) sync_control(c, it->second);
  }
  syncing_ = false;
}

}  // namespace orv::ui::qt
