// A downloaded document made into the text the module receives: Windows-1250, no declaration.
#pragma once

#include <string>
#include <string_view>

namespace orv::torix {

// UTF-8 (the web services) or ISO-8859-2 (the older NBP files, by their declaration) becomes
// Windows-1250; a byte-order mark and the XML declaration go, since the text no longer is in the
// encoding the declaration names.
std::string table_text(std::string_view document);

}  // namespace orv::torix
