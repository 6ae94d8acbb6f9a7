// The terminal backend: drawn windows and boxes, typed commands, progress and end of input.
#include "platform/ui/terminal/terminal.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "platform/text/cp1250.hpp"
#include "platform/ui/popup.hpp"
#include "platform/ui/terminal/render.hpp"
#include "sample_window.hpp"
#include "support/case_names.hpp"
#include "support/support.hpp"

namespace orv::ui {
namespace {

using namespace ui::test;

// A terminal whose keyboard is the given text and whose screen is kept in memory.
class Terminal {
 public:
  explicit Terminal(const std::string& typed) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe");
    if (::write(fds[1], typed.data(), typed.size()) != static_cast<ssize_t>(typed.size())) {
      throw std::runtime_error("write");
    }
    ::close(fds[1]);
    in_ = ::fdopen(fds[0], "r");
    out_ = ::open_memstream(&screen_, &size_);
    backend_ = std::make_unique<TerminalBackend>(in_, out_);
    previous_ = set_backend(backend_.get());
  }
  ~Terminal() {
    set_backend(previous_);
    backend_.reset();
    std::fclose(in_);
    std::fclose(out_);
    std::free(screen_);
  }
  std::string screen() {
    std::fflush(out_);
    return std::string(screen_, size_);
  }
  TerminalBackend& ui() { return *backend_; }

 private:
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  char* screen_ = nullptr;
  std::size_t size_ = 0;
  std::unique_ptr<TerminalBackend> backend_;
  Backend* previous_ = nullptr;
};

using orv::test::contains;

TEST(Terminal, DrawsTheWindowAndTakesTypedCommands) {
  Terminal t("set KWOTA 5\n\nbogus\npress \"Zatwierdź\"\n");
  Window w = sample_window();
  w.open();
  EXPECT_TRUE(w.accept().accepted(kAmount));
  EXPECT_TRUE(w.accept().accepted(kAmount));         // the empty line is Enter on the focus
  EXPECT_TRUE(w.accept().accepted(kConfirmButton));  // "bogus" was refused and asked again
  std::string screen = t.screen();
  EXPECT_TRUE(contains(screen, "Próbka (Probka)")) << screen;
  EXPECT_TRUE(contains(screen, "Kwota [KWOTA]: ")) << screen;
  EXPECT_TRUE(contains(screen, "[Zatwierdź F10]  [Anuluj Esc]")) << screen;
  EXPECT_TRUE(contains(screen, "unknown script command \"bogus\"")) << screen;
  EXPECT_FALSE(contains(screen, "Ukryte")) << "hidden controls are not drawn";
}

TEST(Terminal, SliderIsDrawnAndMovedWithinItsRange) {
  Terminal t("set SUWAK 100\nset SUWAK 250\n");
  Window w = sample_window();
  w.open();
  EXPECT_TRUE(w.accept().accepted(kSlider));
  EXPECT_EQ(w.at(kSlider).value, "100");
  std::string screen = t.screen();
  EXPECT_TRUE(contains(screen, "Procent [SUWAK]: 0 [━━━━━●───────────────] 200  50")) << screen;
  try {
    w.accept();
    ADD_FAILURE() << "a position out of range was taken";
  } catch (const ScriptError& e) {
    EXPECT_TRUE(contains(e.message, "takes a whole number from 0 to 200")) << e.message;
  }
}

TEST(Terminal, EndOfInputClosesAsByEsc) {
  Terminal t("");
  Window w = sample_window();
  w.open();
  EXPECT_TRUE(w.accept().accepted(kCancelButton));
  ASSERT_EQ(t.ui().notes().size(), 1u);
}

TEST(Terminal, BoxesAnsweredByNumberCaptionOrEnter) {
  Terminal t("2\ntak\n\n");
  MessageBox box{"Usunąć?|Na pewno"_w1250, "ORVEX: Pytanie", Icon::Question, kYes | kNo, kNo, {}};
  EXPECT_EQ(backend().message(box), kNo);
  EXPECT_EQ(backend().message(box), kYes);
  EXPECT_EQ(backend().message(box), kNo);  // Enter takes the default
  EXPECT_EQ(backend().message(box), kNo);  // end of input too
  std::string screen = t.screen();
  EXPECT_TRUE(contains(screen, "== ORVEX: Pytanie ==\n  Usunąć?\n  Na pewno\n")) << screen;
  EXPECT_TRUE(contains(screen, "1) Tak 2) Nie [Enter]")) << screen;
}

TEST(Terminal, TimerRunsBetweenKeystrokesWithAProgressBar) {
  Terminal t("");
  Window w("Postep", "Postęp"_w1250);
  w.timer = 1;
  Control& bar = w.add(ControlKind::Progress, 1, "PASEK");
  w.add(ControlKind::Label, 2, "LICZNIK", "0 / 4");
  w.open();
  for (int j = 1; j <= 4; ++j) {
    EXPECT_EQ(w.accept().kind, EventKind::Timer);
    bar.value = std::to_string(j * 25);
    w.at(2).caption = std::to_string(j) + " / 4";
  }
  EXPECT_EQ(w.accept().kind, EventKind::Timer);
  std::string screen = t.screen();
  EXPECT_TRUE(contains(screen, "\r" + render_bar(50) + "  2 / 4")) << screen;
  EXPECT_TRUE(contains(screen, "] 100%")) << screen;
}

TEST(Terminal, PopupTakesANumber) {
  Terminal t("2\n");
  EXPECT_EQ(popup("bieżący dzień|bieżący rok"_w1250), 2);
  EXPECT_TRUE(contains(t.screen(), "  2) bieżący rok\n"));
}

// Lists and grids line up in columns whatever the width of their cells; drop lists break
// between items, never inside one.
struct AlignCase {
  const char* name;
  Control control;
  std::vector<std::string> lines;  // the lines drawn under the control's own
};
void PrintTo(const AlignCase& c, std::ostream* os) {
  *os << c.name;
}

Control grid(std::vector<std::vector<std::string>> rows, int selected, int column) {
  Control c;
  c.kind = ControlKind::List;
  c.id = "DNI";
  c.columns = {{"Pn"}, {"Śr"_w1250}};
  c.rows = std::move(rows);
  c.selected = selected;
  c.column = column;
  return c;
}

Control drop(std::vector<std::string> items) {
  Control c;
  c.kind = ControlKind::DropList;
  c.id = "M";
  c.items = std::move(items);
  return c;
}

class Align : public testing::TestWithParam<AlignCase> {};

TEST_P(Align, Drawn) {
  Window w("W", "W");
  w.add(GetParam().control.kind, 1, GetParam().control.id) = GetParam().control;
  std::string drawn = render_window(w);
  std::vector<std::string> lines;
  for (std::size_t at = 0, nl; (nl = drawn.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(drawn.substr(at, nl - at));
  // The window's title line, the control's line, then the lines under test.
  ASSERT_GE(lines.size(), 3 + GetParam().lines.size()) << drawn;
  EXPECT_EQ(
      std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + GetParam().lines.size()),
      GetParam().lines)
      << drawn;
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, Align,
    testing::Values(
        // 1. Days of a calendar week: numbers to the right, the chosen day in brackets, rows of
        // one and two digits the same width; the head takes Polish letters as one column each.
        AlignCase{"CalendarWeeks",
                  grid({{"", "1"}, {"7", "8"}, {"14", "15"}}, 2, 2),
                  {"          Pn | Śr ", "      1.     |  1 ", "    > 2.   7 |[ 8]",
                   "      3.  14 | 15 "}},
        // 2. Texts to the left, padded to the longest of the column.
        AlignCase{"Texts",
                  grid({{"Indeks", "tak"}, {"Nazwa artykułu"_w1250, "nie"}}, 0, 0),
                  {"          Pn             | Śr  ", "      1.  Indeks         | tak ",
                   "      2.  Nazwa artykułu | nie "}},
        // 3. A long drop list breaks between items.
        AlignCase{"LongDropList",
                  drop({"Styczeń"_w1250, "Luty", "Marzec", "Kwiecień"_w1250, "Maj", "Czerwiec",
                        "Lipiec", "Sierpień"_w1250, "Wrzesień"_w1250, "Październik"_w1250,
                        "Listopad", "Grudzień"_w1250}),
                  {"      (Styczeń | Luty | Marzec | Kwiecień | Maj | Czerwiec | "
                   "Lipiec | Sierpień",
                   "      (Wrzesień | Październik | Listopad | Grudzień)"}}),
    orv::test::named_case);

struct BarCase {
  int percent;
  const char* drawn;
};

class Bars : public testing::TestWithParam<BarCase> {};

TEST_P(Bars, Drawn) {
  EXPECT_EQ(render_bar(GetParam().percent, 4), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(Terminal, Bars,
                         testing::Values(BarCase{0, "[░░░░]   0%"}, BarCase{50, "[██░░]  50%"},
                                         BarCase{100, "[████] 100%"}, BarCase{250, "[████] 100%"},
                                         BarCase{-5, "[░░░░]   0%"}));

}  // namespace
}  // namespace orv::ui
