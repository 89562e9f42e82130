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

void runExec(Command& command);
void runShellExecute(Command& command);
void runKillApp(Command& command);
void runSleep(Command& command);

}  // namespace tovrik
