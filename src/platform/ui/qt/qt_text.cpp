// Windows-1250 to UTF-16 through the text layer's UTF-8, so both edges share one table.
#include "platform/ui/qt/qt_text.hpp"

#include "platform/text/text.hpp"

namespace orv::ui::qt {

QString qstr(const std::string& cp1250) {
  return QString::fromStdString(text::to_utf8(cp1250));
}

std::string cp1250(const QString& s) {
  return text::from_utf8(s.toStdString());
}

}  // namespace orv::ui::qt
