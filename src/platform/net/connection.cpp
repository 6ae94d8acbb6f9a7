// The network interfaces as getifaddrs lists them.
#include "platform/net/connection.hpp"

#include <ifaddrs.h>
#include <net/if.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace orv::net {
namespace {

std::mutex g_mutex;
std::function<ConnectionState()> g_probe;

bool proxy_named() {
  for (const char* name :
       {"https_proxy", "HTTPS_PROXY", "http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
    const char* v = std::getenv(name);
    if (v && *v) return true;
  }
  return false;
}

ConnectionState system_state() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  ConnectionState s;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    const unsigned f = i->ifa_flags;
    if (!(f & IFF_UP) || !(f & IFF_RUNNING) || (f & IFF_LOOPBACK)) continue;
    s.connected = true;
    s.flags |= (f & IFF_POINTOPOINT) ? kModem : kLan;
  }
  freeifaddrs(list);
  if (s.connected && proxy_named()) s.flags |= kProxy;
  return s;
}

std::optional<ConnectionState> stated() {
  const char* v = std::getenv("ORVRUN_CONNECTION");
  if (!v || !*v) return std::nullopt;
  const std::string s = v;
  if (s == "modem") return ConnectionState{true, kModem};
  if (s == "lan") return ConnectionState{true, kLan};
  if (s == "proxy") return ConnectionState{true, kLan | kProxy};
  return ConnectionState{};
}

}  // namespace

ConnectionState connection_state() {
  std::function<ConnectionState()> probe;
  {
    std::lock_guard lock(g_mutex);
    probe = g_probe;
  }
  if (probe) return probe();
  if (std::optional<ConnectionState> s = stated()) return *s;
  return system_state();
}

void set_connection_probe(std::function<ConnectionState()> probe) {
  std::lock_guard lock(g_mutex);
  g_probe = std::move(probe);
}

}  // namespace orv::net
