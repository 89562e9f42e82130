// Splits the raw command line into parameters the way the program always has, so argument indexes
// stay what scripts expect.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_charset.h"

namespace tovrik {

// Parameter 0 is the program name as typed; parameters 1..N follow. Splitting stops at the first
// empty parameter, so an empty pair of quotes before a parameter is skipped, never returned.
std::vector<std::string> splitCommandLine(std::string_view raw, const AnsiCharset& charset);

}  // namespace tovrik
