// Shell integration: special folders, shortcuts, INF installation and executable lookup.
#include "files/shell_integration_commands.h"

#include <array>
#include <optional>

#include "files/file_age.h"
#include "command/argument_list.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/ascii_case.h"
#include "text/path_rules.h"

namespace tovrik {
namespace {

constexpr std::array<SpecialFolderEntry, kSpecialFolderCount> kSpecialFolders = {{
    {"sendto", FolderSource::kShell, 9},            // CSIDL_SENDTO
    {"desktop", FolderSource::kShell, 16},          // CSIDL_DESKTOPDIRECTORY
    {"programs", FolderSource::kShell, 2},          // CSIDL_PROGRAMS
    {"recents", FolderSource::kShell, 8},           // CSIDL_RECENT
    {"startmenu", FolderSource::kShell, 11},        // CSIDL_STARTMENU
    {"wintemp", FolderSource::kTemporary, 0},
    {"startup", FolderSource::kShell, 7},           // CSIDL_STARTUP
    {"templates", FolderSource::kShell, 21},        // CSIDL_TEMPLATES
    {"nethood", FolderSource::kShell, 19},          // CSIDL_NETHOOD
    {"personal", FolderSource::kShell, 5},          // CSIDL_PERSONAL
    {"sysdir", FolderSource::kSystem, 0},
    {"windir", FolderSource::kWindows, 0},
    {"cookies", FolderSource::kShell, 33},          // CSIDL_COOKIES
    {"favorites", FolderSource::kShell, 6},         // CSIDL_FAVORITES
    {"fonts", FolderSource::kShell, 20},            // CSIDL_FONTS
    {"history", FolderSource::kShell, 34},          // CSIDL_HISTORY
    {"internetcache", FolderSource::kShell, 32},    // CSIDL_INTERNET_CACHE
}};

constexpr int kShowCommandShow = 5;  // SW_SHOW
constexpr int kShowCommandHide = 0;  // SW_HIDE

// A system directory comes without a trailing backslash; one that cannot be read stays empty rather
// than becoming a lone backslash, which would name the current drive's root.
std::string withTrailingBackslash(const std::optional<std::string>& directory, const AnsiCharset& charset) {
  if (!directory || directory->empty()) return std::string();
  return includeTrailingBackslash(*directory, charset);
}

std::string folderPath(Command& command, const SpecialFolderEntry& folder) {
  Shell& shell = command.services.shell();
  const AnsiCharset& charset = command.services.ansiCharset();
  switch (folder.source) {
    case FolderSource::kShell: return specialFolderPath(shell, charset, folder.csidl);
    case FolderSource::kTemporary: return windowsTempDirectory(shell, command.services.fileSystem(), charset);
    case FolderSource::kSystem:
      return withTrailingBackslash(command.services.systemInformation().systemDirectory(), charset);
    case FolderSource::kWindows: return withTrailingBackslash(shell.windowsDirectory(), charset);
  }
  return std::string();
}

}  // namespace

std::span<const SpecialFolderEntry> specialFolderTable() { return kSpecialFolders; }

std::string specialFolderPath(Shell& shell, const AnsiCharset& charset, int csidl) {
  const std::optional<std::string> path = shell.specialFolderPath(csidl);
  if (!path) return std::string();
  return includeTrailingBackslash(*path, charset);
}

std::string windowsTempDirectory(Shell& shell, FileSystem& fileSystem, const AnsiCharset& charset) {
  std::optional<std::string> path = shell.temporaryPath();
  if (!path || !isExistingDirectory(fileSystem, *path)) path = "c:";
  return includeTrailingBackslash(*path, charset);
}

std::string shortcutFileName(std::string_view name, const AnsiCharset& charset) {
  const std::string extension = extractFileExt(name, charset);
  std::string fileName(name.substr(0, name.size() - extension.size()));
  return fileName + ".lnk";
}

bool createFileShortcut(Shell& shell, FileSystem& fileSystem, const AnsiCharset& charset, std::string_view target,
                        std::string_view shortcutName, std::string_view description,
                        std::string_view arguments) {
  ShellLinkSpec link;
  try {
    // A directory has no age: only files can be targets. A pattern has the age of its first match, yet
    // a shortcut to a pattern leads nowhere.
    if (containsWildcard(target) || !readFileAge(fileSystem, target))
      throw PlatformError("Echec fonction CreateFileShortcut (fichier " + lowerAsciiLetters(target, charset) +
                          " non trouv\xE9)");
    link.target = std::string(target);
    link.arguments = std::string(arguments);
    link.description = std::string(description);
    link.showCommand = kShowCommandShow;
    link.fileName = shortcutFileName(shortcutName, charset);
    shell.saveShellLink(link);
  } catch (const CommandError& error) {
    throw PlatformError(std::string("CreateFileShortcut => ") + error.what());
  }
  return readFileAge(fileSystem, link.fileName).has_value();
}

std::string installInfParameters(std::string_view infPath) {
  return "setupapi,InstallHinfSection DefaultInstall 132 " + std::string(infPath);
}

bool installInf(Shell& shell, std::string_view infPath) {
  return shell.shellExecute("open", "rundll32.exe", installInfParameters(infPath), kShowCommandHide);
}

std::string findExecutable(Shell& shell, const AnsiCharset& charset, std::string_view document) {
  // The shell's lookup copies the path into fixed buffers: a longer one overflows its stack (Wine) or is
  // cut to another name. No file can have such a path, so it has no associated program either.
  if (document.size() >= kLongestShellPath) return std::string();
  return shell.findExecutable(extractFileName(document, charset), extractFilePath(document, charset));
}

void runGetSpecialFolder(Command& command) {
  const std::string subWord = commandWordOf(command.param(1));
  const std::span<const SpecialFolderEntry> table = specialFolderTable();
  if (command.variant < 0 || static_cast<std::size_t>(command.variant) >= table.size()) command.rejectVariant();
  const SpecialFolderEntry& folder = table[static_cast<std::size_t>(command.variant)];
  if (subWord != folder.subWord) return;
  command.lines.addSet("DIR", folderPath(command, folder));
}

void runCreateShortcut(Command& command) {
  const std::string& target = command.param(1);
  const std::string& shortcutName = command.param(2);
  const std::string& description = command.param(3);
  const std::string& arguments = command.param(4);
  createFileShortcut(command.services.shell(), command.services.fileSystem(), command.services.ansiCharset(), target,
                     shortcutName, description, arguments);
}

void runInstallInf(Command& command) { installInf(command.services.shell(), command.param(1)); }

void runFindExec(Command& command) {
  command.lines.addSet("EXEPATH",
                       findExecutable(command.services.shell(), command.services.ansiCharset(), command.param(1)));
}

}  // namespace tovrik
