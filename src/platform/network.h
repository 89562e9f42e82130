// The Internet and socket libraries, as the network commands see them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

using Ipv4Address = std::array<std::uint8_t, 4>;  // in network order

class Network {
 public:
  virtual ~Network() = default;
  // URL.DLL's InetIsOffline(0) (true: offline); nullopt when the library or its entry is missing.
  virtual std::optional<bool> inetIsOffline() = 0;
  // wininet's InternetGetConnectedState.
  virtual bool internetConnectedState() = 0;
  // WSAStartup (version 1.1), made on the first call only; answers whether the library is started.
  virtual bool startSockets() = 0;
  // gethostname into 256 characters; nullopt when the call fails.
  virtual std::optional<std::string> hostName() = 0;
  // Whether inet_addr accepts the text as an address.
  virtual bool isDottedAddress(const std::string& text) = 0;
  // The first address gethostbyname gives for the name; nullopt when it resolves to none.
  virtual std::optional<Ipv4Address> firstHostAddress(const std::string& name) = 0;
  // InternetAutodial with the flags, the configuration form's window as owner of any dialog.
  virtual void autodial(std::uint32_t flags) = 0;
  // InternetAutodialHangup(0).
  virtual void autodialHangup() = 0;
};

}  // namespace tovrik
