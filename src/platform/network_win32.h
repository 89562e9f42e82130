// The network through URL.DLL, wininet and wsock32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/application_window_win32.h"
#include "platform/network.h"

namespace tovrik {

// The socket library is started by the first command that needs it and released with this object.
class Win32Network final : public Network {
 public:
  // `owner` gives the window that owns the dial-up dialog.
  explicit Win32Network(OwnerWindowSource owner) : owner_(owner) {}
  ~Win32Network() override;
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;

  std::optional<bool> inetIsOffline() override;
  bool internetConnectedState() override;
  bool startSockets() override;
  std::optional<std::string> hostName() override;
  bool isDottedAddress(const std::string& text) override;
  std::optional<Ipv4Address> firstHostAddress(const std::string& name) override;
  void autodial(std::uint32_t flags) override;
  void autodialHangup() override;

 private:
  bool socketsTried_ = false;
  bool socketsStarted_ = false;
  OwnerWindowSource owner_;
};

}  // namespace tovrik
