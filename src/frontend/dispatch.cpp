// Command table. A family adds its words here, one row per word; words that share a handler give it the
// behaviour by the row's variant, a value of the family's enum, never by their spelling. A word tested
// several times in turn (getspecialfolder) has one row per test, told apart the same way. A word that
// shows a window waiting for a person's answer says so by .waitsForAnswer; the front end then asks the
// window station before the handler runs. Where the word takes a time-out, .timeOutParam names its
// argument.
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
#include "system/notification_commands.h"
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
    {.word = "/config", .handler = runConfig},
    {.word = "closewaitdlg", .handler = runCloseStatusWindow},
    {.word = "closeprogressdlg", .handler = runCloseStatusWindow},
    {.word = "incrementprogressform", .handler = runProgressForm, .variant = ProgressChange::kIncrement},
    {.word = "setprogressform", .handler = runProgressForm, .variant = ProgressChange::kSet},
    {.word = "createwaitdlg", .handler = runCreateWaitDlg, .keepsPreviousReturnFile = true},
    {.word = "createprogressdlg", .handler = runCreateProgressDlg, .keepsPreviousReturnFile = true},
    {.word = "createpassworddlg", .handler = runCreatePasswordDlg, .waitsForAnswer = true},
    {.word = "createlongondlg", .handler = runCreateLogonDlg, .waitsForAnswer = true},
    {.word = "registervar", .handler = runRegisterVar},
    {.word = "getvar", .handler = runGetVar},
    {.word = "deletevar", .handler = runDeleteVar},
    {.word = "getversion", .handler = runGetVersion},
    {.word = "strlength", .handler = runStrLength},
    {.word = "strpos", .handler = runStrPos},
    {.word = "strcopy", .handler = runStrCopy},
    {.word = "uppercase", .handler = runUpperCase},
    {.word = "lowercase", .handler = runLowerCase},
    {.word = "isnumeric", .handler = runIsNumeric},
    {.word = "compare", .handler = runCompare},
    {.word = "getdate", .handler = runGetDate},
    {.word = "add", .handler = runAdd},
    {.word = "sub", .handler = runSub},
    {.word = "mul", .handler = runMul},
    {.word = "div", .handler = runDiv},
    {.word = "inc", .handler = runInc},
    {.word = "dec", .handler = runDec},
    {.word = "round", .handler = runRound},
    {.word = "sqr", .handler = runSqr},
    {.word = "abs", .handler = runAbs},
    {.word = "pwr", .handler = runPwr},
    {.word = "random", .handler = runRandom},
    {.word = "getfilepath", .handler = runGetFilePath},
    {.word = "getfilename", .handler = runGetFileName},
    {.word = "getfileext", .handler = runGetFileExt},
    {.word = "getfiledir", .handler = runGetFileDir},
    {.word = "getfiledrive", .handler = runGetFileDrive},
    {.word = "getfilenamewithoutext", .handler = runGetFileNameWithoutExt},
    {.word = "converttomsdospath", .handler = runConvertToMsDosPath},
    {.word = "includebackslash", .handler = runIncludeBackslash},
    {.word = "excludebackslash", .handler = runExcludeBackslash},
    {.word = "getcurrentdir", .handler = runGetCurrentDir},
    {.word = "setcurrentdir", .handler = runSetCurrentDir},
    {.word = "filecopy", .handler = runFileCopy, .variant = FileCopyMode::kOverwrite},
    {.word = "filecopynooverwrite", .handler = runFileCopy, .variant = FileCopyMode::kKeepExisting},
    {.word = "filesize", .handler = runFileSize},
    {.word = "filedate", .handler = runFileDate},
    {.word = "renameitem", .handler = runRenameItem},
    {.word = "createtree", .handler = runCreateTree},
    {.word = "fileexists", .handler = runFileExists},
    {.word = "directoryexists", .handler = runDirectoryExists},
    {.word = "countlinesoftextfile", .handler = runCountLinesOfTextFile},
    {.word = "readlineoftextfile", .handler = runReadLineOfTextFile},
    {.word = "iniwrite", .handler = runIniWrite},
    {.word = "iniread", .handler = runIniRead},
    {.word = "silentdircopy", .handler = runDirCopy, .variant = DirOperationMode::kSilent},
    {.word = "dircopy", .handler = runDirCopy, .variant = DirOperationMode::kConfirm, .waitsForAnswer = true},
    {.word = "silentdirmove", .handler = runDirMove, .variant = DirOperationMode::kSilent},
    {.word = "dirmove", .handler = runDirMove, .variant = DirOperationMode::kConfirm, .waitsForAnswer = true},
    {.word = "silentdirdelete", .handler = runDirDelete, .variant = DirOperationMode::kSilent},
    {.word = "dirdelete", .handler = runDirDelete, .variant = DirOperationMode::kConfirm, .waitsForAnswer = true},
    // One row per sub-word, in the order the words are tested; at most one of them matches.
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kSendToFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kDesktopFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kProgramsFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kRecentsFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kStartMenuFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kWinTempFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kStartupFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kTemplatesFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kNetHoodFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kPersonalFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kSysDirFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kWinDirFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kCookiesFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kFavoritesFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kFontsFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kHistoryFolder},
    {.word = "getspecialfolder", .handler = runGetSpecialFolder, .variant = kInternetCacheFolder},
    {.word = "createshortcut", .handler = runCreateShortcut},
    {.word = "installinf", .handler = runInstallInf},
    {.word = "findexec", .handler = runFindExec},
    // Standard dialogs.
    {.word = "createopendialog", .handler = runFileDialog, .variant = FileDialogKind::kOpen, .waitsForAnswer = true},
    {.word = "createsavedialog", .handler = runFileDialog, .variant = FileDialogKind::kSave, .waitsForAnswer = true},
    {.word = "createinputdialog", .handler = runCreateInputDialog, .waitsForAnswer = true, .timeOutParam = 4},
    {.word = "createlistdialog", .handler = runCreateListDialog, .waitsForAnswer = true, .timeOutParam = 5},
    {.word = "browsedirectory", .handler = runBrowseDirectory, .waitsForAnswer = true},
    {.word = "dlgcritical",
     .handler = runMessageBox,
     .variant = MessageBoxKind::kCritical,
     .waitsForAnswer = true,
     .timeOutParam = 2},
    {.word = "dlgwarning",
     .handler = runMessageBox,
     .variant = MessageBoxKind::kWarning,
     .waitsForAnswer = true,
     .timeOutParam = 2},
    {.word = "dlginformation",
     .handler = runMessageBox,
     .variant = MessageBoxKind::kInformation,
     .waitsForAnswer = true,
     .timeOutParam = 2},
    {.word = "dlgyesno",
     .handler = runMessageBox,
     .variant = MessageBoxKind::kYesNo,
     .waitsForAnswer = true,
     .timeOutParam = 2},
    {.word = "dlgokcancel",
     .handler = runMessageBox,
     .variant = MessageBoxKind::kOkCancel,
     .waitsForAnswer = true,
     .timeOutParam = 2},
    {.word = "messagebeep", .handler = runMessageBeep},
    {.word = "playwav", .handler = runPlayWav},

    // Window, keystroke and process commands.
    {.word = "findwinhandle", .handler = runFindWinHandle, .variant = WinHandleMode::kFind},
    {.word = "winactivate", .handler = runFindWinHandle, .variant = WinHandleMode::kActivate},
    {.word = "findwindow", .handler = runFindWindow, .variant = WindowMatch::kTitle},
    {.word = "findwindowclass", .handler = runFindWindow, .variant = WindowMatch::kClass},
    {.word = "closewin", .handler = runCloseWin},
    {.word = "hidewin", .handler = runHideWin},
    {.word = "getwindowtext", .handler = runGetWindowText},
    {.word = "postmessage", .handler = runPostMessage},
    {.word = "sendkeys", .handler = runSendKeys, .variant = SendKeysMode::kNoWait},
    {.word = "sendkeyswait", .handler = runSendKeys, .variant = SendKeysMode::kWait},
    {.word = "exec", .handler = runExec},
    {.word = "shellexecute", .handler = runShellExecute},
    {.word = "killapp", .handler = runKillApp},
    {.word = "sleep", .handler = runSleep},

    // System commands: session and power, system information, network, clipboard.
    {.word = "shutdown", .handler = runExitWindows, .variant = ExitKind::kShutdown},
    {.word = "logoff", .handler = runExitWindows, .variant = ExitKind::kLogoff},
    {.word = "reboot", .handler = runExitWindows, .variant = ExitKind::kReboot},
    {.word = "monitorpoweroff", .handler = runMonitorPowerOff},
    {.word = "getwinver", .handler = runGetWinVer},
    {.word = "getsystemdrive", .handler = runGetSystemDrive},
    {.word = "getvolumeserial", .handler = runGetVolumeSerial},
    {.word = "getvolumelabel", .handler = runGetVolumeLabel},
    {.word = "diskindrive", .handler = runDiskInDrive},
    {.word = "getguid", .handler = runGetGuid},
    {.word = "isconnected", .handler = runIsConnected},
    {.word = "getip", .handler = runGetIp},
    {.word = "netstartconbox", .handler = runNetStartConBox, .waitsForAnswer = true},
    {.word = "netstartcon", .handler = runNetStartCon},
    {.word = "netclosecon", .handler = runNetCloseCon},
    {.word = "clipboardsettext", .handler = runClipboardSetText},
    {.word = "clipboardgettext", .handler = runClipboardGetText},
    {.word = "emptyclipboard", .handler = runEmptyClipboard},
    // Often started with start "" to go on at once: its start must not delete the result of the script's
    // next command.
    {.word = "shownotification",
     .handler = runShowNotification,
     .keepsPreviousReturnFile = true,
     .waitsForAnswer = true},

};

}  // namespace

std::span<const CommandEntry> commandTable() { return kCommands; }

std::vector<NamedHandler> declaredHandlers() {
  const std::span<const NamedHandler> families[] = {
      kSettingsHandlers,   kStringHandlers,         kArithmeticHandlers, kPathHandlers,
      kFileHandlers,       kTextFileHandlers,       kShellHandlers,      kShellIntegrationHandlers,
      kStandardDialogHandlers, kCredentialHandlers, kStatusWindowHandlers, kWindowHandlers,
      kKeystrokeHandlers,  kProcessHandlers,        kSessionHandlers,    kSystemInfoHandlers,
      kNetworkHandlers,    kClipboardHandlers,      kNotificationHandlers,
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

bool waitsForAnswer(const std::vector<std::string>& parameters) {
  if (parameters.size() < 2) return true;
  const std::string word = commandWordOf(removeNullMarkers(parameters[1]));
  for (const CommandEntry& entry : kCommands) {
    if (entry.word != word || !entry.waitsForAnswer) continue;
    // Parameter 0 is the program, 1 the word: Command::param(n) is parameter n + 1. A time-out the handler
    // refuses ends in "SET ERROR=1" there, before anything is shown.
    const std::size_t timeOut = entry.timeOutParam + 1;
    const bool givesTimeOut =
        entry.timeOutParam != 0 && parameters.size() > timeOut && !removeNullMarkers(parameters[timeOut]).empty();
    if (!givesTimeOut) return true;
  }
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
