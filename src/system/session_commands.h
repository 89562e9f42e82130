// shutdown, logoff, reboot and monitorpoweroff, and the function that ends the session.
#pragma once

#include <cstdint>

#include "command/command.h"
#include "platform/session_control.h"

namespace tovrik {

inline constexpr std::uint32_t kExitLogoff = 0;    // EWX_LOGOFF
inline constexpr std::uint32_t kExitReboot = 2;    // EWX_REBOOT
inline constexpr std::uint32_t kExitForce = 4;     // EWX_FORCE
inline constexpr std::uint32_t kExitPowerOff = 8;  // EWX_POWEROFF

// On the NT family enables the shutdown privilege in the program's own token first; then asks the
// platform to end the session. True when ExitWindowsEx accepted the request.
bool endSession(SessionControl& session, std::uint32_t platformId, std::uint32_t exitFlags);

// shutdown powers off, logoff ends the session, reboot restarts; all three force the programs to close.
enum class ExitKind { kShutdown, kLogoff, kReboot };

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_SESSION_HANDLERS(X) \
  X(runExitWindows) \
  X(runMonitorPowerOff)

TOVRIK_SESSION_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kSessionHandlers[] = {TOVRIK_SESSION_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
