// Process token, privileges, the exit call and the application window's messages.
#include "platform/session_control_win32.h"

#include <windows.h>

#include "platform/application_window_win32.h"

namespace tovrik {
namespace {

HANDLE toHandle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
std::uintptr_t fromHandle(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

// The platform's own record for one privilege has the size the callers pass for it.
static_assert(sizeof(TOKEN_PRIVILEGES) == 16);

std::optional<TokenHandle> Win32SessionControl::openProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), access, &token)) return std::nullopt;
  return fromHandle(token);
}

void Win32SessionControl::closeToken(TokenHandle token) { CloseHandle(toHandle(token)); }

std::optional<PrivilegeId> Win32SessionControl::lookupPrivilegeValue(std::string_view name) {
  LUID luid{};
  if (!LookupPrivilegeValueA(nullptr, std::string(name).c_str(), &luid)) return std::nullopt;
  return PrivilegeId{luid.LowPart, luid.HighPart};
}

void Win32SessionControl::adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                                                std::uint32_t bufferLength) {
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = record.count;
  privileges.Privileges[0].Luid.LowPart = record.privilege.lowPart;
  privileges.Privileges[0].Luid.HighPart = record.privilege.highPart;
  privileges.Privileges[0].Attributes = record.attributes;
  TOKEN_PRIVILEGES previous{};
  DWORD returnLength = 0;
  AdjustTokenPrivileges(toHandle(token), FALSE, &privileges, bufferLength, &previous, &returnLength);
}

bool Win32SessionControl::exitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  return ExitWindowsEx(flags, reason) != 0;
}

void Win32SessionControl::sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam,
                                                  std::intptr_t lParam) {
  SendMessageA(applicationWindow(), message, wParam, lParam);
}

}  // namespace tovrik
