// Command table. A family adds its words here, one row per word; words that share a handler give it the
// behaviour by the row's variant, a value of the family's enum, never by their spelling. A word tested
// several times in turn (getspecialfolder) has one row per test, told apart the same way.
#include "frontend/dispatch.h"

#include "dialogs/credential_commands.h"
#include "dialogs/standard_dialog_commands.h"
#include "dialogs/status_window_commands.h"
#include "files/file_commands.h"
#include "files/shell_commands.h"
#include "files/shell_integration_commands.h"
#include "files/text_file_commands.h"
#include "command/argument_list.h"
#include "settings/settings_commands.h"
#include "system/clipboard_commands.h"
#include "system/network_commands.h"
#include "system/session_commands.h"
#include "system/system_info_commands.h"
#include "text/arithmetic_commands.h"
#include "text/path_commands.h"
#include "text/string_commands.h"
#include "windows/keystroke_commands.h"
#include "windows/process_commands.h"
#include "windows/window_commands.h"

namespace tovrik {
namespace {

constexpr CommandEntry kCommands[] = {
    {"/config", runConfig},
    {"closewaitdlg", runCloseStatusWindow},
    {"closeprogressdlg", runCloseStatusWindow},
    {"incrementprogressform", runProgressForm, ProgressChange::kIncrement},
    {"setprogressform", runProgressForm, ProgressChange::kSet},
    {"createwaitdlg", runCreateWaitDlg, 0, true},
    {"createprogressdlg", runCreateProgressDlg, 0, true},
    {"createpassworddlg", runCreatePasswordDlg},
    {"createlongondlg", runCreateLogonDlg},
    {"registervar", runRegisterVar},
    {"getvar", runGetVar},
    {"deletevar", runDeleteVar},
    {"getversion", runGetVersion},
    {"strlength", runStrLength},
    {"strpos", runStrPos},
    {"strcopy", runStrCopy},
    {"uppercase", runUpperCase},
    {"lowercase", runLowerCase},
    {"isnumeric", runIsNumeric},
    {"compare", runCompare},
    {"getdate", runGetDate},
    {"add", runAdd},
    {"sub", runSub},
    {"mul", runMul},
    {"div", runDiv},
    {"inc", runInc},
    {"dec", runDec},
    {"round", runRound},
    {"sqr", runSqr},
    {"abs", runAbs},
    {"pwr", runPwr},
    {"random", runRandom},
    {"getfilepath", runGetFilePath},
    {"getfilename", runGetFileName},
    {"getfileext", runGetFileExt},
    {"getfiledir", runGetFileDir},
    {"getfiledrive", runGetFileDrive},
    {"getfilenamewithoutext", runGetFileNameWithoutExt},
    {"converttomsdospath", runConvertToMsDosPath},
    {"includebackslash", runIncludeBackslash},
    {"excludebackslash", runExcludeBackslash},
    {"getcurrentdir", runGetCurrentDir},
    {"setcurrentdir", runSetCurrentDir},
    {"filecopy", runFileCopy, FileCopyMode::kOverwrite},
    {"filecopynooverwrite", runFileCopy, FileCopyMode::kKeepExisting},
    {"filesize", runFileSize},
    {"filedate", runFileDate},
    {"renameitem", runRenameItem},
    {"createtree", runCreateTree},
    {"fileexists", runFileExists},
    {"directoryexists", runDirectoryExists},
    {"countlinesoftextfile", runCountLinesOfTextFile},
    {"readlineoftextfile", runReadLineOfTextFile},
    {"iniwrite", runIniWrite},
    {"iniread", runIniRead},
    {"silentdircopy", runDirCopy, DirOperationMode::kSilent},
    {"dircopy", runDirCopy, DirOperationMode::kConfirm},
    {"silentdirmove", runDirMove, DirOperationMode::kSilent},
    {"dirmove", runDirMove, DirOperationMode::kConfirm},
    {"silentdirdelete", runDirDelete, DirOperationMode::kSilent},
    {"dirdelete", runDirDelete, DirOperationMode::kConfirm},
    // One row per sub-word, in the order the words are tested; at most one of them matches.
    {"getspecialfolder", runGetSpecialFolder, kSendToFolder},
    {"getspecialfolder", runGetSpecialFolder, kDesktopFolder},
    {"getspecialfolder", runGetSpecialFolder, kProgramsFolder},
    {"getspecialfolder", runGetSpecialFolder, kRecentsFolder},
    {"getspecialfolder", runGetSpecialFolder, kStartMenuFolder},
    {"getspecialfolder", runGetSpecialFolder, kWinTempFolder},
    {"getspecialfolder", runGetSpecialFolder, kStartupFolder},
    {"getspecialfolder", runGetSpecialFolder, kTemplatesFolder},
    {"getspecialfolder", runGetSpecialFolder, kNetHoodFolder},
    {"getspecialfolder", runGetSpecialFolder, kPersonalFolder},
    {"getspecialfolder", runGetSpecialFolder, kSysDirFolder},
    {"getspecialfolder", runGetSpecialFolder, kWinDirFolder},
    {"getspecialfolder", runGetSpecialFolder, kCookiesFolder},
    {"getspecialfolder", runGetSpecialFolder, kFavoritesFolder},
    {"getspecialfolder", runGetSpecialFolder, kFontsFolder},
    {"getspecialfolder", runGetSpecialFolder, kHistoryFolder},
    {"getspecialfolder", runGetSpecialFolder, kInternetCacheFolder},
    {"createshortcut", runCreateShortcut},
    {"installinf", runInstallInf},
    {"findexec", runFindExec},
    // Standard dialogs.
    {"createopendialog", runFileDialog, FileDialogKind::kOpen},
    {"createsavedialog", runFileDialog, FileDialogKind::kSave},
    {"createinputdialog", runCreateInputDialog},
    {"browsedirectory", runBrowseDirectory},
    {"dlgcritical", runMessageBox, MessageBoxKind::kCritical},
    {"dlgwarning", runMessageBox, MessageBoxKind::kWarning},
    {"dlginformation", runMessageBox, MessageBoxKind::kInformation},
    {"dlgyesno", runMessageBox, MessageBoxKind::kYesNo},
    {"dlgokcancel", runMessageBox, MessageBoxKind::kOkCancel},
    {"messagebeep", runMessageBeep},
    {"playwav", runPlayWav},

    // Window, keystroke and process commands.
    {"findwinhandle", runFindWinHandle, WinHandleMode::kFind},
    {"winactivate", runFindWinHandle, WinHandleMode::kActivate},
    {"findwindow", runFindWindow, WindowMatch::kTitle},
    {"findwindowclass", runFindWindow, WindowMatch::kClass},
    {"closewin", runCloseWin},
    {"hidewin", runHideWin},
    {"getwindowtext", runGetWindowText},
    {"postmessage", runPostMessage},
    {"sendkeys", runSendKeys, SendKeysMode::kNoWait},
    {"sendkeyswait", runSendKeys, SendKeysMode::kWait},
    {"exec", runExec},
    {"shellexecute", runShellExecute},
    {"killapp", runKillApp},
    {"sleep", runSleep},

    // System commands: session and power, system information, network, clipboard.
    {"shutdown", runExitWindows, ExitKind::kShutdown},
    {"logoff", runExitWindows, ExitKind::kLogoff},
    {"reboot", runExitWindows, ExitKind::kReboot},
    {"monitorpoweroff", runMonitorPowerOff},
    {"getwinver", runGetWinVer},
    {"getsystemdrive", runGetSystemDrive},
    {"getvolumeserial", runGetVolumeSerial},
    {"getvolumelabel", runGetVolumeLabel},
    {"diskindrive", runDiskInDrive},
    {"getguid", runGetGuid},
    {"isconnected", runIsConnected},
    {"getip", runGetIp},
    {"netstartconbox", runNetStartConBox},
    {"netstartcon", runNetStartCon},
    {"netclosecon", runNetCloseCon},
    {"clipboardsettext", runClipboardSetText},
    {"clipboardgettext", runClipboardGetText},
    {"emptyclipboard", runEmptyClipboard},

};

}  // namespace

std::span<const CommandEntry> commandTable() { return kCommands; }

std::vector<NamedHandler> declaredHandlers() {
  const std::span<const NamedHandler> families[] = {
      kSettingsHandlers,   kStringHandlers,         kArithmeticHandlers, kPathHandlers,
      kFileHandlers,       kTextFileHandlers,       kShellHandlers,      kShellIntegrationHandlers,
      kStandardDialogHandlers, kCredentialHandlers, kStatusWindowHandlers, kWindowHandlers,
      kKeystrokeHandlers,  kProcessHandlers,        kSessionHandlers,    kSystemInfoHandlers,
      kNetworkHandlers,    kClipboardHandlers,
  };
  std::vector<NamedHandler> handlers;
  for (const std::span<const NamedHandler> family : families)
    handlers.insert(handlers.end(), family.begin(), family.end());
  return handlers;
}

bool keepsPreviousReturnFile(const std::vector<std::string>& parameters) {
  if (parameters.size() < 2) return false;
  const std::string word = commandWordOf(removeNullMarkers(parameters[1]));
  for (const CommandEntry& entry : kCommands)
    if (entry.word == word && entry.keepsPreviousReturnFile) return true;
  return false;
}

void dispatchCommand(Command& command) {
  for (const CommandEntry& entry : kCommands)
    if (entry.word == command.word) {
      command.variant = entry.variant;
      entry.handler(command);
    }
}

}  // namespace tovrik
