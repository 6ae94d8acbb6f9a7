// C entry points of the host interface: lifecycle with C callbacks, database, context, sign-in.
#include <cstring>
#include <memory>
#include <string>

#include "boundary.hpp"
#include "frame/lifecycle.hpp"
#include "host/globals.hpp"
#include "host/session.hpp"
#include "host/tables.hpp"
#include "host_result.hpp"
#include "orvrun_host.h"
#include "table.hpp"

using orv::exports::give_text;
using orv::exports::guard;
using orv::exports::guard_text;
using orv::exports::in;
using orv::exports::succeeded;

namespace {

// The host's INI file through its callbacks.
class CallbackIni : public orv::ini::IniFile {
 public:
  explicit CallbackIni(const ORVRUN_HOST_CALLBACKS& c) : c_(c) {}
  std::string get(std::string_view section, std::string_view key,
                  std::string_view fallback) const override {
    std::string value(1024, '\0');
    if (!c_.ini_get(c_.user, std::string(section).c_str(), std::string(key).c_str(), value.data(),
                    value.size())) {
      return std::string(fallback);
    }
    value.resize(std::strlen(value.c_str()));
    return value;
  }
  bool put(std::string_view section, std::string_view key, std::string_view value) override {
    c_.ini_set(c_.user, std::string(section).c_str(), std::string(key).c_str(),
               std::string(value).c_str());
    return true;
  }

 private:
  ORVRUN_HOST_CALLBACKS c_;
};

// The host's error handler through its callback.
class CallbackErrors : public orv::frame::ErrorHandler {
 public:
  explicit CallbackErrors(const ORVRUN_HOST_CALLBACKS& c) : c_(c) {}
  void report(std::string_view procedure, std::string_view message) override {
    ErrorHandler::report(procedure, message);
    c_.error(c_.user, std::string(procedure).c_str(), std::string(message).c_str());
  }

 private:
  ORVRUN_HOST_CALLBACKS c_;
};

std::unique_ptr<orv::frame::ErrorHandler>& host_errors() {
  static std::unique_ptr<orv::frame::ErrorHandler> errors;
  return errors;
}

std::unique_ptr<orv::ini::IniFile>& host_ini() {
  static std::unique_ptr<orv::ini::IniFile> ini;
  return ini;
}

std::optional<double> maybe(const double* v) {
  return v ? std::optional(*v) : std::nullopt;
}

}  // namespace

extern "C" {

void ORVRUN_HOST_INIT(const ORVRUN_HOST_CALLBACKS* c) noexcept {
  guard(__func__, [&] {
    auto& ini = host_ini();
    auto& errors = host_errors();
    if (c && c->error) errors = std::make_unique<CallbackErrors>(*c);
    if (c && c->ini_get && c->ini_set) {
      ini = std::make_unique<CallbackIni>(*c);
    } else if (c && c->ini_path) {
      ini = std::make_unique<orv::ini::IniFile>(c->ini_path);
    }
    orv::frame::ORVRUN_INIT(errors.get(), ini.get());
  });
}

uint8_t ORVRUN_OPEN(const char* target, uint32_t flags, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    auto kind = flags & ORVRUN_OPEN_ODBC ? orv::host::Target::Odbc : orv::host::Target::Sqlite;
    return succeeded(orv::host::open_database(in(target), kind, why), why, error);
  });
}

void ORVRUN_CLOSE(void) noexcept {
  guard(__func__, [] { orv::host::close_database(); });
}

uint8_t ORVRUN_CREATE(const char* path, uint8_t demo, uint8_t force, char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    return succeeded(orv::host::create_database(std::string(in(path)), demo, force, why), why,
                     error);
  });
}

int32_t ORVRUN_GLOBAL_TYPE(const char* name) noexcept {
  return guard(__func__, int32_t{0},
               [&] { return static_cast<int32_t>(orv::host::global_type(in(name))); });
}

double ORVRUN_GLOBAL_GET(const char* name) noexcept {
  return guard(__func__, 0.0, [&] { return orv::host::global_number(in(name)).value_or(0); });
}

char* ORVRUN_GLOBAL_GET_TEXT(const char* name) noexcept {
  return guard_text(__func__,
                    [&] { return give_text(orv::host::global_text(in(name)).value_or("")); });
}

uint8_t ORVRUN_GLOBAL_SET(const char* name, double value) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return uint8_t{orv::host::set_global_number(in(name), value)}; });
}

uint8_t ORVRUN_GLOBAL_SET_TEXT(const char* name, const char* value) noexcept {
  return guard(__func__, uint8_t{0},
               [&] { return uint8_t{orv::host::set_global_text(in(name), in(value))}; });
}

char* ORVRUN_GLOBAL_NAME(int32_t index) noexcept {
  return guard_text(__func__, [&] {
    return give_text(index < 0 ? "" : orv::host::global_name(static_cast<std::size_t>(index)));
  });
}

int32_t ORVRUN_TABLE_ROWS(const char* table) noexcept {
  return guard(__func__, int32_t{-1}, [&] {
    auto n = orv::host::table_rows(in(table));
    return n ? static_cast<int32_t>(*n) : -1;
  });
}

uint8_t ORVRUN_TABLE_CLEAR(const char* table) noexcept {
  return guard(__func__, uint8_t{0}, [&] { return uint8_t{orv::host::clear_table(in(table))}; });
}

int32_t ORVRUN_TABLE_ADD(const char* table) noexcept {
  return guard(__func__, int32_t{0},
               [&] { return static_cast<int32_t>(orv::host::add_table_row(in(table))); });
}

uint8_t ORVRUN_TABLE_DELETE(const char* table, int32_t row) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return uint8_t{row > 0 && orv::host::delete_table_row(in(table), static_cast<size_t>(row))};
  });
}

uint8_t ORVRUN_TABLE_SET(const char* table, int32_t row, const char* field,
                         const char* value) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    return uint8_t{row > 0 && orv::host::set_table_field(in(table), static_cast<size_t>(row),
                                                         in(field), in(value))};
  });
}

char* ORVRUN_TABLE_GET(const char* table, int32_t row, const char* field) noexcept {
  return guard_text(__func__, [&] {
    auto v = row > 0 ? orv::host::table_field(in(table), static_cast<size_t>(row), in(field))
                     : std::nullopt;
    return give_text(v.value_or(""));
  });
}

char* ORVRUN_TABLE_NAME(int32_t index) noexcept {
  return guard_text(__func__, [&] {
    return give_text(index < 0 ? "" : orv::host::table_name(static_cast<std::size_t>(index)));
  });
}

char* ORVRUN_TABLE_FIELD(const char* table, int32_t index) noexcept {
  return guard_text(__func__, [&] {
    return give_text(
        index < 0 ? "" : orv::host::table_field_name(in(table), static_cast<std::size_t>(index)));
  });
}

uint8_t ORVRUN_SIGN_IN(const double* user, const double* company, const double* warehouse,
                       char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    bool ok = orv::host::sign_in({maybe(user), maybe(company), maybe(warehouse)}, why);
    return succeeded(ok, why, error);
  });
}

uint8_t ORVRUN_SIGN_OUT(char** error) noexcept {
  return guard(__func__, uint8_t{0}, [&] {
    std::string why;
    return succeeded(orv::host::sign_out(why), why, error);
  });
}

}  // extern "C"
