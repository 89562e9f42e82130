// Commands of the settings store and the user variables.
#pragma once

#include "command/command.h"

namespace tovrik {

void runConfig(Command& command);
void runRegisterVar(Command& command);
void runGetVar(Command& command);
void runDeleteVar(Command& command);

}  // namespace tovrik
