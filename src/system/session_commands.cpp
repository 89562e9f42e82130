// Ending the session and sending the display to low power.
#include "system/session_commands.h"

#include "platform/services.h"

namespace tovrik {
namespace {

constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;  // TOKEN_ADJUST_PRIVILEGES
constexpr std::uint32_t kTokenQuery = 0x08;             // TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 2;          // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kPrivilegeRecordSize = 16;      // a token-privileges record with one entry

constexpr std::uint32_t kSysCommand = 0x0112;      // WM_SYSCOMMAND
constexpr std::uintptr_t kMonitorPower = 0xF170;  // SC_MONITORPOWER
constexpr std::intptr_t kMonitorLowPower = 1;     // 2 would switch the display off

class ScopedToken {
 public:
  ScopedToken(SessionControl& session, TokenHandle token) : session_(session), token_(token) {}
  ~ScopedToken() { session_.closeToken(token_); }
  ScopedToken(const ScopedToken&) = delete;
  ScopedToken& operator=(const ScopedToken&) = delete;

 private:
  SessionControl& session_;
  TokenHandle token_;
};

void enableShutdownPrivilege(SessionControl& session) {
  const std::optional<TokenHandle> token = session.openProcessToken(kTokenAdjustPrivileges | kTokenQuery);
  if (!token) return;
  const ScopedToken closer(session, *token);
  const std::optional<PrivilegeId> privilege = session.lookupPrivilegeValue("SeShutdownPrivilege");
  if (!privilege) return;
  // A refused privilege shows only in ExitWindowsEx's answer.
  session.adjustTokenPrivileges(*token, SinglePrivilegeRecord{1, *privilege, kPrivilegeEnabled},
                                kPrivilegeRecordSize);
}

std::uint32_t exitFlagsOf(const Command& command) {
  switch (command.variantAs<ExitKind>()) {
    case ExitKind::kShutdown: return kExitPowerOff | kExitForce;
    case ExitKind::kLogoff: return kExitLogoff | kExitForce;
    case ExitKind::kReboot: return kExitReboot | kExitForce;
  }
  command.rejectVariant();
}

}  // namespace

bool endSession(SessionControl& session, std::uint32_t platformId, std::uint32_t exitFlags) {
  if (platformId == kPlatformNt) enableShutdownPrivilege(session);
  return session.exitWindowsEx(exitFlags, 0);
}

void runExitWindows(Command& command) {
  const std::uint32_t flags = exitFlagsOf(command);
  Services& services = command.services;
  // The session may or may not end; either way the command reports nothing.
  endSession(services.sessionControl(), services.systemInformation().platformId(), flags);
}

void runMonitorPowerOff(Command& command) {
  command.services.sessionControl().sendToApplicationWindow(kSysCommand, kMonitorPower, kMonitorLowPower);
}

}  // namespace tovrik
