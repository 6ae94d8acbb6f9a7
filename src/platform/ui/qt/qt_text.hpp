// The library's Windows-1250 texts as Qt strings and back: the one conversion at the Qt edge.
#pragma once

#include <QString>
#include <string>

namespace orv::ui::qt {

QString qstr(const std::string& cp1250);
std::string cp1250(const QString& s);

}  // namespace orv::ui::qt
