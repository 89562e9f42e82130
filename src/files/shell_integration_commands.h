// getspecialfolder, createshortcut, installinf and findexec, and the functions behind them.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace tovrik {

// The folders of getspecialfolder. Each has its own dispatch row, whose variant is the folder.
enum SpecialFolder : int {
  kSendToFolder,
  kDesktopFolder,
  kProgramsFolder,
  kRecentsFolder,
  kStartMenuFolder,
  kWinTempFolder,
  kStartupFolder,
  kTemplatesFolder,
  kNetHoodFolder,
  kPersonalFolder,
  kSysDirFolder,
  kWinDirFolder,
  kCookiesFolder,
  kFavoritesFolder,
  kFontsFolder,
  kHistoryFolder,
  kInternetCacheFolder,
  kSpecialFolderCount,
};

// How a folder is found: through the shell by its CSIDL, or one of the directories the system names.
enum class FolderSource { kShell, kTemporary, kSystem, kWindows };

struct SpecialFolderEntry {
  std::string_view subWord;
  FolderSource source;
  int csidl;  // for FolderSource::kShell
};

// Indexed by SpecialFolder.
std::span<const SpecialFolderEntry> specialFolderTable();

// The special folder's path with a trailing backslash; "" when the shell cannot locate it.
std::string specialFolderPath(Shell& shell, const AnsiCharset& charset, int csidl);
// The temporary-files directory with a trailing backslash; "c:\" when that directory does not exist.
std::string windowsTempDirectory(Shell& shell, FileSystem& fileSystem, const AnsiCharset& charset);

// The shortcut file's name: the extension replaced by ".lnk", or ".lnk" appended when there is none.
std::string shortcutFileName(std::string_view name, const AnsiCharset& charset);
// Writes the shortcut; true when its file exists afterwards. Every failure is raised as
// "CreateFileShortcut => " followed by the cause.
bool createFileShortcut(Shell& shell, FileSystem& fileSystem, const AnsiCharset& charset, std::string_view target,
                        std::string_view shortcutName, std::string_view description,
                        std::string_view arguments);

// The command line the INF installer gets: the path goes as received, without quotes.
std::string installInfParameters(std::string_view infPath);
// Starts rundll32 on the file's DefaultInstall section, hidden, without waiting; true when it started.
bool installInf(Shell& shell, std::string_view infPath);

// The most bytes a path handed to the shell may have, the terminating NUL included (MAX_PATH).
inline constexpr std::size_t kLongestShellPath = 260;

// The program the shell associates with a document; "" when there is none, and for a path of
// kLongestShellPath bytes or more, which the shell is never asked about.
std::string findExecutable(Shell& shell, const AnsiCharset& charset, std::string_view document);

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_SHELL_INTEGRATION_HANDLERS(X) \
  /* Every dispatch row of getspecialfolder runs this; the row's variant says which sub-word it answers. */ \
  X(runGetSpecialFolder) \
  X(runCreateShortcut) \
  X(runInstallInf) \
  X(runFindExec)

TOVRIK_SHELL_INTEGRATION_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kShellIntegrationHandlers[] = {TOVRIK_SHELL_INTEGRATION_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
