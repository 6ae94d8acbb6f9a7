// Test support: scoped UI, CLI subprocesses, temporary directories.
#include "support/support.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace orv::test {

std::string test_ui_name() {
  const char* env = std::getenv("ORV_TEST_UI");
  std::string name = env && *env ? env : "headless";
  // Desktop windows are drawn offscreen unless the runner chose a display platform itself.
  if (name == "qt") setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  return name;
}

ShownUi::ShownUi(ui::ScriptedBackend& engine)
    : session_(ui::make_ui(test_ui_name(), {}, &engine)),
      previous_(ui::set_backend(session_ ? &session_->backend() : nullptr)) {
  if (!session_) throw std::runtime_error("no window backend " + test_ui_name() + " to test on");
}

ShownUi::~ShownUi() {
  ui::set_backend(previous_);
}

ScopedUi::ScopedUi(std::vector<std::string> answers, bool strict)
    : headless_(std::move(answers), strict), shown_(headless_) {}

ScopedUi::~ScopedUi() = default;

namespace {

std::string cli_path() {
  const char* env = std::getenv("ORV_CLI");
  if (env && *env) return env;
  return std::string(ORV_BINARY_DIR) + "/apps/orvrun/orvrun";
}

std::string drain(int fd) {
  std::string out;
  char buf[65536];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
  ::close(fd);
  return out;
}

}  // namespace

CliResult run_cli(const std::vector<std::string>& args, const std::string& stdin_text) {
  std::vector<std::string> argv{cli_path()};
  argv.insert(argv.end(), args.begin(), args.end());
  return run_program(argv, stdin_text);
}

CliResult run_program(const std::vector<std::string>& argv_in, const std::string& stdin_text) {
  // A CLI that exits without reading its input must fail the write, not kill the test.
  static const bool kNoSigpipe = (std::signal(SIGPIPE, SIG_IGN), true);
  (void)kNoSigpipe;
  int in[2], out[2], err[2];
  if (::pipe(in) || ::pipe(out) || ::pipe(err)) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
    posix_spawn_file_actions_addclose(&actions, fd);
  }
  std::vector<std::string> copy(argv_in);
  std::string path = copy.at(0);
  std::vector<char*> argv;
  argv.reserve(copy.size() + 1);
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  if (rc != 0) throw std::runtime_error("cannot start " + path);
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < stdin_text.size()) {
      ssize_t n = ::write(in[1], stdin_text.data() + done, stdin_text.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::close(in[1]);
  });
  CliResult r;
  std::thread err_reader([&] { r.err = drain(err[0]); });
  r.out = drain(out[0]);
  err_reader.join();
  writer.join();
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "orvtest-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace orv::test
