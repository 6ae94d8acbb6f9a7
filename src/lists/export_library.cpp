// The utility library looked for in the host's local folder (GLO:LOCALPATH).
#include "lists/export_library.hpp"

#include "frame/messages.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::lists {

ExportLibrary::ExportLibrary() {
  std::string folder(text::clip(dict::glo().LOCALPATH));
  if (!lib_.load("TORIXutilKS.dll", folder)) {
    frame::MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll"_w1250);
  }
}

void* ExportLibrary::find(std::string_view name) {
  return lib_.loaded() ? lib_.symbol(name) : nullptr;
}

}  // namespace orv::lists
