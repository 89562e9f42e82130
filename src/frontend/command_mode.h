// Command mode: builds the argument list, adds the header, runs the command inside the one error guard.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command/line_list.h"
#include "platform/services.h"

namespace tovrik {

// Whether the run would wait for a person's answer (the configuration form, or a word whose row says so)
// in a window station where no window can be seen: a scheduled task run whether the user is logged on or
// not, a service. The window station is asked only for such a run.
bool noOneCanAnswer(const std::vector<std::string>& parameters, Services& services);

// parameters: the split command line (at least parameter 0 and the command word).
// Returns the lines to write; any error the command raises ends it with "SET ERROR=1", and so does a run
// that no one could answer, before anything of it happens. limit: checks each line as it is added (a
// value too long to be read whole ends the command).
LineList runCommandMode(const std::vector<std::string>& parameters, std::string_view modulePath,
                        Services& services, const LineLimit* limit = nullptr);

// A command line that is not run at all (a parameter that cannot be passed on unchanged): the header
// lines and "SET ERROR=1", nothing else.
LineList refuseCommand(Services& services, const LineLimit* limit = nullptr);

}  // namespace tovrik
