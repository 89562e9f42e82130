// Path commands: split a path into its parts, add or remove a trailing backslash, give the short (8.3) form.
#pragma once

#include <string>

#include "command/command.h"

namespace tovrik {

// "SET STRING=" and the part of argument 2 that each names.
void runGetFilePath(Command& command);
void runGetFileName(Command& command);
void runGetFileExt(Command& command);
void runGetFileDir(Command& command);
void runGetFileDrive(Command& command);
void runGetFileNameWithoutExt(Command& command);
// "SET STRING=" and the short form of the existing path in argument 2; empty when there is none.
void runConvertToMsDosPath(Command& command);
// "SET DIR=" and argument 2 with one trailing backslash added or removed.
void runIncludeBackslash(Command& command);
void runExcludeBackslash(Command& command);

// The drive of the system directory ("C:", or "\\server\share"), empty when it cannot be told.
std::string systemDrive(Services& services);

}  // namespace tovrik
