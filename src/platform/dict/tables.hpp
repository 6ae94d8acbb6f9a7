// Row types of the global in-memory tables; each table's fields are those its users rely on.
#pragma once

#include <cstdint>
#include <string>

#include "platform/decimal/decimal.hpp"
#include "platform/dict/queue.hpp"

namespace orv::dict {

// VAT rates, keyed by the 10-character symbol (exact match of the whole field).
struct VatRow {
  std::string symbol;  // at most 10 characters
  Decimal rate;        // percent, 2 places
};

// Open windows by name (upper-cased, clipped, at most 20 characters).
struct OknoRow {
  int32_t value = 0;
  std::string name;
};

// Open objects keyed by (name, qualifier).
struct OtwarteOknoRow {
  std::string name;       // at most 254 characters
  std::string qualifier;  // at most 99 characters
};

// Configuration parameters of one scope (company or user), keyed by the upper-case code.
struct ParamKonfRow {
  std::string code;   // at most 20 characters, upper case
  std::string mask;   // at most 20 characters: the value's display picture
  std::string value;  // at most 249 characters
};

// The defined functions, keyed by code.
struct UprawnRow {
  std::string code;  // 20 characters, upper case
  std::string kind;  // 20 characters; "M": grantable per warehouse
};

// The current user's grants, keyed by (code, id2, id3, id4, id5).
struct AccessRow {
  std::string code;  // 20 characters, upper case
  int32_t id2 = 0;   // warehouse, 0 = all
  int32_t id3 = 0;
  int32_t id4 = 0;
  int32_t id5 = 0;
  uint8_t access = 0;       // 1 full, 2 restricted
  std::string state_flags;  // 20 characters
};

// Report grants, keyed by report id.
struct DostepRaportRow {
  int32_t report_id = 0;
  uint8_t access = 0;
};

// The user's window parameters, keyed by (window name, parameter name); texts of 50 characters.
struct ParOknoRow {
  std::string window;
  std::string parameter;
  std::string value;
};

// One row per list window, keyed by name (50 characters).
struct IniBroRow {
  std::string name;
  double window_id = 0;
  int32_t first_column = 0;
  int32_t last_column = 0;
};

// One row per column of every list window for the current user.
struct IniKolBroRow {
  std::string window;  // 50 characters
  double window_id = 0;
  double column_id = 0;
  int32_t number = 0;
  std::string caption;  // 50 characters
  int32_t default_width = 0;
  int32_t width = 0;  // 0: not shown
  int32_t position = 0;
  std::string format;  // 200 characters; "|F" marks a locked column
  uint8_t additional = 0;
  uint8_t hidden = 0;
  uint8_t quantity_picture = 0;
};

// The parameters of the report variant being edited, sorted by name.
struct ParametrWariantuRow {
  std::string name;   // 49 characters
  std::string value;  // 199 characters
  double parameter_id = 0;
  double variant_id = 0;
};

// Numbering formats, sorted by (group, type id, resource id).
struct FormatNumeracjiRow {
  uint8_t group = 0;
  int32_t type_id = 0;
  int32_t resource_id = 0;
  std::string format;  // 49 characters
  uint8_t period = 0;
  uint8_t parameter1 = 0;
  uint8_t parameter2 = 0;
};

// Order statuses offered to order lists.
struct StatusRow {
  std::string code;  // 1 character
  int32_t one = 1;
  std::string caption;  // 40 characters
};

// The order-status dictionary.
struct StatusZamowieniaRow {
  double id = 0;
  std::string description;  // 50 characters, lower case
  std::string code;         // 1 character
  uint8_t system = 0;
  uint8_t automatic = 0;
  uint8_t active = 0;
};

// Classifier fields (additional fields), keyed by (group code, field number).
struct KlasyfikatorRow {
  std::string group;  // 30 characters: the object's table name
  std::string label;
  std::string column;
  int32_t number = 0;  // 1..10
  std::string picture;
  uint8_t kind = 0;  // 0 entry, 1/10 drop-down, 2 dictionary, 3 computed, 4 object
  std::string allowed;
  std::string data_type;
  std::string default_value;
  uint8_t active = 0;
  uint8_t required = 0;
  std::string function;
  uint8_t pass_object_id = 0;
  int32_t dictionary_id = 0;  // kind 2: the KLASYFIKATOR_SLOWNIK offered
  std::string opener;         // kind 4: the program that opens the object, blank = the system's
};

// Conditions of an additional table for a list filter, keyed by table number.
struct FiltrTabelRow {  // NOLINT(bugprone-reserved-identifier): the arrays' implicit copy
  int32_t table = 0;
  std::string name;  // 50 characters
  uint8_t switches[100] = {};
  std::string texts100[100];
  std::string texts20[100];
};

struct Tables {
  Queue<VatRow> VATQ;
  Queue<ParamKonfRow> S_PARAMKONFQ;
  Queue<ParamKonfRow> U_PARAMKONFQ;
  Queue<OknoRow> OKNAQ;
  Queue<OtwarteOknoRow> KOLEJKAOTWARTYCHOKIEN;
  Queue<UprawnRow> UPRAWNQ;
  Queue<AccessRow> ACCESSQ;
  Queue<DostepRaportRow> DOSTEPRAPORTOWQ;
  Queue<ParOknoRow> INI_PAR_OKNO;
  Queue<IniBroRow> INI_BRO;
  Queue<IniKolBroRow> INI_KOL_BRO;
  Queue<ParametrWariantuRow> PARAMETRYWARIANTUQ;
  Queue<FormatNumeracjiRow> FORMAT_NUMERACJI_Q;
  Queue<StatusRow> Q_STATUSY;
  Queue<StatusZamowieniaRow> KOLEJKASTATUSOWZAMOWIEN;
  Queue<KlasyfikatorRow> KOL_KLASYFIKATOROW;
  Queue<FiltrTabelRow> FILTRTABELQUEUE;
};

}  // namespace orv::dict
