// Bringing the module up and down: its own and the current error and INI handlers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/ini.hpp"

namespace orv::frame {

// The error-handling object: the procedure name windows set while open, and the tables whose
// errors it reports. Its status is kept per thread.
class ErrorHandler {
 public:
  virtual ~ErrorHandler() = default;
  void set_procedure(std::string name);
  std::string procedure() const;  // of the calling thread
  void attach(std::string table) { attached_.push_back(std::move(table)); }
  const std::vector<std::string>& attached() const { return attached_; }

  // An exported procedure stopped by a failure nobody inside handled; it returned its fallback
  // result. A host's handler may show or log it; this one keeps it for the calling thread.
  virtual void report(std::string_view procedure, std::string_view message);
  // The calling thread's last report, "PROCEDURE: message", empty when none.
  std::string last_report() const;

 private:
  std::vector<std::string> attached_;
};

// The 57 tables whose file managers report through the current error handler.
const std::vector<std::string>& attached_tables();

ErrorHandler& current_error_handler();
ini::IniFile& current_ini();
ErrorHandler& own_error_handler();
ini::IniFile& own_ini();

// ORVRUN:INIT: the first call installs the host's handlers (null keeps the module's own),
// attaches the error handler and initialises the data-dictionary layer; later calls do nothing.
void ORVRUN_INIT(ErrorHandler* error_handler, ini::IniFile* ini_handler);
// ORVRUN:KILL: the first call shuts the data-dictionary layer down; later calls do nothing.
void ORVRUN_KILL();

// What the data-dictionary layer saw of the lifecycle (for hosts and tests).
struct DictionaryState {
  int inits = 0;
  int kills = 0;
  ErrorHandler* init_error_handler = nullptr;
  ini::IniFile* init_ini = nullptr;
};
const DictionaryState& dictionary_state();

// Back to a freshly loaded module: handlers are the module's own, nothing initialised.
// The own INI handler is reopened on GLO:PATH_INI.
void reset_module();

}  // namespace orv::frame
