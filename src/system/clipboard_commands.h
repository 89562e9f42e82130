// clipboardsettext, clipboardgettext and emptyclipboard over a clipboard session.
#pragma once

#include "command/command.h"
#include "platform/clipboard_session.h"

namespace tovrik {

void runClipboardSetText(Command& command);
void runClipboardGetText(Command& command);
void runEmptyClipboard(Command& command);

}  // namespace tovrik
