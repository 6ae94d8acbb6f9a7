// The utility library held for one export: loaded when made, unloaded when it goes.
#pragma once

#include <string_view>

#include "lists/xlsx_export.hpp"
#include "platform/dynlib/library.hpp"

namespace orv::lists {

// A load failure warns "Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll".
class ExportLibrary : public FunctionSource {
 public:
  ExportLibrary();
  bool loaded() const { return lib_.loaded(); }
  void* find(std::string_view name) override;

 private:
  dynlib::Library lib_;
};

}  // namespace orv::lists
