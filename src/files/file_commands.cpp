// File command handlers.
#include "files/file_commands.h"

#include <string>
#include <vector>

#include "files/file_age.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/date_format.h"
#include "text/number_rules.h"
#include "text/path_rules.h"

namespace tovrik {

std::uint64_t fileSize(FileSystem& fileSystem, std::string_view path) {
  const std::optional<FoundEntry> entry = fileSystem.findFirst(path);
  return entry ? entry->size : 0;
}

bool createDirectoryTree(FileSystem& fileSystem, std::string_view path, const AnsiCharset& charset) {
  // Walk up the path: each step drops one trailing backslash and then the last component, and stops at a
  // directory that exists, a root too short to create, or a step that no longer shortens the path. The
  // steps are prefixes of the path, so their lengths are all that is kept, however deep the path goes.
  std::vector<std::size_t> missing;  // lengths, innermost first
  std::string_view current = path;
  for (;;) {
    if (current.empty()) throw PlatformError("Chemin vide ou relatif: \"" + std::string(path) + "\"");
    if (endsWithBackslash(current, charset)) current.remove_suffix(1);
    if (current.size() < 3 || isExistingDirectory(fileSystem, current)) break;
    const std::size_t parentLength = extractFilePath(current, charset).size();
    if (parentLength == current.size()) break;
    missing.push_back(current.size());
    current = current.substr(0, parentLength);
  }
  // Then create them outermost first; the first refusal leaves the deeper ones alone.
  for (auto length = missing.rbegin(); length != missing.rend(); ++length)
    if (!fileSystem.createDirectory(path.substr(0, *length))) return false;
  return true;
}

void runGetCurrentDir(Command& command) {
  const std::string directory = command.services.fileSystem().currentDirectory();
  command.lines.addSet("DIR", includeTrailingBackslash(directory, command.services.ansiCharset()));
}

void runSetCurrentDir(Command& command) { command.services.fileSystem().setCurrentDirectory(command.param(1)); }

void runFileCopy(Command& command) {
  const bool keepExisting = command.variantIs(FileCopyMode::kKeepExisting, FileCopyMode::kOverwrite);
  const std::string& existing = command.param(1);
  const std::string& target = command.param(2);
  command.services.fileSystem().copyFile(existing, target, keepExisting);
}

void runFileSize(Command& command) {
  // All 64 bits of the size: a 5 GiB file is 5 GiB, not its remainder modulo 4 GiB.
  const std::uint64_t size = fileSize(command.services.fileSystem(), command.param(1));
  const char separator = command.services.regionalSettings().decimalSeparator;
  const long double divisor = readDecimalText(command.param(2), separator);
  command.lines.addSet("SIZE", formatRounded(checkedDiv(static_cast<long double>(size), divisor), separator));
}

void runFileDate(Command& command) {
  const std::string& path = command.param(1);
  const std::optional<std::uint32_t> age = readFileAge(command.services.fileSystem(), path);
  const std::string& format = command.param(2);
  if (!age) throw PlatformError("Pas de date pour \"" + path + "\"");
  command.lines.addSet("DATE", formatDateTime(formatOrDefault(format), decodeDosDateTime(*age),
                                              command.services.regionalSettings(), command.services.ansiCharset()));
}

void runRenameItem(Command& command) {
  const std::string& existing = command.param(1);
  const std::string& target = command.param(2);
  command.services.fileSystem().moveFile(existing, target);
}

void runCreateTree(Command& command) {
  createDirectoryTree(command.services.fileSystem(), command.param(1), command.services.ansiCharset());
}

void runFileExists(Command& command) {
  const bool exists = readFileAge(command.services.fileSystem(), command.param(1)).has_value();
  command.lines.addSet("ITEMEXISTS", exists ? "1" : "0");
}

void runDirectoryExists(Command& command) {
  command.lines.addSet("ITEMEXISTS", isExistingDirectory(command.services.fileSystem(), command.param(1)) ? "1" : "0");
}

}  // namespace tovrik
