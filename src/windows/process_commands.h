// exec, shellexecute, killapp and sleep, and killTask behind killapp.
#pragma once

#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/processes.h"

namespace tovrik {

// Terminates every other running process whose executable, as a whole or by its file-name part, is the
// name (ASCII case aside). The invocation itself is never ended. Whether the last attempt succeeded.
bool killTask(Processes& processes, const AnsiCharset& charset, std::string_view name);

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_PROCESS_HANDLERS(X) \
  X(runExec) \
  X(runShellExecute) \
  X(runKillApp) \
  X(runSleep)

TOVRIK_PROCESS_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kProcessHandlers[] = {TOVRIK_PROCESS_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
