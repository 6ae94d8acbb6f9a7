// C entry points of the records and report bands hosts pass by reference.
#include <new>
#include <string>

#include "boundary.hpp"
#include "handles.hpp"
#include "platform/dict/group_json.hpp"
#include "platform/text/json.hpp"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;

namespace {

orv::dict::Field* field_at(const ORVRUN_GROUP* g, int32_t field) {
  if (!g || field < 1 || static_cast<std::size_t>(field) > g->group.size()) return nullptr;
  return &const_cast<ORVRUN_GROUP*>(g)->group.at(static_cast<std::size_t>(field - 1));
}

// One value through the JSON reader, so a value set here is checked as a JSON one is.
bool set_value(orv::dict::Field& f, std::size_t index, std::string_view value) {
  orv::dict::Group one;
  std::string why;
  const std::string json = "[{\"name\": \"F\", \"type\": \"" +
                           std::string(orv::dict::field_kind_name(f.kind)) +
                           "\", \"size\": " + std::to_string(f.size) +
                           ", \"value\": " + orv::text::json_quote(value) + "}]";
  auto g = orv::dict::group_from_json(json, why);
  if (!g) return false;
  f.values[index] = g->at(0).values[0];
  return true;
}

const orv::reports::BandText* band_text(const ORVRUN_BAND* b, int32_t k) {
  if (!b || k < 1 || static_cast<std::size_t>(k) > b->band.texts.size()) return nullptr;
  return &b->band.texts[static_cast<std::size_t>(k - 1)];
}

}  // namespace

extern "C" {

ORVRUN_GROUP* ORVRUN_GROUP_NEW(void) noexcept {
  ORVRUN_GROUP* g = nullptr;
  guard(__func__, [&] { g = new (std::nothrow) ORVRUN_GROUP(); });
  return g;
}

void ORVRUN_GROUP_FREE(ORVRUN_GROUP* group) noexcept {
  delete group;
}

int32_t ORVRUN_GROUP_ADD(ORVRUN_GROUP* group, const char* name, int32_t type, uint32_t size,
                         uint32_t dimension) noexcept {
  return guard(__func__, int32_t{0}, [&] {
    if (!group || type < ORVRUN_FIELD_STRING || type > ORVRUN_FIELD_TIME) return int32_t{0};
    group->group.add(std::string(in(name)), static_cast<orv::dict::FieldKind>(type), size,
                     dimension);
    return static_cast<int32_t>(group->group.size());
  });
}

int32_t ORVRUN_GROUP_FIELDS(const ORVRUN_GROUP* group) noexcept {
  return group ? static_cast<int32_t>(group->group.size()) : 0;
}

char* ORVRUN_GROUP_NAME(const ORVRUN_GROUP* group, int32_t field) noexcept {
  return guard_text(__func__, [&] {
    const auto* f = field_at(group, field);
    return f ? f->name : std::string();
  });
}

uint8_t ORVRUN_GROUP_SET(ORVRUN_GROUP* group, int32_t field, int32_t index,
                         const char* value) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto* f = field_at(group, field);
    if (!f || index < 1 || static_cast<std::size_t>(index) > f->values.size()) return uint8_t{0};
    return uint8_t{set_value(*f, static_cast<std::size_t>(index - 1), in(value))};
  });
}

char* ORVRUN_GROUP_GET(const ORVRUN_GROUP* group, int32_t field, int32_t index) noexcept {
  return guard_text(__func__, [&] {
    const auto* f = field_at(group, field);
    if (!f || index < 1 || static_cast<std::size_t>(index) > f->values.size()) return std::string();
    return f->values[static_cast<std::size_t>(index - 1)];
  });
}

ORVRUN_GROUP* ORVRUN_GROUP_FROM_JSON(const char* json, char** error) noexcept {
  ORVRUN_GROUP* out = nullptr;
  guard(__func__, [&] {
    std::string why;
    auto g = orv::dict::group_from_json(in(json), why);
    if (error) *error = g ? nullptr : give_text(why);
    if (g) out = new (std::nothrow) ORVRUN_GROUP{std::move(*g)};
  });
  return out;
}

char* ORVRUN_GROUP_TO_JSON(const ORVRUN_GROUP* group) noexcept {
  return guard_text(
      __func__, [&] { return group ? orv::dict::group_to_json(group->group) : std::string("[]"); });
}

ORVRUN_BAND* ORVRUN_BAND_NEW(void) noexcept {
  ORVRUN_BAND* b = nullptr;
  guard(__func__, [&] { b = new (std::nothrow) ORVRUN_BAND(); });
  return b;
}

void ORVRUN_BAND_FREE(ORVRUN_BAND* band) noexcept {
  delete band;
}

int32_t ORVRUN_BAND_COUNT(const ORVRUN_BAND* band) noexcept {
  return band ? static_cast<int32_t>(band->band.texts.size()) : 0;
}

char* ORVRUN_BAND_GET(const ORVRUN_BAND* band, int32_t k, const char* field) noexcept {
  return guard_text(__func__, [&] {
    const auto* t = band_text(band, k);
    const std::string_view f = in(field);
    if (!t) return std::string();
    if (f == "number") return std::to_string(t->number);
    if (f == "x") return std::to_string(t->x);
    if (f == "y") return std::to_string(t->y);
    return f == "text" ? t->text : std::string();
  });
}

char* ORVRUN_BAND_TO_JSON(const ORVRUN_BAND* band) noexcept {
  return guard_text(
      __func__, [&] { return band ? orv::reports::band_to_json(band->band) : std::string("[]"); });
}

}  // extern "C"
