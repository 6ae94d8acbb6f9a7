// The utility library session: TORIXutilKS loaded for one operation, its functions called by name.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dynlib/library.hpp"

namespace orv::calc {

// The library's file on Linux, as the build writes it next to the module.
inline constexpr const char* kUtilityLibraryFile = "libTORIXutilKS.so";

// Where the library is looked for: GLO:LOCALPATH clipped (the module's own folder when it is
// empty) + "/" + the file name, at most 200 characters.
std::string utility_library_path();

// One operation's hold on the library: loaded when made, unloaded when it goes, whatever
// happened in between. Every argument and answer is a NUL-terminated Windows-1250 text; answers
// belong to the library and are copied at once.
class UtilityLibrary {
 public:
  // A load failure warns "Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll" and leaves
  // the session without a library.
  UtilityLibrary();
  ~UtilityLibrary();
  UtilityLibrary(const UtilityLibrary&) = delete;
  UtilityLibrary& operator=(const UtilityLibrary&) = delete;

  bool loaded() const { return lib_.loaded(); }
  // The address of a function of the library; nullptr when it is missing or nothing is loaded.
  void* find(std::string_view function);

  // Calls a function of up to five texts that answers a text, cut to `keep` characters (a null
  // answer reads as empty); nullopt when the function is missing.
  std::optional<std::string> text(std::string_view function, std::size_t keep,
                                  std::initializer_list<std::string_view> args = {});
  // Calls a function of up to five texts whose answer is not used; false when it is missing.
  bool call(std::string_view function, std::initializer_list<std::string_view> args = {});

 private:
  dynlib::Library lib_;
};

// Sessions made so far and those holding the library now (tests prove every operation unloads
// what it loaded).
std::size_t utility_sessions_made();
std::size_t utility_sessions_alive();

}  // namespace orv::calc
