// Starting programs and opening files with the desktop's program: argument vectors, never a shell.
#pragma once

#include <string>
#include <vector>

namespace orv::shell {

// Starts `argv[0]` (looked up on PATH) with exactly these arguments and does not wait for it;
// the child is reaped in the background. False with `error` when it could not be started.
bool start_program(const std::vector<std::string>& argv, std::string& error);
// The same with the program apart from its arguments: each argument reaches it as it is, blanks
// and quotes included.
bool start_program(const std::string& program, const std::vector<std::string>& args,
                   std::string& error);

// Opens a file with the program the desktop associates with it ("xdg-open FILE"). The path is
// one argument, whatever characters it holds. The path is a file-system name (UTF-8 on Linux).
bool open_with_desktop(const std::string& path, std::string& error);

// The seam tests replace: every start goes through it. nullptr restores posix_spawn.
using Starter = bool (*)(const std::vector<std::string>& argv, std::string& error);
Starter set_starter(Starter starter);

}  // namespace orv::shell
