// Programs started with posix_spawnp from an argument vector; no shell ever parses a path.
#include "platform/shell/shell.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace orv::shell {
namespace {

bool spawn(const std::vector<std::string>& argv, std::string& error) {
  if (argv.empty() || argv[0].empty()) {
    error = "no program to start";
    return false;
  }
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  int rc = ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
  if (rc != 0) {
    error = "cannot start " + argv[0] + ": " + std::strerror(rc);
    return false;
  }
  // The opener may outlive the call; a waiting thread keeps it from lingering as a zombie.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

Starter& starter() {
  static Starter s = nullptr;
  return s;
}

}  // namespace

bool start_program(const std::vector<std::string>& argv, std::string& error) {
  Starter s = starter();
  return s ? s(argv, error) : spawn(argv, error);
}

bool start_program(const std::string& program, const std::vector<std::string>& args,
                   std::string& error) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  return start_program(argv, error);
}

bool open_with_desktop(const std::string& path, std::string& error) {
  return start_program({"xdg-open", path}, error);
}

Starter set_starter(Starter s) {
  Starter old = starter();
  starter() = s;
  return old;
}

}  // namespace orv::shell
