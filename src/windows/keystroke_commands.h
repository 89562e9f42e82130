// sendkeys and sendkeyswait.
#pragma once

#include "command/command.h"

namespace tovrik {

// sendkeys types and returns; sendkeyswait lets the target handle each key event before the next.
enum class SendKeysMode { kNoWait, kWait };

void runSendKeys(Command& command);  // sendkeys, sendkeyswait

}  // namespace tovrik
