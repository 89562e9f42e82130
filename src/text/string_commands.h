// String commands: measure, search, cut, convert case, compare, test and format the date.
#pragma once

#include "frontend/command.h"

namespace tovrik {

void runStrLength(Command& command);
void runGetVersion(Command& command);

}  // namespace tovrik
