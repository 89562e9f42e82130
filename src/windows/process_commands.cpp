// exec, shellexecute, killapp and sleep: each hands its arguments to one platform operation.
#include "windows/process_commands.h"

#include <cstdint>
#include <string>

#include "command/error.h"
#include "platform/services.h"
#include "text/ascii_case.h"
#include "text/number_rules.h"
#include "text/path_rules.h"

namespace tovrik {
namespace {

constexpr int kShowCommandShow = 5;  // SW_SHOW

}  // namespace

bool killTask(Processes& processes, const AnsiCharset& charset, std::string_view name) {
  const std::optional<std::vector<ProcessEntry>> running = processes.runningProcesses();
  if (!running) return false;
  const std::string wanted = upperAsciiLetters(name, charset);
  // Ending itself would stop the walk half-way and lose the return file.
  const std::uint32_t self = processes.currentProcessId();
  bool lastTerminated = false;
  for (const ProcessEntry& entry : *running) {
    if (entry.id == self) continue;
    const bool matches = upperAsciiLetters(extractFileName(entry.executable, charset), charset) == wanted ||
                         upperAsciiLetters(entry.executable, charset) == wanted;
    if (matches) lastTerminated = processes.terminate(entry.id);
  }
  return lastTerminated;
}

void runExec(Command& command) {
  ShellStart start;
  start.verb = "open";
  start.file = command.param(1);
  start.parameters = command.param(2);
  start.showCommand = kShowCommandShow;
  command.lines.addSet("EXECHWND", std::to_string(command.services.processes().shellExecute(start)));
}

void runShellExecute(Command& command) {
  ShellStart start;
  start.showCommand = readIntegerText(command.param(5));
  start.verb = command.param(1);
  start.file = command.param(2);
  start.parameters = command.param(3);
  start.directory = command.param(4);
  command.services.processes().shellExecute(start);
}

void runKillApp(Command& command) {
  killTask(command.services.processes(), command.services.ansiCharset(), command.param(1));
}

void runSleep(Command& command) {
  const std::int32_t milliseconds = readIntegerText(command.param(1));
  // The platform takes the count unsigned: -1 would never end, other negatives last for weeks.
  if (milliseconds < 0) throw CommandError("Dur\xE9" "e de pause n\xE9gative : " + command.param(1));
  command.services.processes().sleep(static_cast<std::uint32_t>(milliseconds));
}

}  // namespace tovrik
