// orvrun init: creates the database file, with the demo company when asked.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.hpp"
#include "host.hpp"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

std::string default_path() {
  const char* env = std::getenv("ORVRUN_DB");
  return env && *env ? env : "./orvrun.db";
}

}  // namespace

int cmd_init(const Words& words) {
  bool demo = false, force = false;
  std::string path = default_path();
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--demo") {
      demo = true;
    } else if (words[i] == "--force") {
      force = true;
    } else if (words[i] == "--db" && i + 1 < words.size()) {
      path = words[++i];
    } else {
      return usage_error("init: unexpected \"" + words[i] + "\"; see orvrun --help");
    }
  }
  char* why = nullptr;
  if (!ORVRUN_CREATE(path.c_str(), demo, force, &why)) {
    std::fprintf(stderr, "orvrun: cannot create the database: %s\n", utf8_of(why).c_str());
    return kExitFailed;
  }
  std::printf("created %s%s\n", path.c_str(), demo ? " with the demo company" : "");
  return kExitOk;
}

}  // namespace orv::cli
