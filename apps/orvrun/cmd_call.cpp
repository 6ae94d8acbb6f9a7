// orvrun call: one exported procedure through the table and the C ABI.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "commands.hpp"
#include "exports/table.hpp"
#include "host.hpp"
#include "json.hpp"
#include "login.hpp"
#include "platform/files/files.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/backends.hpp"

namespace orv::cli {
namespace {

using exports::Arg;
using exports::Kind;
using exports::Param;
using exports::Procedure;

constexpr std::size_t kDefaultRefCapacity = 65536;

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::Text:
      return "STRING";
    case Kind::Long:
      return "LONG";
    case Kind::Byte:
      return "BYTE";
    case Kind::Real:
      return "REAL";
    case Kind::Handle:
      return "HANDLE";
    case Kind::None:
      return "none";
  }
  return "?";
}

std::optional<double> parse_real(const std::string& s) {
  if (s.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return v;
}

// Converts one command-line word to the parameter's kind; false when it does not fit.
bool convert(const Param& p, const std::string& word, Arg& a) {
  a.given = true;
  if (p.kind == Kind::Text) {
    a.text = text::from_utf8(word);
    if (p.by_ref) {
      a.buffer.assign(std::max(p.capacity ? p.capacity : kDefaultRefCapacity, a.text.size() + 1),
                      '\0');
      a.text.copy(a.buffer.data(), a.buffer.size() - 1);
    }
    return true;
  }
  auto v = parse_real(word);
  if (!v) return false;
  if (p.kind == Kind::Real) {
    a.real = *v;
    return true;
  }
  if (*v != std::floor(*v)) return false;
  if (p.kind == Kind::Long) {
    if (*v < INT32_MIN || *v > INT32_MAX) return false;
    a.lng = static_cast<int32_t>(*v);
    return true;
  }
  if (*v < 0 || *v > 255) return false;
  a.byte = static_cast<uint8_t>(*v);
  return true;
}

std::string json_value(const exports::Value& v) {
  if (v.kind == Kind::None || v.kind == Kind::Handle) return "null";
  if (v.kind == Kind::Text) return json_string(text::to_utf8(v.text));
  return json_number(v.number);
}

void list_procedures() {
  for (const auto& p : exports::procedures()) {
    std::printf("%s(", p.name.c_str());
    for (std::size_t i = 0; i < p.params.size(); ++i) {
      const Param& q = p.params[i];
      std::printf("%s%s%s: %s%s", i ? ", " : "", q.by_ref ? "&" : "", q.name.c_str(),
                  kind_name(q.kind), q.optional ? " (optional)" : "");
    }
    std::printf(") -> %s  %s\n", kind_name(p.result), p.summary.c_str());
  }
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
  if (!box.captions.empty()) return text::to_utf8(ui::button_caption(answer, box));
  static const std::pair<unsigned, const char*> kNames[] = {
      {ui::kOk, "ok"},         {ui::kYes, "yes"},     {ui::kNo, "no"},
      {ui::kAbort, "abort"},   {ui::kRetry, "retry"}, {ui::kIgnore, "ignore"},
      {ui::kCancel, "cancel"}, {ui::kHelp, "help"}};
  for (const auto& [code, name] : kNames) {
    if (code == answer) return name;
  }
  return std::to_string(answer);
}

std::string json_messages(const ui::ScriptedBackend& ui) {
  std::string out = "[";
  for (const auto& r : ui.boxes()) {
    if (out.size() > 1) out += ", ";
    out += "{\"kind\": \"" + std::string(box_kind(r.box)) +
           "\", \"title\": " + json_string(text::to_utf8(r.box.title)) +
           ", \"text\": " + json_string(text::to_utf8(r.box.text)) +
           ", \"answer\": " + json_string(answer_word(r.answer, r.box)) + "}";
  }
  for (const auto& e : ui.error_windows()) {
    if (out.size() > 1) out += ", ";
    out += "{\"kind\": \"error\", \"title\": " + json_string(text::to_utf8(e.message)) +
           ", \"text\": " + json_string(text::to_utf8(e.statement)) + ", \"answer\": null}";
  }
  return out + "]";
}

bool has_value(ui::ControlKind kind) {
  return kind != ui::ControlKind::Button && kind != ui::ControlKind::Image &&
         kind != ui::ControlKind::Group && kind != ui::ControlKind::Tab;
}

// Each window opened: its name, title and the final values of its controls.
std::string json_windows(const ui::ScriptedBackend& ui) {
  std::string out = "[";
  for (const auto& w : ui.windows()) {
    if (out.size() > 1) out += ", ";
    out += "{\"name\": " + json_string(w.name) +
           ", \"title\": " + json_string(text::to_utf8(w.title)) + ", \"controls\": {";
    bool first = true;
    for (const auto& c : w.controls) {
      if (!has_value(c.kind)) continue;
      out += (first ? "" : ", ") + json_string(c.id) + ": " +
             json_string(text::to_utf8(c.shown_value()));
      first = false;
    }
    out += "}}";
  }
  return out + "]";
}

void print_json(const Procedure& p, const exports::Value& result, const std::vector<Arg>& args,
                const ui::ScriptedBackend& ui) {
  std::string out = "{\"result\": " + json_value(result) + ", \"out\": {";
  bool first = true;
  for (std::size_t i = 0; i < p.params.size(); ++i) {
    if (!p.params[i].by_ref || !args[i].given) continue;
    out += (first ? "" : ", ") + json_string(p.params[i].name) + ": " +
           json_value(exports::arg_value(p.params[i], args[i]));
    first = false;
  }
  out += "}, \"messages\": " + json_messages(ui) + ", \"windows\": " + json_windows(ui) + "}";
  std::printf("%s\n", out.c_str());
}

void print_plain(const exports::Value& result) {
  if (result.kind == Kind::None) return;
  if (result.kind == Kind::Text) {
    std::printf("%s\n", text::to_utf8(result.text).c_str());
  } else {
    std::printf("%s\n", json_number(result.number).c_str());
  }
}

struct Options {
  bool json = false;
  bool answered = false;
  std::vector<std::string> answers;
  std::string script;
  bool scripted = false;
  std::string ui;           // --ui NAME
  std::string screenshots;  // --screenshot DIR
  std::size_t name_at = 0;
};

// --ui-script TEXT or @FILE; false (after saying why) when the file cannot be read.
bool read_script(const std::string& word, Options& o) {
  o.scripted = true;
  if (!word.starts_with("@")) {
    o.script += word + "\n";
    return true;
  }
  auto content = files::read_all(word.substr(1));
  if (!content) {
    usage_error("call: cannot read the ui script \"" + word.substr(1) + "\"");
    return false;
  }
  o.script += *content + "\n";
  return true;
}

std::optional<Options> parse_options(const Words& words) {
  Options o;
  std::size_t i = 0;
  std::string error;
  for (; i < words.size() && words[i].starts_with("--"); ++i) {
    if (take_host_option(words, i, error)) {
      --i;  // the loop steps past the option's last word
    } else if (!error.empty()) {
      usage_error("call: " + error);
      return std::nullopt;
    } else if (words[i] == "--json") {
      o.json = true;
    } else if (words[i] == "--answer" && i + 1 < words.size()) {
      o.answers.push_back(words[++i]);
      o.answered = true;
    } else if (words[i] == "--ui-script" && i + 1 < words.size()) {
      if (!read_script(words[++i], o)) return std::nullopt;
    } else if (words[i] == "--ui" && i + 1 < words.size()) {
      o.ui = words[++i];
    } else if (words[i] == "--screenshot" && i + 1 < words.size()) {
      o.screenshots = words[++i];
    } else {
      usage_error("unknown option \"" + words[i] + "\"");
      return std::nullopt;
    }
  }
  o.name_at = i;
  return o;
}

// Notes and a failed script go to stderr; a failed script makes the exit status 1.
int report(const Procedure& p, const Options& options, const exports::Value& result,
           const std::vector<Arg>& args, const ui::ScriptedBackend& ui) {
  for (const auto& note : ui.notes()) std::fprintf(stderr, "orvrun: %s\n", note.c_str());
  if (!ui.failure().empty()) {
    std::fprintf(stderr, "orvrun: ui script failed: %s\n", ui.failure().c_str());
    return 1;
  }
  if (options.json) {
    print_json(p, result, args, ui);
  } else {
    print_plain(result);
  }
  return 0;
}

// The window backend: --ui, else $ORVRUN_UI, else by who is there (qt photographs windows).
std::unique_ptr<ui::UiSession> make_session_ui(const Options& o) {
  bool person =
      !o.json && !o.answered && !o.scripted && o.screenshots.empty() && isatty(STDIN_FILENO);
  std::string name = o.ui;
  if (name.empty()) name = o.screenshots.empty() ? ui::default_ui_backend(person) : "qt";
  ui::UiOptions ui_options;
  ui_options.answers = o.answers;
  ui_options.interactive = person;
  ui_options.screenshots = o.screenshots;
  auto session = ui::make_ui(name, ui_options);
  if (session) return session;
  std::string known;
  for (const auto& n : ui::ui_backend_names()) known += (known.empty() ? "" : ", ") + n;
  usage_error("call: no window backend \"" + name + "\" here; there are: " + known);
  return nullptr;
}

}  // namespace

int cmd_call(const Words& words) {
  if (words.size() == 1 && words[0] == "--list") {
    list_procedures();
    return 0;
  }
  auto options = parse_options(words);
  if (!options) return kUsageError;
  if (options->name_at >= words.size()) return usage_error("call: no procedure named");
  const std::string& name = words[options->name_at];
  const Procedure* p = exports::find(text::upper(name));
  if (!p) return usage_error("call: unknown procedure \"" + name + "\"; see orvrun call --list");

  std::vector<Arg> args(p->params.size());
  std::size_t word = options->name_at + 1;
  std::size_t given = words.size() - word;
  std::size_t slots = 0;
  for (const auto& q : p->params) slots += q.kind != Kind::Handle;
  if (given < p->required() || given > slots) {
    return usage_error("call: " + p->name + " takes " + std::to_string(p->required()) +
                       (p->required() == slots ? "" : " to " + std::to_string(slots)) +
                       " arguments, " + std::to_string(given) + " given");
  }
  for (std::size_t i = 0; i < p->params.size() && word < words.size(); ++i) {
    if (p->params[i].kind == Kind::Handle) continue;
    if (!convert(p->params[i], words[word], args[i])) {
      return usage_error("call: " + p->name + ": argument " + p->params[i].name + " must be " +
                         kind_name(p->params[i].kind) + ", not \"" + words[word] + "\"");
    }
    ++word;
  }

  HostSession session;
  std::string error;
  if (!session.open(/*required=*/false, error)) return usage_error("call: " + error);
  // As the host application after log-in: who is signed in and the tables every call expects.
  std::optional<Preferences> loaded;
  if (session.has_database()) loaded = log_in(host_options());

  std::unique_ptr<ui::UiSession> session_ui = make_session_ui(*options);
  if (!session_ui) return kUsageError;
  ui::ScriptedBackend& active = session_ui->engine();
  try {
    active.add_script(options->script);
  } catch (const ui::ScriptError& e) {
    return usage_error("call: --ui-script: " + e.message);
  }
  ui::Backend* previous = ui::set_backend(&session_ui->backend());
  exports::Value result;
  try {
    result = p->invoke(args);
    if (loaded) log_out(*loaded);  // the user leaves: what the call changed is kept
  } catch (const ui::ScriptError& e) {
    active.failed(e.message);
  }
  ui::set_backend(previous);
  return report(*p, *options, result, args, active);
}

}  // namespace orv::cli
