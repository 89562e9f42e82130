// The Win32 implementations of the system commands' platform: advapi32 and user32 for the session,
// kernel32 and ole32 for machine facts, URL.DLL, wininet and wsock32 for the network, user32 and kernel32
// for the clipboard.
#pragma once

#include <optional>

#include "platform/system_platform.h"

namespace tovrik {

class Win32SessionControl final : public SessionControl {
 public:
  std::optional<TokenHandle> openProcessToken(std::uint32_t access) override;
  void closeToken(TokenHandle token) override;
  std::optional<PrivilegeId> lookupPrivilegeValue(std::string_view name) override;
  void adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                             std::uint32_t bufferLength) override;
  bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
  void sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
};

class Win32SystemInformation final : public SystemInformation {
 public:
  std::uint32_t platformId() override;
  std::optional<std::uint32_t> volumeSerialNumber(const std::string& rootPath) override;
  std::optional<std::string> volumeLabel(const std::string& rootPath) override;
  std::uint32_t setErrorMode(std::uint32_t mode) override;
  std::optional<std::uint64_t> totalVolumeBytes(const std::string& rootPath) override;
  std::string newGuidText() override;

 private:
  std::optional<std::uint32_t> platformId_;
};

// The socket library is started by the first command that needs it and released with this object.
class Win32Network final : public Network {
 public:
  Win32Network() = default;
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
};

class Win32ClipboardAccess final : public ClipboardAccess {
 public:
  bool open() override;
  void close() override;
  bool empty() override;
  MemoryBlock allocate(std::size_t size) override;
  bool fill(MemoryBlock block, std::string_view bytes) override;
  void free(MemoryBlock block) override;
  bool setData(std::uint32_t format, MemoryBlock block) override;
  std::optional<std::string> textData(std::uint32_t format) override;
};

}  // namespace tovrik
