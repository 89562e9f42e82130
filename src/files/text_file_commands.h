// Text and INI file command handlers: line count, one line, INI write and read.
#pragma once

#include "command/command.h"

namespace tovrik {

void runCountLinesOfTextFile(Command& command);
void runReadLineOfTextFile(Command& command);
void runIniWrite(Command& command);
void runIniRead(Command& command);

}  // namespace tovrik
