// Network: connection state, local address, dial-up.
#include "system/network_commands.h"

#include "command/error.h"
#include "platform/services.h"

namespace tovrik {
namespace {

constexpr std::uint32_t kAutodialWithDialog = 0;
constexpr std::uint32_t kAutodialForceUnattended = 2;  // INTERNET_AUTODIAL_FORCE_UNATTENDED

std::string dottedText(const Ipv4Address& address) {
  std::string text;
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (i > 0) text += '.';
    text += std::to_string(address[i]);
  }
  return text;
}

}  // namespace

bool isConnected(Network& network) {
  if (const std::optional<bool> offline = network.inetIsOffline()) return !*offline;
  return network.internetConnectedState();
}

std::string getIP(Network& network) {
  if (!network.startSockets()) throw PlatformError("WSAStartup");
  const std::string name = network.hostName().value_or(std::string());
  if (name.empty()) return "0.0.0.0";
  if (name[0] >= '0' && name[0] <= '9') return network.isDottedAddress(name) ? name : std::string();
  const std::optional<Ipv4Address> address = network.firstHostAddress(name);
  return address ? dottedText(*address) : std::string();
}

void runIsConnected(Command& command) {
  command.lines.addSet("CONNECTED", isConnected(command.services.network()) ? "1" : "0");
}

void runGetIp(Command& command) { command.lines.addSet("IP", getIP(command.services.network())); }

// The dial-up calls' answers are the platform's business: nothing is reported.
void runNetStartConBox(Command& command) { command.services.network().autodial(kAutodialWithDialog); }
void runNetStartCon(Command& command) { command.services.network().autodial(kAutodialForceUnattended); }
void runNetCloseCon(Command& command) { command.services.network().autodialHangup(); }

}  // namespace tovrik
