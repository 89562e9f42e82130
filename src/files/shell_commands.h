// silentdircopy/dircopy, silentdirmove/dirmove, silentdirdelete/dirdelete: trees copied, moved and
// deleted through the shell. Each handler serves both words of its pair; the row's mode picks the form.
#pragma once

#include "command/command.h"

namespace tovrik {

// The plain words let the shell ask and report; the silent ones ask nothing and show no error box.
enum class DirOperationMode { kConfirm, kSilent };

void runDirCopy(Command& command);
void runDirMove(Command& command);
void runDirDelete(Command& command);

}  // namespace tovrik
