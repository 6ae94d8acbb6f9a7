// Configuration values per company ("s") and per user ("u"): look-ups, changes, server reads.
#pragma once

#include <string>
#include <string_view>

#include "platform/dict/tables.hpp"

namespace orv::config {

// The cached value (or mask) of a code in the scope's table; the empty text for an unknown
// scope or code. The scope is clipped and compared exactly; the code is clipped, upper-cased and
// cut to 20 characters. Nothing is read from the server.
std::string POBIERZPARAMKONF(std::string_view scope, std::string_view code);
std::string MASKAPARAMKONF(std::string_view scope, std::string_view code);

// The cached row behind both look-ups, nullptr when none. Found through an index kept beside
// S_PARAMKONFQ and U_PARAMKONFQ; no allocation.
const dict::ParamKonfRow* find_parameter(std::string_view scope, std::string_view code);

// Changes a value the host loaded: the row in memory at once, the server through
// RM_ZapiszParamKonf with an AP_ZapiszDoLoguParam entry before it. The company's "IBAN" also
// goes into every report parameter named IBAN; the user's "DOMKASA" sets GLO:ID_KASY and
// "DRZEWKOFILTRROZ" marks the settlement tree for reloading. An unknown scope only closes the
// main channel; an unknown code does nothing. Values travel with their apostrophes doubled; a
// statement the server refuses is shown in the SQL error window (once per change) while the
// cached value stays changed.
void USTAWPARAMKONF(std::string_view scope, std::string_view code, std::string_view value);

// The value stored on the server for the current company or user, formatted with the
// parameter's mask; the empty text for an unknown scope or when the server has no value. The
// main channel is left open.
std::string POBIERZPARAMKONFZBAZY(std::string_view scope, std::string_view code);

}  // namespace orv::config
