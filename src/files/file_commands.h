// File command handlers: current directory, copies, renames, directory trees, sizes, dates, existence.
#pragma once

#include <cstdint>
#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/file_system.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_FILE_HANDLERS(X) \
  X(runGetCurrentDir) \
  X(runSetCurrentDir) \
  X(runFileCopy) \
  X(runFileSize) \
  X(runFileDate) \
  X(runRenameItem) \
  X(runCreateTree) \
  X(runFileExists) \
  X(runDirectoryExists)

TOVRIK_FILE_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kFileHandlers[] = {TOVRIK_FILE_HANDLERS(TOVRIK_NAME_HANDLER)};
// filecopy replaces an existing target, filecopynooverwrite keeps it.
enum class FileCopyMode { kOverwrite, kKeepExisting };

// Size of the first entry matching `path` (wildcards allowed, any kind of entry), 0 when none matches.
std::uint64_t fileSize(FileSystem& fileSystem, std::string_view path);

// Creates every missing directory along `path`, outermost first. True when the whole tree exists at the
// end; raises PlatformError when the walk up the path runs out of path (an empty or relative path whose
// first component does not exist).
bool createDirectoryTree(FileSystem& fileSystem, std::string_view path, const AnsiCharset& charset);

}  // namespace tovrik
