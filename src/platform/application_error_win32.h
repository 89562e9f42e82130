// The application's error box.
#pragma once

#include "command/error.h"

namespace tovrik {

// The task-modal "Erreur d'application" box for an error that escaped a command or an event handler.
void showApplicationError(const CommandError& error);

}  // namespace tovrik
