// File command handlers: current directory, copies, renames, directory trees, sizes, dates, existence.
#pragma once

#include <cstdint>
#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/file_system.h"

namespace tovrik {

void runGetCurrentDir(Command& command);
void runSetCurrentDir(Command& command);
// filecopy replaces an existing target, filecopynooverwrite keeps it.
enum class FileCopyMode { kOverwrite, kKeepExisting };

void runFileCopy(Command& command);
void runFileSize(Command& command);
void runFileDate(Command& command);
void runRenameItem(Command& command);
void runCreateTree(Command& command);
void runFileExists(Command& command);
void runDirectoryExists(Command& command);

// Size of the first entry matching `path` (wildcards allowed, any kind of entry), 0 when none matches.
std::uint64_t fileSize(FileSystem& fileSystem, std::string_view path);

// Creates every missing directory along `path`, outermost first. True when the whole tree exists at the
// end; raises PlatformError when the walk up the path runs out of path (an empty or relative path whose
// first component does not exist).
bool createDirectoryTree(FileSystem& fileSystem, std::string_view path, const AnsiCharset& charset);

}  // namespace tovrik
