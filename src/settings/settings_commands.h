// Commands of the settings store and the user variables.
#pragma once

#include "command/command.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_SETTINGS_HANDLERS(X) \
  X(runConfig) \
  X(runRegisterVar) \
  X(runGetVar) \
  X(runDeleteVar)

TOVRIK_SETTINGS_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kSettingsHandlers[] = {TOVRIK_SETTINGS_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
