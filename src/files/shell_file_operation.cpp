// ShellFileOperation: option flags, path lists and the call to the shell.
#include "files/shell_file_operation.h"

#include <array>

#include "command/ascii.h"
#include "command/error.h"
#include "text/path_rules.h"

namespace tovrik {
namespace {

// Indexed by FileOperationOption.
constexpr std::array<std::uint16_t, kFileOptionCount> kShellFlags = {
    0x0040,  // FOF_ALLOWUNDO
    0x0002,  // FOF_CONFIRMMOUSE
    0x0080,  // FOF_FILESONLY
    0x0001,  // FOF_MULTIDESTFILES
    0x0010,  // FOF_NOCONFIRMATION
    0x0200,  // FOF_NOCONFIRMMKDIR
    0x0008,  // FOF_RENAMEONCOLLISION
    0x0004,  // FOF_SILENT
    0x0100,  // FOF_SIMPLEPROGRESS
    0x0020,  // FOF_WANTMAPPINGHANDLE
    0x0400,  // FOF_NOERRORUI
    0x0800,  // FOF_NOCOPYSECURITYATTRIBS
    0x1000,  // FOF_NORECURSION
    0x2000,  // FOF_NO_CONNECTED_ELEMENTS
    0x8000,  // FOF_NORECURSEREPARSE
    0x4000,  // FOF_WANTNUKEWARNING
};

constexpr FileOperationOptions kQuietOptions = optionSet(FileOperationOption::kNoConfirmation) |
                                               optionSet(FileOperationOption::kNoErrorUi) |
                                               optionSet(FileOperationOption::kNoConfirmMkDir);

bool startsWithDriveLetter(std::string_view path) {
  if (path.size() <= 2 || path[1] != ':') return false;
  return isAsciiLetter(path[0]);
}

}  // namespace

std::uint16_t shellFlagsOf(FileOperationOptions options) {
  std::uint16_t flags = 0;
  for (unsigned bit = 0; bit < kFileOptionCount; ++bit)
    if (options & (1u << bit)) flags = static_cast<std::uint16_t>(flags | kShellFlags[bit]);
  return flags;
}

unsigned shellFunctionOf(FileOperationKind operation) {
  switch (operation) {
    case FileOperationKind::kCopy: return 2;    // FO_COPY
    case FileOperationKind::kDelete: return 3;  // FO_DELETE
    case FileOperationKind::kMove: return 1;    // FO_MOVE
    case FileOperationKind::kRename: return 4;  // FO_RENAME
  }
  throw CommandError("Unknown file operation");
}

// A path without a full form is refused before anything is touched: left empty in the list it would
// end the list early, and an empty destination list makes the shell copy or move into the current
// directory; a full form cut to the buffer would name another item.
std::string expandFileOperationPath(std::string_view path, Shell& shell) {
  std::optional<std::string> full = shell.fullPathName(path);
  if (!full) throw PlatformError("Chemin invalide : " + std::string(path));
  if (startsWithDriveLetter(*full)) {
    if (std::optional<std::string> universal = shell.universalName(*full)) return *universal;
  }
  return *full;
}

std::string buildPathList(const std::vector<std::string>& paths, Shell& shell) {
  std::string list;
  for (const std::string& path : paths) {
    list += expandFileOperationPath(path, shell);
    list += '\0';
  }
  list += '\0';
  return list;
}

bool ShellFileOperation::execute() {
  if (sourceFiles.empty()) throw CommandError("No files specified to TJvSHFileOperation Execute function");
  // The shell takes no pattern as destination: one that matches nothing leaves it without destination,
  // and it then copies or moves into the current directory.
  for (const std::string& destination : destinationFiles)
    if (containsWildcard(destination))
      throw PlatformError("Destination invalide : " + destination);
  ShellFileOperationCall call;
  call.flags = shellFlagsOf(options);
  call.progressTitle = title;
  call.from = buildPathList(sourceFiles, shell_);
  call.to = buildPathList(destinationFiles, shell_);
  call.function = shellFunctionOf(kind);
  const ShellFileOperationOutcome outcome = shell_.runFileOperation(call);
  for (const ShellFileNameMapping& mapping : outcome.nameMappings)
    if (!mapping.oldName.empty() && !mapping.newName.empty()) notifyFileMapping(mapping.oldName, mapping.newName);
  return outcome.result == 0 && !outcome.anyOperationsAborted;
}

void ShellFileOperation::notifyFileMapping(const std::string& oldFileName, const std::string& newFileName) {
  if (onFileMapping) onFileMapping(*this, oldFileName, newFileName);
}

void setSilent(ShellFileOperation& operation, bool silent) {
  if (silent)
    operation.options = static_cast<FileOperationOptions>(operation.options | kQuietOptions);
  else
    operation.options = static_cast<FileOperationOptions>(operation.options & ~kQuietOptions);
}

}  // namespace tovrik
