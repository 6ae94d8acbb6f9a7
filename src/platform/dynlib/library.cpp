// Loading shared libraries with the dynamic linker.
#include "platform/dynlib/library.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/text/text.hpp"

namespace orv::dynlib {
namespace {

// Names written for Windows ("TORIXutilKS.dll") find their Linux build too.
std::string_view without_dll(std::string_view name) {
  if (name.size() > 4 && text::equal_ci(name.substr(name.size() - 4), ".dll")) {
    name.remove_suffix(4);
  }
  return name;
}

std::vector<std::string> candidates(std::string_view name) {
  std::vector<std::string> out{std::string(name)};
  if (name.find(".so") != std::string_view::npos) return out;
  const std::string base(without_dll(name));
  out.push_back(base + ".so");
  if (!base.starts_with("lib")) out.push_back("lib" + base + ".so");
  return out;
}

std::string last_dl_error() {
  const char* e = dlerror();
  return e ? e : "unknown error";
}

bool is_file(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

Library::~Library() {
  unload();
}

Library::Library(Library&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

Library& Library::operator=(Library&& other) noexcept {
  if (this != &other) {
    unload();
    handle_ = std::exchange(other.handle_, nullptr);
    path_ = std::move(other.path_);
    error_ = std::move(other.error_);
  }
  return *this;
}

bool Library::load(std::string_view name, std::string_view folder) {
  unload();
  error_.clear();
  if (name.empty()) {
    error_ = "cannot load a library without a name";
    return false;
  }
  std::vector<std::string> tries;
  if (name.find('/') != std::string_view::npos) {
    tries.emplace_back(name);
  } else {
    if (!folder.empty()) {
      std::string dir(folder);
      if (dir.back() != '/') dir += '/';
      for (const auto& c : candidates(name)) {
        if (!is_file(dir + c)) continue;
        tries = {dir + c};
        break;
      }
    }
    if (tries.empty()) tries = candidates(name);
  }
  std::string failures;
  for (const auto& t : tries) {
    dlerror();
    handle_ = dlopen(t.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_) {
      path_ = t;
      return true;
    }
    failures += (failures.empty() ? "" : "; ") + last_dl_error();
  }
  error_ = "cannot load library " + std::string(name);
  if (!folder.empty()) error_ += " (searched " + std::string(folder) + " first, then the system)";
  error_ += ": " + failures;
  return false;
}

void* Library::symbol(std::string_view name) {
  if (!handle_) {
    error_ = "cannot look up " + std::string(name) + ": no library is loaded";
    return nullptr;
  }
  dlerror();
  void* address = dlsym(handle_, std::string(name).c_str());
  if (!address) {
    error_ = "function " + std::string(name) + " not found in " + path_ + ": " + last_dl_error();
  }
  return address;
}

std::string own_folder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&own_folder), &info) == 0 || !info.dli_fname) return {};
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(info.dli_fname, ec);
  if (ec) p = info.dli_fname;
  return p.parent_path().string();
}

void Library::unload() {
  if (!handle_) return;
  dlclose(handle_);
  handle_ = nullptr;
  path_.clear();
}

}  // namespace orv::dynlib
