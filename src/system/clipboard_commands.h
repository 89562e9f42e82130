// clipboardsettext, clipboardgettext and emptyclipboard over a clipboard session.
#pragma once

#include "command/command.h"
#include "platform/clipboard_session.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_CLIPBOARD_HANDLERS(X) \
  X(runClipboardSetText) \
  X(runClipboardGetText) \
  X(runEmptyClipboard)

TOVRIK_CLIPBOARD_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kClipboardHandlers[] = {TOVRIK_CLIPBOARD_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
