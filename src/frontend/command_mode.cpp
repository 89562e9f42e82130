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

namespace {

// The header's pattern uses the locale's separators alone: the rest of the regional settings is read only
// by the words that need it.
RegionalSettings headerSettings(const DateTimeSeparators& separators) {
  RegionalSettings settings;
  settings.dateSeparator = separators.date;
  settings.timeSeparator = separators.time;
  return settings;
}

// The one error guard, around the header lines and `body`: whatever either raises ends the lines with
// "SET ERROR=1", after those already added.
template <class Body>
LineList runGuarded(Services& services, const LineLimit* limit, Body body) {
  LineList lines(limit);
  try {
    addHeaderLines(lines, services.clock().localTime(), headerSettings(services.dateTimeSeparators()));
    body(lines);
  } catch (const std::exception&) {
    lines.addError();
  }
  return lines;
}

}  // namespace

LineList runCommandMode(const std::vector<std::string>& parameters, std::string_view modulePath,
                        Services& services, const LineLimit* limit) {
  return runGuarded(services, limit, [&](LineList& lines) {
    const ArgumentList args(modulePath, parameters);
    // A window no one can see would wait for ever, and the script with it.
    if (noOneCanAnswer(parameters, services)) throw NoOneToAnswerError("No visible window station");
    const std::string word = commandWordOf(args.at(1));
    Command command{args, lines, services, word, parameters};
    dispatchCommand(command);
  });
}

LineList refuseCommand(Services& services, const LineLimit* limit) {
  return runGuarded(services, limit, [](LineList& lines) { lines.addError(); });
}

}  // namespace tovrik
