// MAKSYMALIZUJ and USTAWSPLIT over the current window and the host frame's measures.
#include "config/window_geometry.hpp"

#include <algorithm>
#include <cstdlib>

#include "config/parameters.hpp"
#include "frame/window_conventions.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/host.hpp"
#include "platform/ui/window.hpp"

namespace orv::config {
namespace {

// A configuration value read as a number, as the runtime reads text: leading digits, else 0.
int user_number(const char* code) {
  std::string v(text::trim(POBIERZPARAMKONF("u", code)));
  return static_cast<int>(std::clamp(std::strtol(v.c_str(), nullptr, 10), -100000L, 100000L));
}

int moved(int64_t a, int64_t b) {
  return static_cast<int>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX));
}

}  // namespace

uint8_t MAKSYMALIZUJ() {
  ui::Window* w = ui::current_window();
  if (!w) return 0;
  ui::Metrics m = ui::system_metrics();
  int frame = m.frame_width;
  int caption = m.caption_height;
  int height_margin = frame + user_number("OknoWysMarg") - 4;
  int width_margin = user_number("OknoSzerMarg") + (frame - 4 > 1 ? frame + 4 : frame + 2);
  ui::Size host = ui::main_window_size();
  const auto& glo = dict::glo();
  int height = host.height - height_margin - caption;
  if (glo.RIBBONOFF) {
    if (text::clip(POBIERZPARAMKONF("u", "PokazujPasekIkon")) == "Tak") height -= 28;
  } else if (!glo.RIBBONAUTOUKRYWANIE) {
    height -= 72;
  }
  // A host smaller than its margins would give a negative size; the window keeps none instead.
  height = std::max(height, 0);
  int width = std::max(host.width - width_margin, 0);
  if (w->rect == ui::Rect{0, 0, width, height}) return 0;
  w->maximized = false;
  w->rect = ui::Rect{0, 0, width, height};
  w->display();
  return 1;
}

void USTAWSPLIT(int32_t left, int32_t splitter, int32_t right, int32_t distance) {
  ui::Window* w = ui::current_window();
  if (!w || distance == 0) return;
  if (ui::Control* s = w->find(splitter)) s->rect.x = moved(s->rect.x, distance);
  if (ui::Control* l = w->find(left)) l->rect.width = moved(l->rect.width, distance);
  if (ui::Control* r = w->find(right)) {
    r->rect.x = moved(r->rect.x, distance);
    r->rect.width = moved(r->rect.width, -int64_t{distance});
  }
  w->display();
}

namespace {

// The library's windows reach this rule through the frame layer, which lies below this one.
[[maybe_unused]] const bool kInstalled = (frame::set_host_frame_fit(&MAKSYMALIZUJ), true);

}  // namespace
}  // namespace orv::config
