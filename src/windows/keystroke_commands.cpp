// sendkeys and sendkeyswait: the key string typed by the keystroke engine; nothing is reported.
#include "windows/keystroke_commands.h"

#include "platform/services.h"
#include "windows/send_keys_api.h"

namespace tovrik {

void runSendKeys(Command& command) {
  const bool wait = command.variantIs(SendKeysMode::kWait, SendKeysMode::kNoWait);
  sendKeys(command.param(1), wait, command.services.keySink());
}

}  // namespace tovrik
