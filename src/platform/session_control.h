// Ending the session: privileges, the exit call and the monitor, one platform operation each.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tovrik {

// A locally unique identifier (LUID), as the privilege calls take it.
struct PrivilegeId {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  bool operator==(const PrivilegeId&) const = default;
};

// A token-privileges record holding one privilege.
struct SinglePrivilegeRecord {
  std::uint32_t count = 1;
  PrivilegeId privilege;
  std::uint32_t attributes = 0;
};

using TokenHandle = std::uintptr_t;

class SessionControl {
 public:
  virtual ~SessionControl() = default;
  // OpenProcessToken of this process with the access mask; nullopt when refused.
  virtual std::optional<TokenHandle> openProcessToken(std::uint32_t access) = 0;
  virtual void closeToken(TokenHandle token) = 0;
  // LookupPrivilegeValueA on the local system; nullopt when the name is unknown.
  virtual std::optional<PrivilegeId> lookupPrivilegeValue(std::string_view name) = 0;
  // AdjustTokenPrivileges without disabling all, with a previous-state buffer of `bufferLength` bytes.
  virtual void adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                                     std::uint32_t bufferLength) = 0;
  virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
  // Sends a message to the application window (the program's own hidden top-level window).
  virtual void sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace tovrik
