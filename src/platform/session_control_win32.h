// Ending the session through advapi32 and user32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/session_control.h"

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

}  // namespace tovrik
