// orvrun: a host shell for the library: calls exported procedures by name.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.hpp"

namespace orv::cli {
namespace {

constexpr const char* kHelp = R"(orvrun - host shell of the business-logic library

Usage:
  orvrun call [--json] [--answer yes|no]... NAME [ARG...]
      Calls the exported procedure NAME. Arguments are UTF-8 and converted to Windows-1250;
      trailing optional parameters left off are omitted. Every word after NAME is an argument,
      even one that begins with "-". With --json prints one JSON object:
      {"result": ..., "out": {...}, "messages": [...]}; otherwise the result alone.
      --answer gives the answers to questions in order (default: No).
  orvrun call --list
      Lists every exported procedure with its parameters.
  orvrun init [--demo] [--force] [--db PATH]
      Creates a new database file (PATH, else $ORVRUN_DB, else ./orvrun.db) with the schema and,
      with --demo, the demo company. An existing file is kept unless --force replaces it.
  orvrun --help
      This text.

Exit status: 0 when the procedure ran (whatever its own outcome), 2 when the call itself was
wrong (unknown procedure, wrong number or type of arguments); init: 1 when the database could
not be created.
)";

struct Command {
  const char* name;
  int (*run)(const Words&);
};

constexpr Command kCommands[] = {
    {"call", cmd_call},
    {"init", cmd_init},
};

}  // namespace

int usage_error(const std::string& message) {
  std::fprintf(stderr, "orvrun: %s\n", message.c_str());
  return kUsageError;
}

}  // namespace orv::cli

int main(int argc, char** argv) {
  using namespace orv::cli;
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    std::fputs(kHelp, argc < 2 ? stderr : stdout);
    return argc < 2 ? kUsageError : 0;
  }
  Words words(argv + 2, argv + argc);
  for (const auto& c : kCommands) {
    if (!std::strcmp(argv[1], c.name)) return c.run(words);
  }
  return usage_error(std::string("unknown command \"") + argv[1] + "\"; see orvrun --help");
}
