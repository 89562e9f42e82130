// Splits the raw command line into parameters the way the program always has, so argument indexes
// stay what scripts expect, and brings them into the ANSI code page without ever changing a name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_names.h"

namespace tovrik {

// The command line as Windows keeps it, in UTF-16: no character outside the ANSI code page has yet been
// replaced by a look-alike, so a fullwidth quote never groups and a name keeps its letters.
// Parameter 0 is the program name as typed; parameters 1..N follow. Splitting stops at the first
// empty parameter, so an empty pair of quotes before a parameter is skipped, never returned.
std::vector<std::wstring> splitCommandLine(std::wstring_view raw);

// The parameters in the ANSI code page. One that does not convert exactly becomes the exact short form
// of the existing file or folder it names; when it names none, the whole command line is refused
// (nullopt) rather than run on a look-alike. Parameter 0, which the argument list never reads, is
// taken as it converts.
std::optional<std::vector<std::string>> toAnsiParameters(const std::vector<std::wstring>& parameters,
                                                         const AnsiNames& names);

}  // namespace tovrik
