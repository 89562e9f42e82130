// sendkeys and sendkeyswait.
#pragma once

#include "frontend/command.h"

namespace tovrik {

void runSendKeys(Command& command);  // sendkeys, sendkeyswait

}  // namespace tovrik
