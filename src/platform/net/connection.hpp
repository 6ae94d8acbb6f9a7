// The state of the machine's network connection, in the flags the host's internet library uses.
#pragma once

#include <cstdint>
#include <functional>

namespace orv::net {

// Connection kinds as bits: a modem (point-to-point link), a LAN, a proxy in the way, a busy
// modem.
inline constexpr uint32_t kModem = 1;
inline constexpr uint32_t kLan = 2;
inline constexpr uint32_t kProxy = 4;
inline constexpr uint32_t kModemBusy = 8;

struct ConnectionState {
  bool connected = false;  // false: the system reports no connection at all
  uint32_t flags = 0;
};

// The interfaces that are up and running, loopback aside: a point-to-point one counts as a modem,
// any other as a LAN; a proxy named by the environment (https_proxy, http_proxy, all_proxy) adds
// the proxy bit. No such interface, or no answer from the system, is no connection.
ConnectionState connection_state();

// Replaces the system's answer (tests); an empty function restores it.
void set_connection_probe(std::function<ConnectionState()> probe);

}  // namespace orv::net
