// sendkeys and sendkeyswait: the key string typed by the keystroke engine; nothing is reported.
#include "windows/keystroke_commands.h"

#include "platform/services.h"
#include "windows/send_keys_api.h"

namespace tovrik {

namespace {

bool waitsOf(const Command& command) {
  switch (command.variantAs<SendKeysMode>()) {
    case SendKeysMode::kNoWait: return false;
    case SendKeysMode::kWait: return true;
  }
  command.rejectVariant();
}

}  // namespace

void runSendKeys(Command& command) {
  const bool wait = waitsOf(command);
  SendKeys(command.arg(2), wait, command.services.keySink());
}

}  // namespace tovrik
