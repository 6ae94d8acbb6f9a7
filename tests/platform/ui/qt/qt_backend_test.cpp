// The Qt backend: a person's clicks, keys and typed Polish text reach the window's logic as the
// script's commands would; boxes, timers, posted events and screenshots.
#include "platform/ui/qt/qt_backend.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/text/cp1250.hpp"
#include "platform/ui/sample_window.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::ui::qt {
namespace {

using namespace ui::test;

const bool kOffscreen = (setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/1), true);

QDialog& shown(const char* title_utf8) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* d = qobject_cast<QDialog*>(w);
    if (d && d->isVisible() && d->windowTitle() == QString::fromUtf8(title_utf8)) return *d;
  }
  throw std::runtime_error("no window shown");
}

template <class W>
W& child(QDialog& d, const char* id) {
  W* w = d.findChild<W*>(id);
  if (!w) throw std::runtime_error(std::string("no widget ") + id);
  return *w;
}

void press(QWidget& target, int key, Qt::KeyboardModifiers mods = {}, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(&target, &down);
}

void type(QLineEdit& e, const QString& text) {
  e.setFocus();
  for (QChar ch : text) press(e, 0, {}, QString(ch));
}

// A person at the sample window, with the engine strict: nothing is answered for them.
class Person : public ::testing::Test {
 protected:
  Person() : qt(engine, interactive()) { previous = set_backend(&qt); }
  ~Person() override {
    window.close();
    set_backend(previous);
  }
  static UiOptions interactive() {
    UiOptions o;
    o.interactive = true;
    return o;
  }
  // Opens the sample window, lets `act` run inside the wait for the person, returns the event.
  Event after(std::function<void(QDialog&)> act) {
    if (!window.is_open()) window.open();
    QTimer::singleShot(0, [&] { act(shown("Próbka")); });
    return window.accept();
  }

  ScriptedBackend engine{/*strict=*/true};
  QtBackend qt;
  Backend* previous = nullptr;
  Window window = sample_window();
};

struct GestureCase {
  const char* name;
  std::function<void(QDialog&)> act;
  EventKind kind;
  int control;
  const char* key;
};
void PrintTo(const GestureCase& c, std::ostream* os) {
  *os << c.name;
}

class Gestures : public Person, public ::testing::WithParamInterface<GestureCase> {};

TEST_P(Gestures, ReachTheLogic) {
  Event e = after(GetParam().act);
  EXPECT_EQ(e.kind, GetParam().kind) << event_name(e.kind);
  EXPECT_EQ(e.control, GetParam().control);
  EXPECT_EQ(e.key, GetParam().key);
}

constexpr auto A = EventKind::Accepted;
constexpr auto K = EventKind::Key;

INSTANTIATE_TEST_SUITE_P(
    Qt, Gestures,
    ::testing::Values(
        // 1. A click on a button accepts it.
        GestureCase{"Click", [](QDialog& d) { child<QPushButton>(d, "OK").click(); }, A,
                    kConfirmButton, ""},
        // 2. F10 anywhere is the button that carries it.
        GestureCase{"F10", [](QDialog& d) { press(child<QLineEdit>(d, "KWOTA"), Qt::Key_F10); }, A,
                    kConfirmButton, "F10"},
        // 3. Esc is the button that carries it, not Qt's own rejection of the dialog.
        GestureCase{"Esc", [](QDialog& d) { press(d, Qt::Key_Escape); }, A, kCancelButton, "Esc"},
        // 4. Ctrl+D, Ins and Del, which no button carries, reach the logic as keys.
        GestureCase{
            "CtrlD",
            [](QDialog& d) { press(child<QLineEdit>(d, "KWOTA"), Qt::Key_D, Qt::ControlModifier); },
            K, 0, "Ctrl+D"},
        GestureCase{"Insert",
                    [](QDialog& d) { press(child<QTableWidget>(d, "LISTA"), Qt::Key_Insert); }, K,
                    0, "Insert"},
        GestureCase{"Delete",
                    [](QDialog& d) { press(child<QTableWidget>(d, "LISTA"), Qt::Key_Delete); }, K,
                    0, "Delete"},
        // 5. Alt pressed and let go alone is the key Alt.
        GestureCase{"AltAlone",
                    [](QDialog& d) {
                      auto& entry = child<QLineEdit>(d, "KWOTA");
                      press(entry, Qt::Key_Alt, Qt::AltModifier);
                      QKeyEvent up(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
                      QApplication::sendEvent(&entry, &up);
                    },
                    K, 0, "Alt"},
        // 6. The close box asks the logic, which decides.
        GestureCase{"CloseBox", [](QDialog& d) { d.close(); }, EventKind::CloseWindow, 0, ""},
        // 7. A check box clicked and a drop-list item picked are accepted.
        GestureCase{"Check", [](QDialog& d) { child<QCheckBox>(d, "ZAZN").click(); }, A, kMark, ""},
        GestureCase{"DropList", [](QDialog& d) { emit child<QComboBox>(d, "ZAKRES").activated(1); },
                    A, kRange, ""},
        // 8. A slider dragged is set to where it was let go.
        GestureCase{"Slider", [](QDialog& d) { child<QSlider>(d, "SUWAK").setValue(120); }, A,
                    kSlider, ""}),
    orv::test::named_case);

// A list whose logic pages its rows hears End and PgDn itself: the table holds one page only.
TEST_F(Person, APagedListHearsItsMovingKeys) {
  window.at(kList).paged = true;
  for (auto [key, name] : {std::pair{Qt::Key_End, "End"}, std::pair{Qt::Key_PageDown, "PgDn"}}) {
    Event e = after([key = key](QDialog& d) { press(child<QTableWidget>(d, "LISTA"), key); });
    EXPECT_EQ(e.kind, K);
    EXPECT_EQ(e.key, name);
  }
}

TEST_F(Person, TypesPolishLetters) {
  Event e = after([](QDialog& d) {
    auto& entry = child<QLineEdit>(d, "KWOTA");
    type(entry, QString::fromUtf8("Dąb żółw"));
    press(entry, Qt::Key_Return);
  });
  EXPECT_TRUE(e.accepted(kAmount));
  EXPECT_EQ(window.at(kAmount).value, "Dąb żółw"_w1250);
}

TEST_F(Person, DoubleClickChoosesTheCell) {
  Event e = after([](QDialog& d) { emit child<QTableWidget>(d, "LISTA").cellDoubleClicked(1, 0); });
  EXPECT_EQ(e.kind, EventKind::NewSelection);
  EXPECT_TRUE(window.accept().accepted(kList));
  EXPECT_EQ(window.at(kList).shown_value(), "b");
}

TEST_F(Person, ShowsTheModelsPropertiesInPolish) {
  window.at(kInfo).tip = "Podpowiedź"_w1250;
  window.at(kInfo).colour = 0xFF0000;
  window.at(kMark).disabled = true;
  window.open();
  QDialog& d = shown("Próbka");
  EXPECT_TRUE(child<QLineEdit>(d, "UKRYTE").isHidden());
  EXPECT_FALSE(child<QCheckBox>(d, "ZAZN").isEnabled());
  EXPECT_TRUE(child<QLineEdit>(d, "STALA").isReadOnly());
  auto& info = child<QLabel>(d, "INFO");
  EXPECT_EQ(info.toolTip(), QString::fromUtf8("Podpowiedź"));
  EXPECT_EQ(info.palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(child<QComboBox>(d, "ZAKRES").itemText(0), QString::fromUtf8("pełny zakres"));
  EXPECT_TRUE(child<QPushButton>(d, "OK").isDefault());
  // A change of the model shows after display().
  window.at(kInfo).caption = "Zmieniona";
  window.at(kHidden).hidden = false;
  window.display();
  EXPECT_EQ(info.text(), "Zmieniona");
  EXPECT_FALSE(child<QLineEdit>(d, "UKRYTE").isHidden());
}

TEST_F(Person, AnswersABoxWithTheSystemsCaptions) {
  MessageBox box{"Usunąć?|Na pewno"_w1250, "ORVEX: Pytanie", Icon::Question, kYes | kNo, kNo, {}};
  QString title;
  QTimer::singleShot(0, [&] {
    auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(m, nullptr);
    title = m->windowTitle();
    for (QAbstractButton* b : m->buttons()) {
      if (b->text() == "Tak") b->click();
    }
  });
  EXPECT_EQ(backend().message(box), kYes);
  EXPECT_EQ(title, "ORVEX: Pytanie");
  ASSERT_EQ(engine.boxes().size(), 1u);
  EXPECT_EQ(engine.boxes()[0].answer, kYes);
}

// Timer events come in real time while the person waits, and an event another thread posts
// wakes the wait at once.
TEST_F(Person, TimerTicksAndEventsPostedFromAThread) {
  window.timer = 1;
  window.open();
  EXPECT_EQ(window.accept().kind, EventKind::Timer);
  window.timer = 0;
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    window.post(Event{EventKind::User, 0, {}, 1034});
  });
  Event e = window.accept();
  poster.join();
  EXPECT_EQ(e.kind, EventKind::User);
  EXPECT_EQ(e.code, 1034);
}

// A window opened again is drawn into the view the last one left: it shows the new model
// afresh, at the size a new view would take, and the person's gestures reach the new window.
TEST_F(Person, AReopenedWindowIsDrawnAfresh) {
  window.at(kInfo).caption = "Pierwsze";
  window.open();
  QDialog* first = &shown("Próbka");
  QSize size = first->size();
  window.close();
  for (int round = 0; round < 3; ++round) {
    Window again = sample_window();
    again.at(kInfo).caption = "Drugie";
    again.at(kMark).disabled = true;
    again.open();
    QDialog& d = shown("Próbka");
    EXPECT_EQ(&d, first);
    EXPECT_EQ(d.size(), size) << "round " << round;
    EXPECT_EQ(child<QLabel>(d, "INFO").text(), "Drugie");
    EXPECT_FALSE(child<QCheckBox>(d, "ZAZN").isEnabled());
    QTimer::singleShot(0, [&] { child<QPushButton>(d, "OK").click(); });
    EXPECT_TRUE(again.accept().accepted(kConfirmButton));
    again.close();
  }
}

// Each time the script acts on a window, a picture of it; the window keeps its place in the
// model (and so in the INI) as the other backends do.
TEST(QtScripted, ScreenshotsAndPlaces) {
  orv::test::TempDir dir;
  ScriptedBackend engine(/*strict=*/true);
  UiOptions o;
  o.screenshots = dir.file("shots");
  QtBackend qt(engine, o);
  Backend* previous = set_backend(&qt);
  engine.add_script("set KWOTA 5; press OK");
  Window w = sample_window();
  w.rect = {120, 340, 200, 100};
  w.open();
  EXPECT_TRUE(w.accept().accepted(kAmount));
  EXPECT_TRUE(w.accept().accepted(kConfirmButton));
  w.close();
  set_backend(previous);
  EXPECT_EQ(w.rect, (Rect{120, 340, 200, 100}));
  EXPECT_EQ(qt.screenshots(), 3);
  for (const char* name : {"001-Probka.png", "002-Probka.png", "003-Probka.png"}) {
    QImage shot(QString::fromStdString(dir.file("shots/") + name));
    EXPECT_GE(shot.width(), 200) << name;
  }
  ASSERT_EQ(engine.windows().size(), 1u);
  EXPECT_EQ(engine.windows()[0].controls[0].value, "5");
}

}  // namespace
}  // namespace orv::ui::qt
