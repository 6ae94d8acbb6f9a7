// Bringing widgets up to the model: only what changed since the last drawing is touched.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/qt/qt_text.hpp"
#include "platform/ui/qt/qt_window.hpp"

namespace orv::ui::qt {
namespace {

int percent(const std::string& value) {
  return std::clamp(text::long_of(value), 0, 100);
}

QPixmap icon_pixmap(const QStyle& style, const std::string& icon) {
  static const std::pair<const char*, QStyle::StandardPixmap> kIcons[] = {
      {"exclamation", QStyle::SP_MessageBoxWarning},
      {"information", QStyle::SP_MessageBoxInformation},
      {"question", QStyle::SP_MessageBoxQuestion},
      {"hand", QStyle::SP_MessageBoxCritical}};
  for (const auto& [name, pixmap] : kIcons) {
    if (text::equal_ci(icon, name)) return style.standardIcon(pixmap).pixmap(32, 32);
  }
  return {};
}

// The library's pictures ("~boxon.ico", "Up.ico") as characters every desktop font has; an
// unknown one shows its name.
QString glyph(const std::string& icon) {
  static const std::pair<const char*, const char*> kGlyphs[] = {
      {"boxon", "\u2611"}, {"boxoff", "\u2610"}, {"skroty", "\u25CF"},
      {"up", "\u2191"},    {"first", "\u2912"},  {"dn", "\u2193"},
      {"last", "\u2913"},  {"gears", "\u2699"},  {"gears_still", "\u2699"}};
  std::string name = text::lower(icon);
  if (!name.empty() && name.front() == '~') name.erase(0, 1);
  if (auto dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  for (const auto& [known, shown] : kGlyphs) {
    if (name == known) return QString::fromUtf8(shown);
  }
  return qstr(icon);
}

// A list cell naming a picture ("~boxon.ico") shows the picture.
QString cell_text(const std::string& cell) {
  return !cell.empty() && cell.front() == '~' ? glyph(cell) : qstr(cell);
}

void paint(QWidget* w, int colour, int background) {
  QPalette p = w->style()->standardPalette();
  auto rgb = [](int v) { return QColor::fromRgb(static_cast<QRgb>(v)); };
  if (colour >= 0) {
    p.setColor(QPalette::WindowText, rgb(colour));
    p.setColor(QPalette::Text, rgb(colour));
    p.setColor(QPalette::ButtonText, rgb(colour));
  }
  if (background >= 0) {
    w->setAutoFillBackground(true);
    p.setColor(QPalette::Window, rgb(background));
    p.setColor(QPalette::Base, rgb(background));
  }
  w->setPalette(p);
}

// The chosen item of a drop list: its number when set, else the item equal to the value.
int chosen_item(const Control& c) {
  if (c.selected > 0 && c.selected <= static_cast<int>(c.items.size())) return c.selected - 1;
  for (std::size_t i = 0; i < c.items.size(); ++i) {
    if (c.items[i] == c.value) return static_cast<int>(i);
  }
  return -1;
}

// Columns of a designed width keep it (two pixels to the unit); the others share what is left.
void size_columns(QTableWidget& t, const Control& c) {
  QHeaderView* head = t.horizontalHeader();
  for (int k = 0; k < t.columnCount(); ++k) {
    int width = k < static_cast<int>(c.columns.size()) ? c.columns[k].width : 0;
    if (width <= 0) {
      head->setSectionResizeMode(k, QHeaderView::Stretch);
      continue;
    }
    head->setSectionResizeMode(k, QHeaderView::Interactive);
    head->resizeSection(k, 2 * width);
  }
}

}  // namespace

void WindowView::sync_control(const Control& c, Shown& s) {
  Control& d = s.drawn;
  if (c.kind == ControlKind::Tab) {
    tabs_->setTabText(s.tab, qstr(c.caption));
    tabs_->setTabVisible(s.tab, !c.hidden);
    tabs_->setTabEnabled(s.tab, !c.disabled);
    tabs_->setTabToolTip(s.tab, qstr(c.tip));
    d = c;
    s.fresh = false;
    return;
  }
  if (s.fresh || d.hidden != c.hidden) {
    s.widget->setVisible(!c.hidden);
    if (s.prompt) s.prompt->setVisible(!c.hidden);
  }
  if (s.fresh || d.disabled != c.disabled) {
    s.widget->setEnabled(!c.disabled);
    if (s.prompt) s.prompt->setEnabled(!c.disabled);
  }
  if (s.fresh || d.tip != c.tip) s.widget->setToolTip(qstr(c.tip));
  if (s.fresh || d.colour != c.colour || d.background != c.background)
    paint(s.widget, c.colour, c.background);
  if (s.prompt && (s.fresh || d.prompt != c.prompt)) s.prompt->setText(qstr(c.prompt));
  sync_value(c, s);
  d = c;
  s.fresh = false;
}

void WindowView::sync_value(const Control& c, Shown& s) {
  const Control& d = s.drawn;
  bool fresh = s.fresh;
  switch (c.kind) {
    case ControlKind::Entry:
      if (fresh || d.value != c.value) static_cast<QLineEdit*>(s.widget)->setText(qstr(c.value));
      if (fresh || d.read_only != c.read_only)
        static_cast<QLineEdit*>(s.widget)->setReadOnly(c.read_only);
      return;
    case ControlKind::TextArea:
      if (fresh || d.value != c.value)
        static_cast<QPlainTextEdit*>(s.widget)->setPlainText(qstr(c.value));
      if (fresh || d.read_only != c.read_only)
        static_cast<QPlainTextEdit*>(s.widget)->setReadOnly(c.read_only);
      return;
    case ControlKind::Button:
      if (fresh || d.caption != c.caption || d.icon != c.icon)
        static_cast<QPushButton*>(s.widget)->setText(c.caption.empty() ? glyph(c.icon)
                                                                       : qstr(c.caption));
      return;
    case ControlKind::Check: {
      auto* k = static_cast<QCheckBox*>(s.widget);
      if (fresh || d.caption != c.caption) k->setText(qstr(c.caption));
      k->setChecked(c.value == "1");
      return;
    }
    case ControlKind::DropList: {
      auto* box = static_cast<QComboBox*>(s.widget);
      if (fresh || d.items != c.items) {
        box->clear();
        for (const auto& item : c.items) box->addItem(qstr(item));
      }
      box->setCurrentIndex(chosen_item(c));
      return;
    }
    case ControlKind::List:
      sync_list(c, s);
      return;
    case ControlKind::Progress:
      static_cast<QProgressBar*>(s.widget)->setValue(percent(c.value));
      return;
    case ControlKind::Slider:
      sync_slider(c, s);
      return;
    case ControlKind::Image: {
      if (!fresh && d.icon == c.icon) return;
      auto* l = static_cast<QLabel*>(s.widget);
      QPixmap p = icon_pixmap(*style(), c.icon);
      if (p.isNull()) {
        l->setText(glyph(c.icon));
      } else {
        l->setPixmap(p);
      }
      return;
    }
    default:
      if (fresh || d.caption != c.caption) static_cast<QLabel*>(s.widget)->setText(qstr(c.caption));
  }
}

// The window's logic moved it: no gesture of the user's to report back.
void WindowView::sync_slider(const Control& c, Shown& s) {
  auto* slider = static_cast<QSlider*>(s.widget);
  const QSignalBlocker quiet(slider);
  slider->setRange(c.low, c.high);
  slider->setValue(static_cast<int>(text::long_of(c.value)));
}

void WindowView::sync_list(const Control& c, Shown& s) {
  auto* t = static_cast<QTableWidget*>(s.widget);
  const Control& d = s.drawn;
  bool cells = c.column > 0;
  if (s.fresh || d.columns.size() != c.columns.size() || d.rows != c.rows) {
    int columns = static_cast<int>(c.columns.size());
    for (const auto& r : c.rows) columns = std::max(columns, static_cast<int>(r.size()));
    t->setColumnCount(columns);
    t->setRowCount(static_cast<int>(c.rows.size()));
    QStringList heads;
    for (const auto& col : c.columns) heads << qstr(col.title);
    t->setHorizontalHeaderLabels(heads);
    t->horizontalHeader()->setVisible(!c.columns.empty());
    size_columns(*t, c);
    for (int r = 0; r < t->rowCount(); ++r) {
      const auto& row = c.rows[static_cast<std::size_t>(r)];
      for (int k = 0; k < columns; ++k) {
        QString cell =
            k < static_cast<int>(row.size()) ? cell_text(row[static_cast<std::size_t>(k)]) : "";
        auto* item = t->item(r, k);
        if (!item) {
          t->setItem(r, k, new QTableWidgetItem(cell));
        } else if (item->text() != cell) {
          item->setText(cell);
        }
      }
    }
  }
  t->setSelectionBehavior(cells ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
  if (c.selected < 1 || c.selected > t->rowCount()) {
    t->clearSelection();
    t->setCurrentCell(-1, -1);
    return;
  }
  int column = cells ? c.column - 1 : std::max(t->currentColumn(), 0);
  if (t->currentRow() != c.selected - 1 || t->currentColumn() != column)
    t->setCurrentCell(c.selected - 1, column);
}

}  // namespace orv::ui::qt
