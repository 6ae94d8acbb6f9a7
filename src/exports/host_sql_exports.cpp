// C entry points of the host interface: the windows as designed and a host's own statements.
#include <string>

#include "boundary.hpp"
#include "frame/blob_channel.hpp"
#include "host/sql_run.hpp"
#include "host_result.hpp"
#include "orvrun_host.h"
#include "platform/ui/registry.hpp"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::succeeded;

namespace {

orv::host::SqlOutcome& last_outcome() {
  static orv::host::SqlOutcome out;
  return out;
}

std::string window_field(const orv::ui::WindowDefinition& d, const orv::ui::Window& w,
                         std::string_view field) {
  if (field == "procedure") return d.procedure;
  if (field == "name") return d.name;
  if (field == "title") return w.title;
  if (field == "controls") return std::to_string(w.controls().size());
  if (field == "timer") return std::to_string(w.timer);
  if (field == "alert_keys") return std::to_string(w.alert_keys.size());
  if (!field.starts_with("alert:")) return {};
  std::size_t k = std::strtoul(std::string(field.substr(6)).c_str(), nullptr, 10);
  return k < w.alert_keys.size() ? w.alert_keys[k] : "";
}

std::string control_field(const orv::ui::Control& c, std::string_view field) {
  if (field == "number") return std::to_string(c.number);
  if (field == "id") return c.id;
  if (field == "kind") return orv::ui::kind_name(c.kind);
  if (field == "text") return c.caption.empty() ? c.prompt : c.caption;
  if (field == "key") return c.key;
  if (field == "hidden") return c.hidden ? "1" : "0";
  if (field == "range" && c.kind == orv::ui::ControlKind::Slider) {
    return std::to_string(c.low) + ".." + std::to_string(c.high);
  }
  return {};
}

std::string definition_field(int32_t window, int32_t control, std::string_view field) {
  auto all = orv::ui::window_definitions();
  if (window < 0 || static_cast<std::size_t>(window) >= all.size()) return {};
  const auto& d = all[static_cast<std::size_t>(window)];
  orv::ui::Window w = d.build();
  if (control < 0) return window_field(d, w, field);
  if (static_cast<std::size_t>(control) >= w.controls().size()) return {};
  return control_field(w.controls()[static_cast<std::size_t>(control)], field);
}

}  // namespace

extern "C" {

int32_t ORVRUN_WINDOW_DEF_COUNT(void) noexcept {
  return guard(__func__, int32_t{0},
               [] { return static_cast<int32_t>(orv::ui::window_definitions().size()); });
}

int32_t ORVRUN_WINDOW_DEF_FIND(const char* name) noexcept {
  return guard(__func__, int32_t{-1}, [&] {
    const auto* d = orv::ui::find_window_definition(std::string(in(name)));
    if (!d) return int32_t{-1};
    auto all = orv::ui::window_definitions();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (all[i].name == d->name && all[i].procedure == d->procedure) {
        return static_cast<int32_t>(i);
      }
    }
    return int32_t{-1};
  });
}

char* ORVRUN_WINDOW_DEF_GET(int32_t window, int32_t control, const char* field) noexcept {
  return guard_text(__func__,
                    [&] { return give_text(definition_field(window, control, in(field))); });
}

uint8_t ORVRUN_BLOB_GET(const char* table, const char* column, const char* key_column, int64_t key,
                        ORVRUN_BLOB* out, uint8_t* is_null, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    orv::sql::Blob value;
    std::string why;
    orv::sql::BlobCell cell{std::string(in(table)), std::string(in(column)),
                            std::string(in(key_column)), key};
    bool ok = orv::frame::read_blob(cell, value, why) == 0;
    if (ok && out) {
      ORVRUN_BLOB_FREE(out);
      orv::exports::give_blob(out, value.bytes.data(), value.size());
    }
    if (ok && is_null) *is_null = value.null ? 1 : 0;
    return succeeded(ok, why, error);
  });
}

uint8_t ORVRUN_BLOB_PUT(const char* table, const char* column, const char* key_column, int64_t key,
                        const unsigned char* data, size_t size, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    orv::sql::BlobCell cell{std::string(in(table)), std::string(in(column)),
                            std::string(in(key_column)), key};
    std::span<const unsigned char> bytes(data, data ? size : 0);
    bool ok = orv::frame::write_blob(cell, bytes, why) == 0;
    return succeeded(ok, why, error);
  });
}

uint8_t ORVRUN_SQL_RUN(const char* channel, const char* statement) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    auto out = orv::host::run_sql(in(channel), in(statement));
    if (!out) return uint8_t{0};
    last_outcome() = std::move(*out);
    return uint8_t{1};
  });
}

int32_t ORVRUN_SQL_ERRORCODE(void) noexcept {
  return last_outcome().code;
}

char* ORVRUN_SQL_ERROR(void) noexcept {
  return guard_text(__func__, [] { return give_text(last_outcome().message); });
}

int32_t ORVRUN_SQL_ROWS(void) noexcept {
  return static_cast<int32_t>(last_outcome().rows.size());
}

int32_t ORVRUN_SQL_COLUMNS(int32_t row) noexcept {
  const auto& rows = last_outcome().rows;
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return 0;
  return static_cast<int32_t>(rows[static_cast<std::size_t>(row)].size());
}

char* ORVRUN_SQL_FIELD(int32_t row, int32_t column) noexcept {
  return guard_text(__func__, [&] {
    const auto& rows = last_outcome().rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return give_text("");
    const auto& r = rows[static_cast<std::size_t>(row)];
    if (column < 0 || static_cast<std::size_t>(column) >= r.size()) return give_text("");
    return give_text(r[static_cast<std::size_t>(column)]);
  });
}

uint8_t ORVRUN_SQL_IS_NULL(int32_t row, int32_t column) noexcept {
  const auto& nulls = last_outcome().nulls;
  if (row < 0 || static_cast<std::size_t>(row) >= nulls.size()) return 0;
  const auto& r = nulls[static_cast<std::size_t>(row)];
  return column >= 0 && static_cast<std::size_t>(column) < r.size() &&
         r[static_cast<std::size_t>(column)];
}

int32_t ORVRUN_SQL_CUT(void) noexcept {
  return static_cast<int32_t>(last_outcome().cut);
}

int32_t ORVRUN_SQL_MORE_SETS(void) noexcept {
  return static_cast<int32_t>(last_outcome().sets.size());
}

int32_t ORVRUN_SQL_SET_START(int32_t set) noexcept {
  const auto& sets = last_outcome().sets;
  if (set < 0 || static_cast<std::size_t>(set) >= sets.size()) return -1;
  return static_cast<int32_t>(sets[static_cast<std::size_t>(set)]);
}

}  // extern "C"
