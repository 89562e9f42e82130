// sendkeys and sendkeyswait.
#pragma once

#include "command/command.h"

namespace tovrik {

void runSendKeys(Command& command);  // sendkeys, sendkeyswait

}  // namespace tovrik
