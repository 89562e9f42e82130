// silentdircopy/dircopy, silentdirmove/dirmove, silentdirdelete/dirdelete: trees copied, moved and
// deleted through the shell. Each handler serves both words of its pair and picks the form by the word.
#pragma once

#include "command/command.h"

namespace tovrik {

void runDirCopy(Command& command);
void runDirMove(Command& command);
void runDirDelete(Command& command);

}  // namespace tovrik
