// The network interfaces as getifaddrs lists them.
#include "platform/net/connection.hpp"

#include <ifaddrs.h>
#include <net/if.h>

#include <cstdlib>
#include <mutex>
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

}  // namespace

ConnectionState connection_state() {
  std::function<ConnectionState()> probe;
  {
    std::lock_guard lock(g_mutex);
    probe = g_probe;
  }
  return probe ? probe() : system_state();
}

void set_connection_probe(std::function<ConnectionState()> probe) {
  std::lock_guard lock(g_mutex);
  g_probe = std::move(probe);
}

}  // namespace orv::net
