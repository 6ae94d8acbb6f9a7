// Module load, ORVRUN:INIT and ORVRUN:KILL.
#include "frame/lifecycle.hpp"

#include <atomic>
#include <memory>

#include "platform/dict/context.hpp"

namespace orv::frame {
namespace {

thread_local std::string t_procedure;
thread_local std::string t_report;

struct Module {
  ErrorHandler own_error;
  std::unique_ptr<ini::IniFile> own_ini = std::make_unique<ini::IniFile>(dict::glo().PATH_INI);
  std::atomic<ErrorHandler*> error{nullptr};
  std::atomic<ini::IniFile*> ini{nullptr};
  std::atomic<bool> initialised{false};
  std::atomic<bool> killed{false};
  DictionaryState dictionary;
};

Module& module() {
  static Module m;
  return m;
}

}  // namespace

void ErrorHandler::set_procedure(std::string name) {
  t_procedure = std::move(name);
}
std::string ErrorHandler::procedure() const {
  return t_procedure;
}

void ErrorHandler::report(std::string_view procedure, std::string_view message) {
  t_report.assign(procedure).append(": ").append(message);
}
std::string ErrorHandler::last_report() const {
  return t_report;
}

const std::vector<std::string>& attached_tables() {
  static const std::vector<std::string> kTables = {"ARTYKUL_BLOB",
                                                   "ARTYKUL_BLOB_UPD",
                                                   "ARTYKUL_IMP",
                                                   "DOKUMENT_FINANSOWY",
                                                   "DOKUMENT_HANDLOWY",
                                                   "ECR",
                                                   "FIRMA",
                                                   "GRUPA_KONTRAHENTA",
                                                   "GRUPAUZYTKOWNIKOW",
                                                   "INTER_FIN_ROZRACH",
                                                   "INTERFIRMAPOZYCJA",
                                                   "INTERMAGAZYNGRUPA",
                                                   "INTERUZYTKOWNIKPOZYCJA",
                                                   "KLASYFIKATOR_GRUPA",
                                                   "KLASYFIKATOR_POLE",
                                                   "KLASYFIKATOR_SLOWNIK",
                                                   "KLASYFIKATOR_SLOWNIK_WAR",
                                                   "KONTRAHENT",
                                                   "KOREKTA_DOK_HANDL_V",
                                                   "KOSZT_DOK_HANDL",
                                                   "LOG_WYKONANIA",
                                                   "MAGAZYN",
                                                   "MAGAZYN1",
                                                   "ORV_DEFINICJA_FILTRA",
                                                   "ORV_DEFINICJA_FILTRA3",
                                                   "ORV_FILTR_UZYTKOWNIKA",
                                                   "ORV_FILTR_UZYTKOWNIKA3",
                                                   "ORV_LISTA_OBIEKTOW",
                                                   "ORV_PROFILE_USTAWIEN",
                                                   "ORV_UZYTKOWNIK_FILTROW",
                                                   "ORV_UZYTKOWNIK_LISTY_OBIEKTOW",
                                                   "MC_DEF_NAG",
                                                   "MC_DEF_POLA",
                                                   "MC_DEF_POZ",
                                                   "NAGLOWEKKONFIG",
                                                   "OPIS_DOK_POZ_FIN",
                                                   "PLIK_BLOB",
                                                   "POZYCJAKONFIG",
                                                   "RAPORT",
                                                   "RAPORT_KAS_BANK",
                                                   "TEST_POLACZENIA",
                                                   "TYP_DOKUMENTU_FINANSOWEGO",
                                                   "TYP_DOKUMENTU_HANDLOWEGO",
                                                   "UZYTKOWNIK",
                                                   "UZYTKOWNIK1",
                                                   "UZYTKOWNIKGRUPY",
                                                   "VAX",
                                                   "VAX1",
                                                   "VAX2",
                                                   "VAX3",
                                                   "VAXCRM",
                                                   "VAXFSQL",
                                                   "VAXZAZ",
                                                   "WARIANT",
                                                   "TORIX_DRZEWO_WYNIKOW",
                                                   "TORIX_ZAZNACZONE_X",
                                                   "TORIX_ZAZNACZONE_X2"};
  return kTables;
}

ErrorHandler& own_error_handler() {
  return module().own_error;
}
ini::IniFile& own_ini() {
  return *module().own_ini;
}

ErrorHandler& current_error_handler() {
  ErrorHandler* e = module().error.load();
  return e ? *e : module().own_error;
}

ini::IniFile& current_ini() {
  ini::IniFile* i = module().ini.load();
  return i ? *i : *module().own_ini;
}

void ORVRUN_INIT(ErrorHandler* error_handler, ini::IniFile* ini_handler) {
  Module& m = module();
  if (m.initialised.exchange(true)) return;
  if (error_handler) m.error = error_handler;
  if (ini_handler) m.ini = ini_handler;
  ErrorHandler& current = current_error_handler();
  for (const auto& table : attached_tables()) current.attach(table);
  ++m.dictionary.inits;
  m.dictionary.init_error_handler = error_handler;
  m.dictionary.init_ini = ini_handler;
}

void ORVRUN_KILL() {
  Module& m = module();
  if (m.killed.exchange(true)) return;
  ++m.dictionary.kills;
}

const DictionaryState& dictionary_state() {
  return module().dictionary;
}

void reset_module() {
  Module& m = module();
  m.own_error = ErrorHandler{};
  m.own_ini = std::make_unique<ini::IniFile>(dict::glo().PATH_INI);
  m.error = nullptr;
  m.ini = nullptr;
  m.initialised = false;
  m.killed = false;
  m.dictionary = DictionaryState{};
}

}  // namespace orv::frame
