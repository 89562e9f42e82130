// Path commands: split a path into its parts, add or remove a trailing backslash, give the short (8.3) form.
#pragma once

#include <string>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/system_information.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_PATH_HANDLERS(X) \
  /* "SET STRING=" and the part of parameter 1 that each names. */ \
  X(runGetFilePath) \
  X(runGetFileName) \
  X(runGetFileExt) \
  X(runGetFileDir) \
  X(runGetFileDrive) \
  X(runGetFileNameWithoutExt) \
  /* "SET STRING=" and the short form of the existing path in parameter 1; empty when there is none. */ \
  X(runConvertToMsDosPath) \
  /* "SET DIR=" and parameter 1 with one trailing backslash added or removed. */ \
  X(runIncludeBackslash) \
  X(runExcludeBackslash)

TOVRIK_PATH_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kPathHandlers[] = {TOVRIK_PATH_HANDLERS(TOVRIK_NAME_HANDLER)};

// The drive of the system directory ("C:", or "\\server\share"), empty when it cannot be told.
std::string systemDrive(SystemInformation& system, const AnsiCharset& charset);

}  // namespace tovrik
