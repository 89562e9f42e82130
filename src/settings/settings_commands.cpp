// /config, registervar, getvar and deletevar.
#include "settings/settings_commands.h"

#include "command/error.h"
#include "platform/services.h"
#include "settings/settings_store.h"
#include "settings/user_variables.h"
#include "text/path_commands.h"

namespace tovrik {

void runConfig(Command& command) {
  const std::string drive = systemDrive(command.services.systemInformation(), command.services.ansiCharset());
  if (drive.empty()) throw PlatformError("Lecteur syst\xE8me introuvable");
  const std::string path = drive.substr(0, 1) + ":\\Tovrik.bat";
  writeSetting(command.services.registry(), kReturnFileValueName, path);
  publishEnvironmentVariable(command.services.registry(), command.services.environment(), kReturnFileVariable, path);
}

void runRegisterVar(Command& command) {
  const std::string& name = command.param(1);
  const std::string& value = command.param(2);
  writeUserVariable(command.services.registry(), name, value);
}

void runGetVar(Command& command) {
  const std::string& name = command.param(1);
  const std::string& fallback = command.param(2);
  command.lines.addSet("VAR", readUserVariable(command.services.registry(), name, fallback));
}

void runDeleteVar(Command& command) {
  deleteUserVariable(command.services.registry(), command.param(1));
}

}  // namespace tovrik
