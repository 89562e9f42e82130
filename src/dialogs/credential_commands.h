// createpassworddlg and createlongondlg: ask for credentials and hand them back to the script.
#pragma once

#include "command/command.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_CREDENTIAL_HANDLERS(X) \
  X(runCreatePasswordDlg) \
  X(runCreateLogonDlg)

TOVRIK_CREDENTIAL_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kCredentialHandlers[] = {TOVRIK_CREDENTIAL_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
