// Command mode: builds the argument list, adds the header, runs the command inside the one error guard.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command/line_list.h"
#include "platform/services.h"

namespace tovrik {

// parameters: the split command line (at least parameter 0 and the command word).
// Returns the lines to write; any error the command raises ends it with "SET ERROR=1".
LineList runCommandMode(const std::vector<std::string>& parameters, std::string_view modulePath,
                        Services& services);

// A command line that is not run at all (a parameter that cannot be passed on unchanged): the header
// lines and "SET ERROR=1", nothing else.
LineList refuseCommand(Services& services);

}  // namespace tovrik
