// The command table read as data: the words it registers, its rows, the handlers it reaches, and what a
// shared handler does with a variant that is not its own.
#include "frontend/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/credential_commands.h"
#include "dialogs/standard_dialog_commands.h"
#include "dialogs/status_window_commands.h"
#include "files/file_commands.h"
#include "files/shell_commands.h"
#include "files/shell_integration_commands.h"
#include "files/text_file_commands.h"
#include "settings/settings_commands.h"
#include "support/fake_services.h"
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

using Strings = std::vector<std::string>;

// The words scripts may run, sorted.
const Strings kExpectedWords = {
    "/config", "abs", "add", "browsedirectory", "clipboardgettext", "clipboardsettext", "closeprogressdlg",
    "closewaitdlg", "closewin", "compare", "converttomsdospath", "countlinesoftextfile", "createinputdialog",
    "createlistdialog",
    "createlongondlg", "createopendialog", "createpassworddlg", "createprogressdlg", "createsavedialog",
    "createshortcut", "createtree", "createwaitdlg", "dec", "deletevar", "dircopy", "dirdelete",
    "directoryexists", "dirmove", "diskindrive", "div", "dlgcritical", "dlginformation", "dlgokcancel",
    "dlgwarning", "dlgyesno", "emptyclipboard", "excludebackslash", "exec", "filecopy", "filecopynooverwrite",
    "filedate", "fileexists", "filesize", "findexec", "findwindow", "findwindowclass", "findwinhandle",
    "getcurrentdir", "getdate", "getfiledir", "getfiledrive", "getfileext", "getfilename",
    "getfilenamewithoutext", "getfilepath", "getguid", "getip", "getspecialfolder", "getsystemdrive", "getvar",
    "getversion", "getvolumelabel", "getvolumeserial", "getwindowtext", "getwinver", "hidewin", "inc",
    "includebackslash", "incrementprogressform", "iniread", "iniwrite", "installinf", "isconnected", "isnumeric",
    "killapp", "logoff", "lowercase", "messagebeep", "monitorpoweroff", "mul", "netclosecon", "netstartcon",
    "netstartconbox", "playwav", "postmessage", "pwr", "random", "readlineoftextfile", "reboot", "registervar",
    "renameitem", "round", "sendkeys", "sendkeyswait", "setcurrentdir", "setprogressform", "shellexecute",
    "shownotification",
    "shutdown", "silentdircopy", "silentdirdelete", "silentdirmove", "sleep", "sqr", "strcopy", "strlength",
    "strpos", "sub", "uppercase", "winactivate",
};

struct NamedHandler {
  std::string name;
  CommandHandler handler;
};

#define TOVRIK_HANDLER(name) NamedHandler{#name, name}

// Every handler the families declare.
const std::vector<NamedHandler> kDeclaredHandlers = {
    TOVRIK_HANDLER(runAbs), TOVRIK_HANDLER(runAdd), TOVRIK_HANDLER(runBrowseDirectory),
    TOVRIK_HANDLER(runClipboardGetText), TOVRIK_HANDLER(runClipboardSetText), TOVRIK_HANDLER(runCloseStatusWindow),
    TOVRIK_HANDLER(runCloseWin), TOVRIK_HANDLER(runCompare), TOVRIK_HANDLER(runConfig),
    TOVRIK_HANDLER(runConvertToMsDosPath), TOVRIK_HANDLER(runCountLinesOfTextFile),
    TOVRIK_HANDLER(runCreateInputDialog), TOVRIK_HANDLER(runCreateLogonDlg), TOVRIK_HANDLER(runCreatePasswordDlg),
    TOVRIK_HANDLER(runCreateProgressDlg), TOVRIK_HANDLER(runCreateShortcut), TOVRIK_HANDLER(runCreateTree),
    TOVRIK_HANDLER(runCreateWaitDlg), TOVRIK_HANDLER(runDec), TOVRIK_HANDLER(runDeleteVar),
    TOVRIK_HANDLER(runDirCopy), TOVRIK_HANDLER(runDirDelete), TOVRIK_HANDLER(runDirMove),
    TOVRIK_HANDLER(runDirectoryExists), TOVRIK_HANDLER(runDiskInDrive), TOVRIK_HANDLER(runDiv),
    TOVRIK_HANDLER(runEmptyClipboard), TOVRIK_HANDLER(runExcludeBackslash), TOVRIK_HANDLER(runExec),
    TOVRIK_HANDLER(runExitWindows), TOVRIK_HANDLER(runFileCopy), TOVRIK_HANDLER(runFileDate),
    TOVRIK_HANDLER(runFileDialog), TOVRIK_HANDLER(runFileExists), TOVRIK_HANDLER(runFileSize),
    TOVRIK_HANDLER(runFindExec), TOVRIK_HANDLER(runFindWinHandle), TOVRIK_HANDLER(runFindWindow),
    TOVRIK_HANDLER(runGetCurrentDir), TOVRIK_HANDLER(runGetDate), TOVRIK_HANDLER(runGetFileDir),
    TOVRIK_HANDLER(runGetFileDrive), TOVRIK_HANDLER(runGetFileExt), TOVRIK_HANDLER(runGetFileName),
    TOVRIK_HANDLER(runGetFileNameWithoutExt), TOVRIK_HANDLER(runGetFilePath), TOVRIK_HANDLER(runGetGuid),
    TOVRIK_HANDLER(runGetIp), TOVRIK_HANDLER(runGetSpecialFolder), TOVRIK_HANDLER(runGetSystemDrive),
    TOVRIK_HANDLER(runGetVar), TOVRIK_HANDLER(runGetVersion), TOVRIK_HANDLER(runGetVolumeLabel),
    TOVRIK_HANDLER(runGetVolumeSerial), TOVRIK_HANDLER(runGetWinVer), TOVRIK_HANDLER(runGetWindowText),
    TOVRIK_HANDLER(runHideWin), TOVRIK_HANDLER(runInc), TOVRIK_HANDLER(runIncludeBackslash),
    TOVRIK_HANDLER(runIniRead), TOVRIK_HANDLER(runIniWrite), TOVRIK_HANDLER(runInstallInf),
    TOVRIK_HANDLER(runIsConnected), TOVRIK_HANDLER(runIsNumeric), TOVRIK_HANDLER(runKillApp),
    TOVRIK_HANDLER(runLowerCase), TOVRIK_HANDLER(runMessageBeep), TOVRIK_HANDLER(runMessageBox),
    TOVRIK_HANDLER(runMonitorPowerOff), TOVRIK_HANDLER(runMul), TOVRIK_HANDLER(runNetCloseCon),
    TOVRIK_HANDLER(runNetStartCon), TOVRIK_HANDLER(runNetStartConBox), TOVRIK_HANDLER(runPlayWav),
    TOVRIK_HANDLER(runPostMessage), TOVRIK_HANDLER(runProgressForm), TOVRIK_HANDLER(runPwr),
    TOVRIK_HANDLER(runRandom), TOVRIK_HANDLER(runReadLineOfTextFile), TOVRIK_HANDLER(runRegisterVar),
    TOVRIK_HANDLER(runRenameItem), TOVRIK_HANDLER(runRound), TOVRIK_HANDLER(runSendKeys),
    TOVRIK_HANDLER(runSetCurrentDir), TOVRIK_HANDLER(runShellExecute), TOVRIK_HANDLER(runSleep),
    TOVRIK_HANDLER(runSqr), TOVRIK_HANDLER(runStrCopy), TOVRIK_HANDLER(runStrLength), TOVRIK_HANDLER(runStrPos),
    TOVRIK_HANDLER(runSub), TOVRIK_HANDLER(runUpperCase),
    TOVRIK_HANDLER(runCreateListDialog), TOVRIK_HANDLER(runShowNotification),
};

#undef TOVRIK_HANDLER

// The names of the handlers declared in the source tree's headers.
std::set<std::string> handlersDeclaredInHeaders() {
  const std::string_view prefix = "void run";
  const std::string_view parameter = "(Command&";
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TOVRIK_SOURCE_DIR "/src")) {
    if (entry.path().extension() != ".h") continue;
    std::ifstream file(entry.path());
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    for (std::size_t at = source.find(prefix); at != std::string::npos; at = source.find(prefix, at + 1)) {
      const std::size_t name = at + prefix.size() - 3;
      std::size_t end = name;
      while (end < source.size() && std::isalnum(static_cast<unsigned char>(source[end]))) ++end;
      if (source.compare(end, parameter.size(), parameter) == 0) names.insert(source.substr(name, end - name));
    }
  }
  return names;
}

TEST(CommandTable, HoldsExactlyTheScriptWordsInLowerCaseAndNoRowTwice) {
  std::set<std::string> words;
  std::set<std::pair<std::string_view, int>> rows;
  for (const CommandEntry& entry : commandTable()) {
    SCOPED_TRACE(::testing::Message() << entry.word << " variant " << entry.variant);
    words.insert(std::string(entry.word));
    EXPECT_TRUE(std::none_of(entry.word.begin(), entry.word.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    EXPECT_TRUE(rows.insert({entry.word, entry.variant}).second) << "row registered twice";
  }
  EXPECT_EQ(Strings(words.begin(), words.end()), kExpectedWords);
  EXPECT_EQ(kExpectedWords.size(), 110u);
  // One row per word, but one per folder for getspecialfolder.
  EXPECT_EQ(commandTable().size(), 110u - 1 + kSpecialFolderCount);
}

TEST(CommandTable, EveryDeclaredHandlerIsReachedByARow) {
  std::set<std::string> listed;
  for (const NamedHandler& named : kDeclaredHandlers) listed.insert(named.name);
  EXPECT_EQ(listed, handlersDeclaredInHeaders()) << "the list above must name every handler a header declares";

  std::set<CommandHandler> reached;
  for (const CommandEntry& entry : commandTable()) reached.insert(entry.handler);
  for (const NamedHandler& named : kDeclaredHandlers)
    EXPECT_TRUE(reached.count(named.handler)) << named.name << " is in no row";
  EXPECT_EQ(reached.size(), kDeclaredHandlers.size()) << "a row runs a handler no header declares";
}

TEST(CommandTable, WordsSharingAHandlerEachGiveItTheirOwnVariant) {
  // A row that forgets its variant gets 0 and would quietly behave as the family's first value.
  // closewaitdlg and closeprogressdlg are the one exception: both close the window bearing the title.
  std::map<CommandHandler, std::map<int, std::set<std::string_view>>> wordsByVariant;
  for (const CommandEntry& entry : commandTable()) wordsByVariant[entry.handler][entry.variant].insert(entry.word);
  for (const auto& [handler, variants] : wordsByVariant) {
    if (handler == runCloseStatusWindow) continue;
    for (const auto& [variant, words] : variants)
      EXPECT_EQ(words.size(), 1u) << ::testing::PrintToString(words) << " share variant " << variant;
  }
  EXPECT_EQ(wordsByVariant[runCloseStatusWindow].size(), 1u);
}

TEST(CommandTable, AHandlerGivenAVariantOutsideItsFamilyRaisesAndWritesNothing) {
  // Each handler whose rows carry several variants, tried just below and just above them.
  std::map<CommandHandler, std::pair<std::string_view, std::set<int>>> shared;
  for (const CommandEntry& entry : commandTable()) {
    shared[entry.handler].first = entry.word;
    shared[entry.handler].second.insert(entry.variant);
  }
  std::size_t tried = 0;
  for (const auto& [handler, rows] : shared) {
    const auto& [word, variants] = rows;
    if (variants.size() < 2) continue;
    ++tried;
    for (const int variant : {*variants.begin() - 1, *variants.rbegin() + 1}) {
      SCOPED_TRACE(::testing::Message() << word << " variant " << variant);
      testing::FakeServices services;
      const Strings parameters = {"t", std::string(word), "C:\\a", "1", "2", "3", "4"};
      const ArgumentList args("t", parameters);
      LineList lines;
      Command command{args, lines, services, word, parameters, variant};
      EXPECT_THROW(handler(command), std::logic_error);
      EXPECT_TRUE(lines.lines().empty());
    }
  }
  // The file dialog, message box, progress, copy, three shell, two finder, keys, exit and folder handlers.
  EXPECT_EQ(tried, 12u);
}

}  // namespace
}  // namespace tovrik
