// String command handlers.
#include "text/string_commands.h"

#include <string>

namespace tovrik {

void runStrLength(Command& command) {
  command.lines.addSet("STRLEN", std::to_string(command.arg(2).size()));
}

void runGetVersion(Command& command) { command.lines.addSet("RESULT", "1000"); }

}  // namespace tovrik
