// The clipboard's plain text: set, read, empty.
#include "system/clipboard_commands.h"

#include "platform/services.h"

namespace tovrik {

void runClipboardSetText(Command& command) {
  const std::string& text = command.param(1);
  ClipboardSession(command.services.clipboard()).setText(text);
}

void runClipboardGetText(Command& command) {
  command.lines.addSet("CLIPBOARD", ClipboardSession(command.services.clipboard()).text());
}

// EmptyClipboard works only on an open clipboard, so the command opens it around the call; a clipboard
// another program holds open stays as it is, and the command reports nothing either way.
void runEmptyClipboard(Command& command) {
  ClipboardSession session(command.services.clipboard());
  if (!session.open()) return;
  session.emptyOnce();
  session.close();
}

}  // namespace tovrik
