// The credentials come back in plain text, the EXECUTED line last.
#include "dialogs/credential_commands.h"

#include "platform/services.h"

namespace tovrik {

void runCreatePasswordDlg(Command& command) {
  const std::string& title = command.param(1);
  const std::string& prompt = command.param(2);
  const EnteredCredentials entered = command.services.credentialDialogs().askPassword(title, prompt);
  if (!entered.accepted) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  command.lines.addSecret("PASSWORD", entered.password);
  command.lines.addSet("EXECUTED", "1");
}

void runCreateLogonDlg(Command& command) {
  const std::string& title = command.param(1);
  const std::string& userPrompt = command.param(2);
  const std::string& passwordPrompt = command.param(3);
  const EnteredCredentials entered =
      command.services.credentialDialogs().askLogon(title, userPrompt, passwordPrompt);
  if (!entered.accepted) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  command.lines.addSecret("PASSWORD", entered.password);
  command.lines.addSet("TEXT", entered.userName);
  command.lines.addSet("EXECUTED", "1");
}

}  // namespace tovrik
