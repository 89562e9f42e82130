// Command table. A family adds its words here, one row per word; paired words share a handler that
// tells them apart by Command::word.
#include "frontend/dispatch.h"

#include "settings/settings_commands.h"
#include "text/string_commands.h"

namespace tovrik {
namespace {

constexpr CommandEntry kCommands[] = {
    {"/config", runConfig},
    {"registervar", runRegisterVar},
    {"getvar", runGetVar},
    {"deletevar", runDeleteVar},
    {"getversion", runGetVersion},
    {"strlength", runStrLength},
};

}  // namespace

std::span<const CommandEntry> commandTable() { return kCommands; }

void dispatchCommand(Command& command) {
  for (const CommandEntry& entry : kCommands)
    if (entry.word == command.word) entry.handler(command);
}

}  // namespace tovrik
