// Open-window and open-object registries: shared in-memory tables, no lock, no database.
#include "lists/window_registry.hpp"

#include <tuple>

#include "platform/dict/context.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {
namespace {

constexpr std::size_t kWindowName = 20;
constexpr std::size_t kObjectName = 254;
constexpr std::size_t kQualifier = 99;

// A text as a fixed field of `width` characters holds it, trailing blanks dropped.
std::string_view as_stored(std::string_view s, std::size_t width) {
  return text::clip(s.substr(0, width));
}

dict::OknoRow* find_window(std::string_view key) {
  return dict::glo().tables.OKNAQ.find([&](const dict::OknoRow& r) { return r.name == key; });
}

struct ObjectKey {
  std::string_view name;
  std::string_view qualifier;
};

ObjectKey object_key(std::string_view name, std::string_view qualifier) {
  return {as_stored(name, kObjectName), as_stored(qualifier, kQualifier)};
}

std::size_t find_object(const ObjectKey& key) {
  auto& q = dict::glo().tables.KOLEJKAOTWARTYCHOKIEN;
  auto* row = q.find([&](const dict::OtwarteOknoRow& r) {
    return as_stored(r.name, kObjectName) == key.name &&
           as_stored(r.qualifier, kQualifier) == key.qualifier;
  });
  return row ? q.pointer() : 0;
}

}  // namespace

std::string window_key(std::string_view name) {
  return std::string(as_stored(text::upper(text::clip(name)), kWindowName));
}

uint8_t DODAJOKNO(std::string_view name) {
  std::string key = window_key(name);
  if (find_window(key)) return 0;
  dict::glo().tables.OKNAQ.add_sorted(
      dict::OknoRow{0, std::move(key)},
      [](const dict::OknoRow& a, const dict::OknoRow& b) { return a.name < b.name; });
  return 1;
}

void SKASUJOKNO(std::string_view name) {
  auto& glo = dict::glo();
  if (const auto* row = find_window(window_key(name))) {
    if (row->name == "ADMCTRL") glo.MODULKONTROLIAKTYWNY = 0;
    if (glo.ASYSTENTGRUPA == row->value) glo.ASYSTENTGRUPA = 0;
    glo.tables.OKNAQ.erase(glo.tables.OKNAQ.pointer());
  }
  glo.BRWOPENING = 0;
}

int32_t WEZOKNO(std::string_view name) {
  const auto* row = find_window(window_key(name));
  return row ? row->value : 0;
}

bool set_window_value(std::string_view name, int32_t value) {
  auto* row = find_window(window_key(name));
  if (!row) return false;
  row->value = value;
  return true;
}

void ADDKOO(std::string_view name, std::string_view qualifier) {
  const ObjectKey key = object_key(name, qualifier);
  if (find_object(key)) return;
  dict::glo().tables.KOLEJKAOTWARTYCHOKIEN.add_sorted(
      dict::OtwarteOknoRow{std::string(key.name), std::string(key.qualifier)},
      [](const dict::OtwarteOknoRow& a, const dict::OtwarteOknoRow& b) {
        return std::tie(a.name, a.qualifier) < std::tie(b.name, b.qualifier);
      });
}

void DELKOO(std::string_view name, std::string_view qualifier) {
  if (std::size_t at = find_object(object_key(name, qualifier))) {
    dict::glo().tables.KOLEJKAOTWARTYCHOKIEN.erase(at);
  }
}

uint8_t ISKOO(std::string_view name, std::string_view qualifier) {
  return find_object(object_key(name, qualifier)) ? 1 : 0;
}

void FREEKOO() {
  dict::glo().tables.KOLEJKAOTWARTYCHOKIEN.clear();
}

}  // namespace orv::lists
