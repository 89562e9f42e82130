// The one error guard: whatever a command raises becomes the last line "SET ERROR=1"; the lines it
// added before stay.
#include "frontend/command_mode.h"

#include <exception>

#include "command/argument_list.h"
#include "command/command.h"
#include "command/error.h"
#include "frontend/dispatch.h"
#include "frontend/return_file.h"
#include "platform/services.h"

namespace tovrik {

bool noOneCanAnswer(const std::vector<std::string>& parameters, Services& services) {
  return waitsForAnswer(parameters) && !services.windowStation().hasVisibleSurfaces();
}

LineList runCommandMode(const std::vector<std::string>& parameters, std::string_view modulePath,
                        Services& services) {
  LineList lines;
  try {
    const ArgumentList args(modulePath, parameters);
    addHeaderLines(lines, services.clock().localTime(), services.regionalSettings());
    // A window no one can see would wait for ever, and the script with it.
    if (noOneCanAnswer(parameters, services)) throw NoOneToAnswerError("No visible window station");
    const std::string word = commandWordOf(args.at(1));
    Command command{args, lines, services, word, parameters};
    dispatchCommand(command);
  } catch (const std::exception&) {
    lines.addError();
  }
  return lines;
}

LineList refuseCommand(Services& services) {
  LineList lines;
  try {
    addHeaderLines(lines, services.clock().localTime(), services.regionalSettings());
  } catch (const std::exception&) {
    // Same guard as a command's: whatever the header raises, the file still ends with the error.
  }
  lines.addError();
  return lines;
}

}  // namespace tovrik
