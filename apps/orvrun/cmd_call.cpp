// orvrun call: one exported procedure by name, through the library's host interface.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "host.hpp"
#include "json.hpp"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

// The user, company and warehouse signed in when no option names them: the demo's ordinary user.
constexpr double kDefaultUser = 7;
constexpr double kDefaultCompany = 5;
constexpr double kDefaultWarehouse = 1;

const char* type_name(int32_t type) {
  static const char* const kNames[] = {"none",   "STRING", "LONG",   "BYTE",  "REAL",
                                       "HANDLE", "LIST",   "BLOB",   "SHORT", "BOOL",
                                       "GROUP",  "TEXTS",  "WINDOW", "BAND"};
  return type >= 0 && type <= ORVRUN_TYPE_BAND ? kNames[type] : "?";
}

// Types whose value comes back as JSON text, printed as it is.
bool json_typed(int32_t type) {
  return type == ORVRUN_TYPE_GROUP || type == ORVRUN_TYPE_TEXTS || type == ORVRUN_TYPE_BAND;
}

struct Procedure {
  int32_t index = -1;
  ORVRUN_PROC_INFO info{};
  std::vector<ORVRUN_PARAM_INFO> params;

  std::size_t slots() const {
    std::size_t n = 0;
    for (const auto& p : params) n += p.type != ORVRUN_TYPE_HANDLE;
    return n;
  }
  // Arguments up to the last one that may not be left out.
  std::size_t required() const {
    std::size_t n = 0;
    for (std::size_t i = 0; i < params.size(); ++i) {
      const auto& p = params[i];
      if (!p.optional && !p.by_ref && p.type != ORVRUN_TYPE_HANDLE) n = i + 1;
    }
    return n;
  }
};

Procedure procedure(int32_t index) {
  Procedure p;
  p.index = index;
  ORVRUN_PROC_INFO_GET(index, &p.info);
  p.params.resize(static_cast<std::size_t>(p.info.params));
  for (int32_t k = 0; k < p.info.params; ++k) ORVRUN_PARAM_INFO_GET(index, k, &p.params[k]);
  return p;
}

void list_procedures() {
  for (int32_t i = 0, n = ORVRUN_PROC_COUNT(); i < n; ++i) {
    Procedure p = procedure(i);
    std::printf("%s(", p.info.name);
    for (std::size_t k = 0; k < p.params.size(); ++k) {
      const auto& q = p.params[k];
      std::printf("%s%s%s: %s%s", k ? ", " : "", q.by_ref ? "&" : "", q.name, type_name(q.type),
                  q.optional ? " (optional)" : "");
    }
    std::printf(") -> %s  %s\n", type_name(p.info.result), p.info.summary);
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
  std::FILE* f = std::fopen(word.c_str() + 1, "rb");
  if (!f) {
    usage_error("call: cannot read the ui script \"" + word.substr(1) + "\"");
    return false;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
    o.script.append(buffer, n);
  std::fclose(f);
  o.script += "\n";
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

// The arguments of one call: texts converted to Windows-1250 and kept alive for the call.
struct Arguments {
  std::vector<ORVRUN_VALUE> values;
  std::vector<std::string> texts;
  std::vector<std::size_t> list_windows;  // parameters given as "@list"
  std::vector<int32_t> opened;            // the windows opened for them
};

// A record (GROUP), ten texts (TEXTS) or a list (LIST): JSON inline, or "@group:FILE",
// "@texts:FILE" / "@list:FILE.json".
std::optional<std::string> json_argument(const std::string& word, const char* prefix,
                                         std::string& error) {
  if (!word.starts_with(prefix)) return word;
  const std::string path = word.substr(std::string_view(prefix).size());
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot read \"" + path + "\"";
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
  std::fclose(f);
  return text;
}

// A report band is always a fresh one: "@band".
std::optional<std::string> band_argument(const std::string& word, std::string& error) {
  if (word == "@band") return word;
  error = "a report band is given as @band";
  return std::nullopt;
}

// One word as the parameter's type takes it, before the conversion to Windows-1250.
std::optional<std::string> word_for(const ORVRUN_PARAM_INFO& p, const std::string& word,
                                    std::string& error) {
  if (p.type == ORVRUN_TYPE_GROUP) return json_argument(word, "@group:", error);
  if (p.type == ORVRUN_TYPE_TEXTS) return json_argument(word, "@texts:", error);
  if (p.type == ORVRUN_TYPE_LIST) return json_argument(word, "@list:", error);
  if (p.type == ORVRUN_TYPE_BAND) return band_argument(word, error);
  return word;
}

std::optional<Arguments> arguments(const Procedure& p, const Words& words, std::size_t first) {
  Arguments a;
  a.values.resize(p.params.size());
  a.texts.reserve(p.params.size());
  std::size_t word = first;
  for (std::size_t i = 0; i < p.params.size() && word < words.size(); ++i) {
    if (p.params[i].type == ORVRUN_TYPE_HANDLE) continue;
    std::string error;
    const std::string what = "argument " + std::string(p.params[i].name);
    auto given = word_for(p.params[i], words[word], error);
    auto cp = given ? cp1250_of(*given, what, error) : std::nullopt;
    if (!cp) {
      std::string message = "call: " + std::string(p.info.name) + ": ";
      if (!given) message += what + ": ";
      usage_error(message + error);
      return std::nullopt;
    }
    if (p.params[i].type == ORVRUN_TYPE_WINDOW && *cp == "@list") a.list_windows.push_back(i);
    a.texts.push_back(std::move(*cp));
    a.values[i].given = 1;
    a.values[i].text = a.texts.back().c_str();
    ++word;
  }
  return a;
}

// "@list" for a window: a list window of the host's own, open while the procedure runs.
void open_list_windows(const Procedure& p, Arguments& a) {
  for (std::size_t i : a.list_windows) {
    int32_t handle = ORVRUN_LIST_WINDOW_OPEN(p.info.name);
    a.opened.push_back(handle);
    a.values[i].text = nullptr;
    a.values[i].number = handle;
  }
}

void close_list_windows(Arguments& a) {
  for (int32_t handle : a.opened) ORVRUN_LIST_WINDOW_CLOSE(handle);
  a.opened.clear();
}

std::string json_value(int32_t type, const ORVRUN_VALUE& v) {
  if (type == ORVRUN_TYPE_NONE || type == ORVRUN_TYPE_HANDLE) return "null";
  if (type == ORVRUN_TYPE_TEXT) return json_string(taken(ORVRUN_TO_UTF8(v.out ? v.out : "")));
  if (json_typed(type)) return taken(ORVRUN_TO_UTF8(v.out ? v.out : "null"));
  if (type == ORVRUN_TYPE_BOOL) return v.number != 0 ? "true" : "false";
  return json_number(v.number);
}

std::string shown(int32_t list, int32_t i, const char* field) {
  return utf8_of(ORVRUN_SHOWN_GET(list, i, field));
}
std::string shown_utf8(int32_t list, int32_t i, const char* field) {
  return taken(ORVRUN_SHOWN_GET(list, i, field));
}

std::string json_messages() {
  std::string out = "[";
  for (int32_t i = 0, n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_MESSAGES); i < n; ++i) {
    std::string kind = shown(ORVRUN_SHOWN_MESSAGES, i, "kind");
    if (i) out += ", ";
    out +=
        "{\"kind\": " + json_string(kind) +
        ", \"title\": " + json_string(shown(ORVRUN_SHOWN_MESSAGES, i, "title")) +
        ", \"text\": " + json_string(shown(ORVRUN_SHOWN_MESSAGES, i, "text")) + ", \"answer\": " +
        (kind == "error" ? "null" : json_string(shown(ORVRUN_SHOWN_MESSAGES, i, "answer"))) + "}";
  }
  return out + "]";
}

// The tips and icons a window's controls showed, when any did: , "marks": {id: {...}}.
std::string json_marks(int32_t window) {
  int marks = std::atoi(shown(ORVRUN_SHOWN_WINDOWS, window, "marks").c_str());
  if (marks == 0) return "";
  std::string out = ", \"marks\": {";
  for (int k = 0; k < marks; ++k) {
    auto field = [&](const char* name) {
      return shown(ORVRUN_SHOWN_WINDOWS, window, (name + std::to_string(k)).c_str());
    };
    out += (k ? ", " : "") + json_string(field("mark:")) +
           ": {\"tip\": " + json_string(field("tip:")) +
           ", \"icon\": " + json_string(field("icon:")) + "}";
  }
  return out + "}";
}

// Each window opened: its name, title and the final values of its controls.
std::string json_windows() {
  std::string out = "[";
  for (int32_t i = 0, n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_WINDOWS); i < n; ++i) {
    if (i) out += ", ";
    out += "{\"name\": " + json_string(shown(ORVRUN_SHOWN_WINDOWS, i, "name")) +
           ", \"title\": " + json_string(shown(ORVRUN_SHOWN_WINDOWS, i, "title")) +
           ", \"controls\": {";
    int controls = std::atoi(shown(ORVRUN_SHOWN_WINDOWS, i, "controls").c_str());
    for (int k = 0; k < controls; ++k) {
      std::string id = shown(ORVRUN_SHOWN_WINDOWS, i, ("id:" + std::to_string(k)).c_str());
      std::string value = shown(ORVRUN_SHOWN_WINDOWS, i, ("value:" + std::to_string(k)).c_str());
      out += (k ? ", " : "") + json_string(id) + ": " + json_string(value);
    }
    out += "}" + json_marks(i) + "}";
  }
  return out + "]";
}

// Files the procedure asked the desktop to open (recorded by the headless backend); only when
// there are some, so the output of every other call keeps its form.
std::string json_opened() {
  if (ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_OPENED) == 0) return {};
  std::string out = ", \"opened\": [";
  for (int32_t i = 0, n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_OPENED); i < n; ++i) {
    out += (i ? ", " : "") + json_string(shown(ORVRUN_SHOWN_OPENED, i, "path"));
  }
  return out + "]";
}

void print_json(const Procedure& p, const ORVRUN_VALUE& result, const Arguments& args) {
  std::string out = "{\"result\": " + json_value(p.info.result, result) + ", \"out\": {";
  bool first = true;
  for (std::size_t i = 0; i < p.params.size(); ++i) {
    if (!p.params[i].by_ref || !args.values[i].given) continue;
    out += (first ? "" : ", ") + json_string(p.params[i].name) + ": " +
           json_value(p.params[i].type, args.values[i]);
    first = false;
  }
  out += "}, \"messages\": " + json_messages() + ", \"windows\": " + json_windows() +
         json_opened() + "}";
  std::printf("%s\n", out.c_str());
}

void print_plain(int32_t type, const ORVRUN_VALUE& result) {
  if (type == ORVRUN_TYPE_NONE || type == ORVRUN_TYPE_HANDLE) return;
  if (type == ORVRUN_TYPE_TEXT || json_typed(type)) {
    std::printf("%s\n", taken(ORVRUN_TO_UTF8(result.out ? result.out : "")).c_str());
  } else {
    std::printf("%s\n", json_number(result.number).c_str());
  }
}

// A failure of the call itself: a usage error, or with --json also the JSON object saying so.
int call_failed(const Options& o, const std::string& message) {
  if (o.json) std::printf("{\"error\": %s}\n", json_string(message).c_str());
  return usage_error("call: " + message);
}

// Without --json the result alone goes to stdout; the SQL error windows and warnings the
// procedure showed go to stderr, so that a failure inside it never looks like success.
void print_problems() {
  for (int32_t i = 0, n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_MESSAGES); i < n; ++i) {
    std::string kind = shown(ORVRUN_SHOWN_MESSAGES, i, "kind");
    if (kind != "error" && kind != "warning") continue;
    std::fprintf(stderr, "orvrun: %s \"%s\": %s\n", kind == "error" ? "SQL error" : "warning",
                 shown(ORVRUN_SHOWN_MESSAGES, i, "title").c_str(),
                 shown(ORVRUN_SHOWN_MESSAGES, i, "text").c_str());
  }
}

// Script commands no window or box took: the script and the procedure did not agree.
void print_leftover() {
  int32_t n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_LEFTOVER);
  if (n == 0) return;
  std::string commands;
  for (int32_t i = 0; i < n; ++i) {
    commands += (i ? "; " : "") + shown_utf8(ORVRUN_SHOWN_LEFTOVER, i, "text");
  }
  std::fprintf(stderr,
               "orvrun: the ui script's commands were left over after the last window "
               "closed: %s\n",
               commands.c_str());
}

// Notes, left-over commands, the problems of plain mode and a failed script go to stderr.
int report(const Procedure& p, const Options& o, const ORVRUN_VALUE& result,
           const Arguments& args) {
  for (int32_t i = 0, n = ORVRUN_SHOWN_COUNT(ORVRUN_SHOWN_NOTES); i < n; ++i) {
    std::fprintf(stderr, "orvrun: %s\n", shown_utf8(ORVRUN_SHOWN_NOTES, i, "text").c_str());
  }
  print_leftover();
  if (!o.json) print_problems();
  std::string failure = taken(ORVRUN_SHOWN_FAILURE());
  if (!failure.empty()) {
    std::fprintf(stderr, "orvrun: ui script failed: %s\n", failure.c_str());
    return kExitFailed;
  }
  if (o.json) {
    print_json(p, result, args);
  } else {
    print_plain(p.info.result, result);
  }
  return kExitOk;
}

// Without a database the options still name the context the procedures see.
void set_context() {
  const HostOptions& h = host_options();
  if (h.user) ORVRUN_GLOBAL_SET("GLO:ID_UZYTKOWNIKA", *h.user);
  if (h.company) ORVRUN_GLOBAL_SET("GLO:ID_FIRMY", *h.company);
  if (h.warehouse) ORVRUN_GLOBAL_SET("GLO:ID_MAGAZYNU", *h.warehouse);
}

// As the host application after log-in: who is signed in and the tables every call expects.
// The options' identifiers must exist; the defaults stand in where the database lacks them.
bool sign_in(std::string& error) {
  const HostOptions& h = host_options();
  ORVRUN_GLOBAL_SET("GLO:ID_UZYTKOWNIKA", h.user.value_or(kDefaultUser));
  ORVRUN_GLOBAL_SET("GLO:ID_FIRMY", h.company.value_or(kDefaultCompany));
  ORVRUN_GLOBAL_SET("GLO:ID_MAGAZYNU", h.warehouse.value_or(kDefaultWarehouse));
  char* why = nullptr;
  const double* user = h.user ? &*h.user : nullptr;
  const double* company = h.company ? &*h.company : nullptr;
  const double* warehouse = h.warehouse ? &*h.warehouse : nullptr;
  if (ORVRUN_SIGN_IN(user, company, warehouse, &why)) return true;
  error = "cannot sign in: " + utf8_of(why);
  return false;
}

// The window backend: --ui, else $ORVRUN_UI, else by who is there (qt photographs windows).
bool choose_ui(const Options& o, std::string& error) {
  bool person =
      !o.json && !o.answered && !o.scripted && o.screenshots.empty() && isatty(STDIN_FILENO);
  std::string name = o.ui.empty() && !o.screenshots.empty() ? "qt" : o.ui;
  auto script = cp1250_of(o.script, "--ui-script", error);
  if (!script) return false;
  char* why = nullptr;
  if (!ORVRUN_UI_USE(name.c_str(), script->c_str(), person, o.screenshots.c_str(), &why)) {
    std::string reason = utf8_of(why);
    error = reason.starts_with("no window backend") ? reason : "--ui-script: " + reason;
    return false;
  }
  for (const auto& a : o.answers) {
    auto answer = cp1250_of(a, "--answer", error);
    if (!answer) return false;
    ORVRUN_UI_ANSWER(answer->c_str());
  }
  return true;
}

void release(ORVRUN_VALUE& result, Arguments& args) {
  ORVRUN_FREE(result.out);
  for (auto& v : args.values) {
    if (v.out) ORVRUN_FREE(v.out);
  }
}

int call(const Words& words);

}  // namespace

// The window backend and the database are let go in order before the process ends.
int cmd_call(const Words& words) {
  int status = call(words);
  ORVRUN_UI_DEFAULT();
  ORVRUN_CLOSE();
  return status;
}

namespace {

int call(const Words& words) {
  if (words.size() == 1 && words[0] == "--list") {
    list_procedures();
    return kExitOk;
  }
  auto options = parse_options(words);
  if (!options) return kExitUsage;
  if (options->name_at >= words.size()) return call_failed(*options, "no procedure named");
  const std::string& name = words[options->name_at];
  int32_t index = ORVRUN_PROC_FIND(name.c_str());
  if (index < 0) {
    return call_failed(*options, "unknown procedure \"" + name + "\"; see orvrun call --list");
  }
  Procedure p = procedure(index);
  std::size_t given = words.size() - options->name_at - 1;
  if (given < p.required() || given > p.slots()) {
    return call_failed(*options,
                       std::string(p.info.name) + " takes " + std::to_string(p.required()) +
                           (p.required() == p.slots() ? "" : " to " + std::to_string(p.slots())) +
                           " arguments, " + std::to_string(given) + " given");
  }
  auto args = arguments(p, words, options->name_at + 1);
  if (!args) return kExitUsage;

  std::string error;
  bool opened = false;
  if (!open_database(/*required=*/false, opened, error)) return call_failed(*options, error);
  if (!opened) set_context();
  if (opened && !sign_in(error)) return call_failed(*options, error);
  if (!choose_ui(*options, error)) return call_failed(*options, error);

  ORVRUN_VALUE result{};
  char* why = nullptr;
  open_list_windows(p, *args);
  const bool called = ORVRUN_CALL(p.index, args->values.data(),
                                  static_cast<int32_t>(args->values.size()), &result, &why);
  close_list_windows(*args);
  if (!called) return call_failed(*options, std::string(p.info.name) + ": " + utf8_of(why));
  // The user leaves: what the call changed is kept.
  if (opened && !ORVRUN_SIGN_OUT(&why)) {
    std::fprintf(stderr, "orvrun: %s\n", utf8_of(why).c_str());
  }
  int status = report(p, *options, result, *args);
  release(result, *args);
  return status;
}

}  // namespace
}  // namespace orv::cli
