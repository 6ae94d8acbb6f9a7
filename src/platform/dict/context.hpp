// The shared context: the data-dictionary library's globals and global in-memory tables.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dict/queue.hpp"
#include "platform/dict/records.hpp"
#include "platform/dict/tables.hpp"
#include "platform/decimal/decimal.hpp"

namespace orv::dict {

// One process-wide instance shared by every thread without locks, as the host shares it: each
// global is a single value. Names are the globals' own, without the "GLO:" prefix.
struct Context {
  // Who and where.
  double ID_UZYTKOWNIKA = 0;
  double ID_FIRMY = 0;
  double ID_MAGAZYNU = 0;
  double ID_KASY = 0;

  // Paths (NUL-terminated texts in the host).
  std::string LOCALPATH;
  std::string PATH_INI;
  std::string CUDOCUMENTS;

  // The host frame.
  int32_t WATEKAPP = 0;
  int32_t TOOLTIPTYPE = 0;
  std::string CONTR_LIST_FONT;
  int32_t CONTR_LIST_FONT_SIZE = 0;
  int32_t CONTR_LIST_HEIGHT = 0;
  uint8_t RIBBONOFF = 0;
  uint8_t RIBBONAUTOUKRYWANIE = 0;

  // SQL channels.
  int32_t TABLEOPENTIME = 0;
  uint8_t VAXOPENED = 0;
  uint8_t ISINTERNETCONNECTION = 0;

  // Date ranges: global and the caller-local copy. Texts of 20 and 100 characters.
  int32_t DATA_OD = 0;
  int32_t DATA_DO = 0;
  std::string ZAKRES;
  std::string ZAKRESOPIS;
  uint8_t ZAKRESPOS = 0;
  int32_t DATA_OD_LOC = 0;
  int32_t DATA_DO_LOC = 0;
  std::string ZAKRES_LOC;
  std::string ZAKRESOPIS_LOC;
  uint8_t ZAKRESPOS_LOC = 0;

  // Single-procedure flags and texts.
  std::string KONTEKST;  // 50 characters
  uint8_t TRWAODCZYTZDJECIA = 0;
  uint8_t SKLEPINTERNETOWY = 0;
  uint8_t MODULKONTROLIAKTYWNY = 0;
  uint8_t BRWOPENING = 0;
  int32_t ASYSTENTGRUPA = 0;
  std::string LASTURL;
  std::string ILOSCARTBEZPRZECINKA;  // 4 characters: "Tak" shows quantities without decimals
  uint8_t ROZRACH_DRZEWKO_LOADED = 0;
  uint8_t ZAM_DRZEWKO_LOADED = 0;

  // The window manager's request variables.
  int32_t GLOBALREQUEST = 0;
  int32_t GLOBALRESPONSE = 0;
  int32_t VCRREQUEST = 0;

  Tables tables;
  Records records;
};

Context& glo();

// Back to the state the host starts with: every global zero or empty, every table empty.
void reset_context();

}  // namespace orv::dict
