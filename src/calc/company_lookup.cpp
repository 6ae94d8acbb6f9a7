// PODAJDANEGUS and the register search window the utility library shows through its hook.
#include "calc/company_lookup.hpp"

#include <algorithm>
#include <cctype>
#include <exception>
#include <optional>

#include "calc/utility_library.hpp"
#include "frame/messages.hpp"
#include "frame/window_conventions.hpp"
#include "platform/dict/context.hpp"
#include "platform/dynlib/utility_abi.h"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"
#include "platform/ui/registry.hpp"
#include "platform/ui/window.hpp"
#include "platform/xml/group_xml.hpp"

namespace orv::calc {
namespace {

using ui::ControlKind;

constexpr std::size_t kCompanyKeep = 79999;
constexpr const char* kNoInternet =
    "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu."_w1250;
constexpr const char* kMissing =
    "Wystąpił błąd podczas uruchamiania funkcji importu danych z GUS."_w1250;

enum : int { kNumber = 1, kSearch, kFound, kChoose, kCancel };
constexpr int kColumns = 5;

ui::Window search_window() {
  ui::Window w("PobierzGUS", "Dane podmiotu z rejestru REGON");
  w.rect = {0, 0, 420, 220};
  w.add(ControlKind::Entry, kNumber, "NUMER", "NIP/REGON");
  w.add(ControlKind::Button, kSearch, "SZUKAJ", "Szukaj");
  ui::Control& list = w.add(ControlKind::List, kFound, "PODMIOTY", "Znalezione podmioty");
  list.columns = {
      {"NIP", 60}, {"REGON", 60}, {"Nazwa", 150}, {"Miejscowość"_w1250, 70}, {"Ulica", 80}};
  w.add(ControlKind::Button, kChoose, "WYBIERZ", "Wybierz").key = "F10";
  w.add(ControlKind::Button, kCancel, "ANULUJ", "Anuluj").key = "Esc";
  return w;
}

const ui::WindowRegistrar kSearchWindow("PobierzGUS", "PODAJDANEGUS", &search_window);

void show_found(ui::Window& w, const TorixGusSearch& api, int count) {
  ui::Control& list = w.at(kFound);
  list.rows.clear();
  for (int i = 0; i < count; ++i) {
    std::vector<std::string> row;
    row.reserve(kColumns);
    for (int f = 0; f < kColumns; ++f) row.emplace_back(api.company(api.library_data, i, f));
    list.rows.push_back(std::move(row));
  }
  list.selected = count > 0 ? 1 : 0;
  w.display();
}

void search(ui::Window& w, const TorixGusSearch& api) {
  int count = api.search(api.library_data, w.at(kNumber).value.c_str());
  if (count <= 0) frame::MSG_OSTRZEZENIE(api.message(api.library_data));
  show_found(w, api, count < 0 ? 0 : count);
}

void run_search_window(const TorixGusSearch& api) {
  ui::Window w = search_window();
  frame::open_window(w);
  for (;;) {
    ui::Event e = w.accept();
    if (e.kind == ui::EventKind::CloseWindow || e.accepted(kCancel)) break;
    if (e.accepted(kSearch)) search(w, api);
    if ((e.accepted(kChoose) || e.accepted(kFound)) && w.at(kFound).selected > 0) {
      api.choose(api.library_data, w.at(kFound).selected - 1);
      break;
    }
  }
  w.close();
}

// The window runs inside the library's call: a failure (a script that cannot go on) is kept and
// raised again once the library has returned, never thrown through its frames.
struct HostData {
  std::exception_ptr failure;
};

void show_search_window(void* host, const TorixGusSearch* api) {
  auto* h = static_cast<HostData*>(host);
  try {
    if (api) run_search_window(*api);
  } catch (...) {
    h->failure = std::current_exception();
  }
}

void replace_all(std::string& s, std::string_view from, std::string_view to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
}

template <class Pred>
bool all_of(std::string_view s, Pred pred) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [&](char c) {
    return pred(static_cast<unsigned char>(c)) != 0;
  });
}

// "&name;", "&#123;" or "&#x1F;" at `at`.
bool starts_reference(std::string_view s, std::size_t at) {
  std::size_t end = s.find(';', at + 1);
  if (end == std::string_view::npos || end - at > 12) return false;
  std::string_view name = s.substr(at + 1, end - at - 1);
  if (name.starts_with("#x") || name.starts_with("#X")) {
    return all_of(name.substr(2), [](int c) { return std::isxdigit(c); });
  }
  if (name.starts_with("#")) return all_of(name.substr(1), [](int c) { return std::isdigit(c); });
  return all_of(name, [](int c) { return std::isalnum(c); });
}

}  // namespace

std::string cleaned_company_xml(std::string_view xml) {
  std::string s(xml);
  replace_all(s, "&#046;", ".");
  replace_all(s, "&#045;", "-");
  replace_all(s, "&#044;", ",");
  replace_all(s, "&#041;", ")");
  replace_all(s, "&quot;", "\"");
  replace_all(s, "'", "`");
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] == '&' && !starts_reference(s, i)) out += "amp;";
  }
  return out;
}

uint8_t PODAJDANEGUS(dict::Group& record) {
  if (dict::glo().ISINTERNETCONNECTION == 0) {
    frame::MSG_OSTRZEZENIE(kNoInternet);
    return 0;
  }
  UtilityLibrary lib;
  if (!lib.loaded()) return 0;
  if (!lib.find("PobierzGUSokno")) {
    frame::MSG_OSTRZEZENIE(kMissing);
    return 0;
  }
  HostData host;
  if (auto set = reinterpret_cast<TorixSetGusWindow>(lib.find("UstawOknoGUS"))) {
    set(&show_search_window, &host);
  }
  lib.call("PobierzGUSokno");
  if (host.failure) std::rethrow_exception(host.failure);
  std::optional<std::string> answer = lib.text("PobierzGUSwartosc", kCompanyKeep);
  if (!answer) {
    frame::MSG_OSTRZEZENIE(kMissing);
    return 0;
  }
  std::string xml = cleaned_company_xml(*answer);
  if (text::trim(xml).empty()) return 0;
  std::string error;
  if (!xml::xml_to_group(xml, record, xml::Matching::Positional, error)) {
    frame::MSG_OSTRZEZENIE("Błąd ładowania definicji XML!"_w1250);
    return 0;
  }
  return 1;
}

}  // namespace orv::calc
