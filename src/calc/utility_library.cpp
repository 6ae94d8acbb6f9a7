// Loading TORIXutilKS per operation and calling its functions of zero-terminated texts.
#include "calc/utility_library.hpp"

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "frame/messages.hpp"
#include "platform/dict/context.hpp"
#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::calc {
namespace {

constexpr std::size_t kPathCapacity = 200;
constexpr std::size_t kMostArguments = 5;

std::atomic<std::size_t> g_made{0};
std::atomic<std::size_t> g_alive{0};

using Text = const char*;

// The library reads its arguments as C texts: each copied so that it ends in a NUL. A function
// whose answer is not used is called through a type that answers nothing.
template <class R>
R dispatch(void* f, const std::vector<std::string>& a) {
  switch (a.size()) {
    case 0:
      return reinterpret_cast<R (*)()>(f)();
    case 1:
      return reinterpret_cast<R (*)(Text)>(f)(a[0].c_str());
    case 2:
      return reinterpret_cast<R (*)(Text, Text)>(f)(a[0].c_str(), a[1].c_str());
    case 3:
      return reinterpret_cast<R (*)(Text, Text, Text)>(f)(a[0].c_str(), a[1].c_str(), a[2].c_str());
    case 4:
      return reinterpret_cast<R (*)(Text, Text, Text, Text)>(f)(a[0].c_str(), a[1].c_str(),
                                                                a[2].c_str(), a[3].c_str());
    default:
      return reinterpret_cast<R (*)(Text, Text, Text, Text, Text)>(f)(
          a[0].c_str(), a[1].c_str(), a[2].c_str(), a[3].c_str(), a[4].c_str());
  }
}

std::vector<std::string> arguments(std::initializer_list<std::string_view> args) {
  if (args.size() > kMostArguments) throw std::invalid_argument("too many library arguments");
  std::vector<std::string> out;
  for (std::string_view a : args) out.emplace_back(a.substr(0, a.find('\0')));
  return out;
}

}  // namespace

std::string utility_library_path() {
  std::string folder(text::clip(dict::glo().LOCALPATH));
  if (folder.empty()) folder = dynlib::own_folder();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return text::fit(folder + kUtilityLibraryFile, kPathCapacity + 1);
}

UtilityLibrary::UtilityLibrary() {
  ++g_made;
  // A name with a '/' is loaded from exactly that file, never from the system's search.
  std::string path = utility_library_path();
  if (path.find('/') == std::string::npos) path = "./" + path;
  if (lib_.load(path)) {
    ++g_alive;
  } else {
    frame::MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki TORIXutilKS.dll"_w1250);
  }
}

UtilityLibrary::~UtilityLibrary() {
  if (!lib_.loaded()) return;
  lib_.unload();
  --g_alive;
}

void* UtilityLibrary::find(std::string_view function) {
  return lib_.loaded() ? lib_.symbol(function) : nullptr;
}

std::optional<std::string> UtilityLibrary::text(std::string_view function, std::size_t keep,
                                                std::initializer_list<std::string_view> args) {
  void* f = find(function);
  if (!f) return std::nullopt;
  std::vector<std::string> a = arguments(args);
  Text answer = dispatch<Text>(f, a);
  if (!answer) return std::string();
  return std::string(answer, strnlen(answer, keep));
}

bool UtilityLibrary::call(std::string_view function, std::initializer_list<std::string_view> args) {
  void* f = find(function);
  if (!f) return false;
  std::vector<std::string> a = arguments(args);
  dispatch<void>(f, a);
  return true;
}

std::size_t utility_sessions_made() {
  return g_made;
}

std::size_t utility_sessions_alive() {
  return g_alive;
}

}  // namespace orv::calc
