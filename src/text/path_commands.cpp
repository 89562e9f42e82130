// Path command handlers: each reads parameter 1 untrimmed and adds one line.
#include "text/path_commands.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "text/path_rules.h"

namespace tovrik {

namespace {

using PathRule = std::string (*)(std::string_view, const AnsiCharset&);

void addPathPart(Command& command, std::string_view name, PathRule rule) {
  const std::string& path = command.param(1);
  command.lines.addSet(name, rule(path, command.services.ansiCharset()));
}

// No file name holds a wildcard, so a path with one names no single file; the system's lookup may take it
// as a pattern ('<', '>' and '"' are its DOS wildcards) and answer with whichever file matches first. The
// "\\?\" prefix of long paths is no pattern.
bool holdsWildcard(std::string_view path, const AnsiCharset& charset) {
  constexpr std::string_view kLongPathPrefix = "\\\\?\\";
  if (path.starts_with(kLongPathPrefix)) path.remove_prefix(kLongPathPrefix.size());
  return lastDelimiter(path, "*?<>\"", charset) != std::string_view::npos;
}

}  // namespace

void runGetFilePath(Command& command) { addPathPart(command, "STRING", extractFilePath); }
void runGetFileName(Command& command) { addPathPart(command, "STRING", extractFileName); }
void runGetFileExt(Command& command) { addPathPart(command, "STRING", extractFileExt); }
void runGetFileDir(Command& command) { addPathPart(command, "STRING", extractFileDir); }
void runGetFileDrive(Command& command) { addPathPart(command, "STRING", extractFileDrive); }
void runGetFileNameWithoutExt(Command& command) { addPathPart(command, "STRING", extractFileNameWithoutExt); }

// A path that does not exist, names nothing, or whose short form does not fit the 260-character buffer
// gives an empty value: scripts test one case, and a cut short form would name another file.
void runConvertToMsDosPath(Command& command) {
  const std::string& path = command.param(1);
  std::optional<std::string> shortPath;
  if (!path.empty() && !holdsWildcard(path, command.services.ansiCharset()))
    shortPath = command.services.fileSystem().shortPathName(path);
  command.lines.addSet("STRING", shortPath.value_or(std::string()));
}

void runIncludeBackslash(Command& command) { addPathPart(command, "DIR", includeTrailingBackslash); }
void runExcludeBackslash(Command& command) { addPathPart(command, "DIR", excludeTrailingBackslash); }

std::string systemDrive(SystemInformation& system, const AnsiCharset& charset) {
  const std::optional<std::string> directory = system.systemDirectory();
  if (!directory) return {};
  return extractFileDrive(*directory, charset);
}

}  // namespace tovrik
