// The command table read as data: the words it registers, its rows, the handlers it reaches, and what a
// shared handler does with a variant that is not its own.
#include "frontend/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/status_window_commands.h"
#include "files/shell_integration_commands.h"
#include "support/fake_services.h"

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

// What the source tree's headers say about handlers: the names in their handler lists, and the handlers
// they declare by hand (there should be none: a handler is declared by its family's list alone).
struct HeaderHandlers {
  std::set<std::string> listed;
  std::set<std::string> declaredByHand;
};

HeaderHandlers readHeaderHandlers() {
  HeaderHandlers found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TOVRIK_SOURCE_DIR "/src")) {
    if (entry.path().extension() != ".h") continue;
    std::ifstream file(entry.path());
    std::string line;
    bool inList = false;
    while (std::getline(file, line)) {
      if (line.rfind("#define TOVRIK_", 0) == 0 && line.find("_HANDLERS(X)") != std::string::npos) inList = true;
      if (inList) {
        const std::size_t at = line.find("X(run");
        if (at != std::string::npos) found.listed.insert(line.substr(at + 2, line.find(')', at) - at - 2));
        if (line.empty() || line.back() != '\\') inList = false;
      } else if (line.rfind("void run", 0) == 0 && line.find("(Command&") != std::string::npos) {
        found.declaredByHand.insert(line);
      }
    }
  }
  return found;
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

TEST(CommandTable, EveryListedHandlerIsReachedByARowAndNoRowRunsAnUnlistedOne) {
  const std::vector<NamedHandler> handlers = declaredHandlers();
  std::set<std::string> names;
  for (const NamedHandler& named : handlers) EXPECT_TRUE(names.insert(std::string(named.name)).second) << named.name;
  const HeaderHandlers headers = readHeaderHandlers();
  EXPECT_EQ(names, headers.listed) << "declaredHandlers() must take every family's list";
  EXPECT_TRUE(headers.declaredByHand.empty()) << ::testing::PrintToString(headers.declaredByHand)
                                              << ": declare a handler by its family's list";

  std::set<CommandHandler> reached;
  for (const CommandEntry& entry : commandTable()) reached.insert(entry.handler);
  for (const NamedHandler& named : handlers) EXPECT_TRUE(reached.count(named.handler)) << named.name << " is in no row";
  EXPECT_EQ(reached.size(), handlers.size()) << "a row runs a handler no family lists";
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
      fakes::FakeServices services;
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
