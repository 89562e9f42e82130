// silentdircopy/dircopy, silentdirmove/dirmove, silentdirdelete/dirdelete: trees copied, moved and
// deleted through the shell. Each handler serves both words of its pair; the row's mode picks the form.
#pragma once

#include "command/command.h"

namespace tovrik {

// The plain words let the shell ask and report; the silent ones ask nothing and show no error box.
enum class DirOperationMode { kConfirm, kSilent };

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_SHELL_HANDLERS(X) \
  X(runDirCopy) \
  X(runDirMove) \
  X(runDirDelete)

TOVRIK_SHELL_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kShellHandlers[] = {TOVRIK_SHELL_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
