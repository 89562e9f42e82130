// sendkeys and sendkeyswait.
#pragma once

#include "command/command.h"

namespace tovrik {

// sendkeys types and returns; sendkeyswait lets the target handle each key event before the next.
enum class SendKeysMode { kNoWait, kWait };

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_KEYSTROKE_HANDLERS(X) \
  X(runSendKeys) /* sendkeys, sendkeyswait */

TOVRIK_KEYSTROKE_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kKeystrokeHandlers[] = {TOVRIK_KEYSTROKE_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
