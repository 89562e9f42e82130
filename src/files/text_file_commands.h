// Text and INI file command handlers: line count, one line, INI write and read.
#pragma once

#include "command/command.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_TEXT_FILE_HANDLERS(X) \
  X(runCountLinesOfTextFile) \
  X(runReadLineOfTextFile) \
  X(runIniWrite) \
  X(runIniRead)

TOVRIK_TEXT_FILE_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kTextFileHandlers[] = {TOVRIK_TEXT_FILE_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
