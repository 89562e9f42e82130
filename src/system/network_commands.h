// isconnected, getip, netstartconbox, netstartcon and netclosecon, and the functions behind them.
#pragma once

#include <string>

#include "command/command.h"
#include "platform/network.h"

namespace tovrik {

// Online by URL.DLL's InetIsOffline; where that entry cannot be loaded, by the platform's own
// connection state.
bool isConnected(Network& network);

// The local host's IPv4 address: "0.0.0.0" when the host has no name, the name itself when it is a
// dotted address, else the first address the name resolves to; empty when none is found. Starts the
// socket library on first use; PlatformError "WSAStartup" when it cannot start.
std::string getIP(Network& network);

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_NETWORK_HANDLERS(X) \
  X(runIsConnected) \
  X(runGetIp) \
  X(runNetStartConBox) \
  X(runNetStartCon) \
  X(runNetCloseCon)

TOVRIK_NETWORK_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kNetworkHandlers[] = {TOVRIK_NETWORK_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
