// Look-ups of the configuration values the host loaded (company scope "s", user scope "u").
#pragma once

#include <string>
#include <string_view>

namespace orv::config {

// The cached value (or mask) of a code in the scope's table; the empty text for an unknown
// scope or code. The scope is clipped and compared exactly; the code is clipped, upper-cased and
// cut to 20 characters. Nothing is read from the server.
std::string POBIERZPARAMKONF(std::string_view scope, std::string_view code);
std::string MASKAPARAMKONF(std::string_view scope, std::string_view code);

// Changes a loaded value: in the cached row and on the server (RM_ZapiszParamKonf) with an audit
// entry (AP_ZapiszDoLoguParam), on the main channel. An unknown code is not created; an unknown
// scope only closes the main channel. Server failures are not reported and do not undo the
// cached change.
void USTAWPARAMKONF(std::string_view scope, std::string_view code, std::string_view value);

}  // namespace orv::config
