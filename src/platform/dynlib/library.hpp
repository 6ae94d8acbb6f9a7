// Shared libraries loaded by name at run time: a given folder first, then the system's search.
#pragma once

#include <string>
#include <string_view>

namespace orv::dynlib {

// One loaded library; unloaded by unload() or when the object goes. Every failure leaves a
// message in error() that names what was looked for and where.
class Library {
 public:
  Library() = default;
  ~Library();
  Library(Library&& other) noexcept;
  Library& operator=(Library&& other) noexcept;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // `name` is a file name ("libTORIXutilKS.so") or a bare name ("TORIXutilKS", tried also as
  // "<name>.so" and "lib<name>.so"; a Windows name "X.dll" is tried as "X.so" and "libX.so"). A
  // name with a '/' is loaded from exactly that path. Otherwise the candidates are tried in
  // `folder` first and then through the system's library search. A candidate that exists in
  // `folder` but cannot be loaded is reported, not skipped. Any library loaded before is unloaded
  // first.
  bool load(std::string_view name, std::string_view folder = {});

  // The address of an exported function or object; nullptr (and error()) when it is missing
  // or nothing is loaded.
  void* symbol(std::string_view name);
  template <class F>
  F function(std::string_view name) {
    return reinterpret_cast<F>(symbol(name));
  }

  void unload();
  bool loaded() const { return handle_ != nullptr; }
  // The file loaded: a path when found in the folder, the name as given to the system otherwise.
  const std::string& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string path_;
  std::string error_;
};

// The folder holding the shared object this code was linked into (the module's own folder), no
// trailing '/'; empty when the dynamic linker cannot say.
std::string own_folder();

}  // namespace orv::dynlib
