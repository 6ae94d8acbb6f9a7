// The backends a host may choose, the adapter to a host's own renderer, and the records as data.
#include "host/ui_host.hpp"

#include <memory>

#include "platform/text/text.hpp"
#include "platform/ui/backends.hpp"
#include "platform/ui/window.hpp"

namespace orv::host {
namespace {

// Runs the library's windows on a host's renderer: the renderer shows what the model holds and
// answers with commands of the script language, which the script engine applies as usual.
class RendererBackend : public ui::ScriptedBackend {
 public:
  explicit RendererBackend(Renderer r) : ScriptedBackend(/*strict=*/false), r_(std::move(r)) {}

  void window_opened(ui::Window& w) override {
    if (r_.open_window) r_.open_window(w.handle(), w.name(), w.title);
    window_changed(w);
  }
  void window_changed(const ui::Window& w) override {
    if (!r_.update_control) return;
    for (const auto& c : w.controls()) {
      r_.update_control(w.handle(), c.id, ui::kind_name(c.kind),
                        c.caption.empty() ? c.prompt : c.caption, c.shown_value(), c.hidden,
                        c.disabled);
    }
  }
  void window_closed(const ui::Window& w) override {
    ScriptedBackend::window_closed(w);
    if (r_.close_window) r_.close_window(w.handle());
  }
  std::optional<std::string> file_dialog(const ui::FileDialog& d) override {
    if (!r_.file_dialog) return ScriptedBackend::file_dialog(d);
    return r_.file_dialog(d.title, d.folder, d.file, d.filter, d.save, d.folders);
  }

 protected:
  Input more_input(ui::Window* w) override {
    if (!w || !r_.next_event) return Input::None;
    auto commands = r_.next_event(w->handle());
    if (!commands) return Input::None;
    add_script(*commands);
    return Input::Commands;
  }
  bool interactive() const override { return true; }
  std::optional<unsigned> ask_box(const ui::MessageBox& b) override {
    if (!r_.box) return std::nullopt;
    return r_.box(b.title, b.text, static_cast<int>(b.icon), b.buttons, b.default_button);
  }

 private:
  Renderer r_;
};

// The backend in use: a session chosen by name, or the host's renderer.
struct Installed {
  std::unique_ptr<ui::UiSession> session;
  std::unique_ptr<ui::ScriptedBackend> renderer;

  ui::ScriptedBackend* engine() const { return session ? &session->engine() : renderer.get(); }
};

Installed& installed() {
  static Installed i;
  return i;
}

void install(Installed next) {
  Installed& i = installed();
  ui::set_backend(next.session ? &next.session->backend() : next.renderer.get());
  i = std::move(next);
}

const char* box_kind(const ui::MessageBox& box) {
  switch (box.icon) {
    case ui::Icon::Question:
      return "question";
    case ui::Icon::Information:
      return "info";
    default:
      return "warning";
  }
}

// A box with captions of its own is answered by the caption the user chose.
std::string answer_word(unsigned answer, const ui::MessageBox& box) {
  if (!box.captions.empty()) return ui::button_caption(answer, box);
  static const std::pair<unsigned, const char*> kNames[] = {
      {ui::kOk, "ok"},         {ui::kYes, "yes"},     {ui::kNo, "no"},
      {ui::kAbort, "abort"},   {ui::kRetry, "retry"}, {ui::kIgnore, "ignore"},
      {ui::kCancel, "cancel"}, {ui::kHelp, "help"}};
  for (const auto& [code, name] : kNames) {
    if (code == answer) return name;
  }
  return std::to_string(answer);
}

bool has_value(ui::ControlKind kind) {
  return kind != ui::ControlKind::Button && kind != ui::ControlKind::Image &&
         kind != ui::ControlKind::Group && kind != ui::ControlKind::Tab;
}

}  // namespace

bool use_ui(std::string_view name, std::string_view script, const UiChoice& choice,
            std::string& error) {
  std::string chosen =
      name.empty() ? ui::default_ui_backend(choice.interactive) : std::string(name);
  ui::UiOptions options{choice.answers, choice.strict, choice.interactive, choice.screenshots};
  Installed next;
  next.session = ui::make_ui(chosen, options);
  if (!next.session) {
    std::string known;
    for (const auto& n : ui::ui_backend_names()) known += (known.empty() ? "" : ", ") + n;
    error = "no window backend \"" + chosen + "\" here; there are: " + known;
    return false;
  }
  try {
    next.session->engine().add_script(script);
  } catch (const ui::ScriptError& e) {
    error = e.message;
    return false;
  }
  install(std::move(next));
  return true;
}

bool use_headless(std::string_view script, const std::vector<std::string>& answers, bool strict,
                  std::string& error) {
  return use_ui("headless", script, {answers, strict, false, {}}, error);
}

void use_terminal() {
  std::string ignored;
  use_ui("terminal", {}, {{}, false, true, {}}, ignored);
}

void add_answer(std::string answer) {
  if (auto* e = installed().engine()) e->add_answer(std::move(answer));
}

void use_renderer(Renderer renderer) {
  Installed next;
  next.renderer = std::make_unique<RendererBackend>(std::move(renderer));
  install(std::move(next));
}

void use_default_ui() {
  install(Installed{});
}

std::vector<std::string> ui_names() {
  return ui::ui_backend_names();
}

Shown shown() {
  Shown out;
  const ui::ScriptedBackend* b = installed().engine();
  if (!b) return out;
  for (const auto& r : b->boxes()) {
    out.messages.push_back(
        {box_kind(r.box), r.box.title, r.box.text, answer_word(r.answer, r.box)});
  }
  for (const auto& e : b->error_windows()) {
    out.messages.push_back({"error", e.message, e.statement, ""});
  }
  for (const auto& w : b->windows()) {
    ShownWindow sw{w.name, w.title, {}, {}};
    for (const auto& c : w.controls) {
      if (has_value(c.kind)) sw.controls.push_back({c.id, c.shown_value()});
      if (!c.tip.empty() || !c.icon.empty()) sw.marks.push_back({c.id, c.tip, c.icon});
    }
    out.windows.push_back(std::move(sw));
  }
  out.notes = b->notes();
  out.failure = b->failure();
  out.leftover = b->pending_commands();
  out.opened = b->opened_documents();
  return out;
}

void clear_shown() {
  if (auto* e = installed().engine()) e->clear_records();
}

}  // namespace orv::host
