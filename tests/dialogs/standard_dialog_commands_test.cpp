// The standard dialog commands: what each dialog is given, the lines of each answer, and the texts the
// message boxes build.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/standard_dialog_commands.h"
#include "frontend/dispatch.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

TEST(FileDialogCommands, LinesComeFromTheChosenPath) {
  struct Row {
    Strings parameters;
    std::optional<std::string> answer;
    Strings lines;
  };
  const Row rows[] = {
      {{"createopendialog", "Titre", "Textes|*.txt", "C:\\"}, "C:\\dir\\report.txt",
       {"EXECUTED=1", "FILEPATH=C:\\dir\\report.txt", "FILENAME=report.txt", "FILEDIR=C:\\dir\\", "FILEEXT=.txt"}},
      // A drive root keeps its one backslash; a name without a dot has no extension.
      {{"createopendialog", "T", "NULL", "NULL"}, "C:\\boot.ini",
       {"EXECUTED=1", "FILEPATH=C:\\boot.ini", "FILENAME=boot.ini", "FILEDIR=C:\\", "FILEEXT=.ini"}},
      {{"createopendialog", "T", "NULL", "NULL"}, "C:\\dir.old\\README",
       {"EXECUTED=1", "FILEPATH=C:\\dir.old\\README", "FILENAME=README", "FILEDIR=C:\\dir.old\\", "FILEEXT="}},
      {{"createopendialog", "T", "NULL", "NULL"}, std::nullopt, {"EXECUTED=0"}},
      {{"createopendialog", "T", "NULL"}, "C:\\x.txt", {"ERROR=1"}},
      {{"createsavedialog", "T", "NULL", "NULL", "nom", "txt"}, "\\\\srv\\share\\a.b.c",
       {"EXECUTED=1", "FILEPATH=\\\\srv\\share\\a.b.c", "FILENAME=a.b.c", "FILEDIR=\\\\srv\\share\\", "FILEEXT=.c"}},
      {{"createsavedialog", "T", "NULL", "NULL", "nom", "txt"}, std::nullopt, {"EXECUTED=0"}},
      {{"createsavedialog", "T", "NULL", "NULL", "nom"}, "C:\\x.txt", {"ERROR=1"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.dialogs.fileAnswer = rows[i].answer;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    const bool shown = rows[i].lines.front() != "ERROR=1";
    EXPECT_EQ(services.dialogs.fileRequests.size(), shown ? 1u : 0u);
  }
}

TEST(FileDialogCommands, RequestHoldsTrimmedArgumentsAndThePlatformFilter) {
  fakes::FakeServices services;
  fakes::run(services, {"createsavedialog", " Enregistrer ", " Textes|*.txt|Tout|*.* ", " C:\\dir ", " nom ",
                          " ..txt "});
  ASSERT_EQ(services.dialogs.fileRequests.size(), 1u);
  const FileDialogRequest& save = services.dialogs.fileRequests[0];
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.title, "Enregistrer");
  EXPECT_EQ(save.filter, "Textes\0*.txt\0Tout\0*.*\0\0"s);
  EXPECT_EQ(save.initialDirectory, "C:\\dir");
  EXPECT_EQ(save.fileName, "nom");
  EXPECT_EQ(save.defaultExtension, "txt");  // the system adds its own dot

  fakes::run(services, {"createopendialog", "Ouvrir", "NULL", "NULL"});
  ASSERT_EQ(services.dialogs.fileRequests.size(), 2u);
  EXPECT_FALSE(services.dialogs.fileRequests[1].save);
  EXPECT_EQ(services.dialogs.fileRequests[1].filter, "");
}

TEST(FileDialogCommands, FilterListAlwaysEndsInWholePairsAndADoubleNul) {
  const std::pair<std::string, std::string> rows[] = {
      {"", ""},
      {"Textes|*.txt", "Textes\0*.txt\0\0"s},
      {"A|*.a|B|*.b|C|*.c", "A\0*.a\0B\0*.b\0C\0*.c\0\0"s},
      {"Textes", "Textes\0\0\0"s},
      {"A|*.a|B", "A\0*.a\0B\0\0\0"s},
      {"||", "\0\0\0\0\0"s},
  };
  for (const auto& [filter, expected] : rows) EXPECT_EQ(toPlatformFilter(filter), expected) << filter;
}

TEST(InputDialogCommand, TextComesBackOnlyOnOk) {
  struct Row {
    Strings parameters;
    std::optional<std::string> answer;
    Strings lines;
    Strings shown;
  };
  const Row rows[] = {
      {{"createinputdialog", " Nom ", "Votre nom :", " Jean "}, "Jean & 100%", {"EXECUTED=1", "TEXT=Jean & 100%"},
       {"input  Nom |Votre nom :| Jean "}},
      {{"createinputdialog", "Nom", "Invite", "NULL"}, "", {"EXECUTED=1", "TEXT="}, {"input Nom|Invite|"}},
      {{"createinputdialog", "Nom", "Invite", "x"}, std::nullopt, {"EXECUTED=0"}, {"input Nom|Invite|x"}},
      {{"createinputdialog", "Nom", "Invite"}, "x", {"ERROR=1"}, {}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.dialogs.textAnswer = rows[i].answer;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    EXPECT_EQ(services.dialogs.shown, rows[i].shown);
  }
}

TEST(ListDialogCommand, EntriesDefaultAndAnswer) {
  struct Row {
    Strings parameters;
    std::optional<std::size_t> answer;
    Strings lines;
    Strings entries;  // what the dialog shows; none when it is not shown
    std::size_t selected;
  };
  const Strings abc = {"Alpha", "Beta", "Gamma"};
  const Row rows[] = {
      // No default: the first entry; OK gives the entry chosen and its number as shown.
      {{"createlistdialog", "Choix", "Lequel ?", "Alpha|Beta|Gamma"}, 2, {"EXECUTED=1", "TEXT=Gamma", "INDEX=3"},
       abc, 0},
      {{"createlistdialog", "Choix", "Lequel ?", "Alpha|Beta|Gamma", "Beta"}, 1,
       {"EXECUTED=1", "TEXT=Beta", "INDEX=2"}, abc, 1},
      // The default by its number, when no entry has that text; a number out of range selects the first.
      {{"createlistdialog", "Choix", "Lequel ?", "Alpha|Beta|Gamma", "3"}, 2, {"EXECUTED=1", "TEXT=Gamma", "INDEX=3"},
       abc, 2},
      {{"createlistdialog", "Choix", "Lequel ?", "Alpha|Beta|Gamma", " 2 "}, 1, {"EXECUTED=1", "TEXT=Beta", "INDEX=2"},
       abc, 1},
      {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "4"}, 0, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}, abc, 0},
      {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "0"}, 0, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}, abc, 0},
      {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "-1"}, 0, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}, abc, 0},
      {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "beta"}, 0, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}, abc, 0},
      {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "NULL"}, 0, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}, abc, 0},
      // The text wins over the number: an entry named "1" is the default "1" even in second place.
      {{"createlistdialog", "C", "P", "2|1", "1"}, 1, {"EXECUTED=1", "TEXT=1", "INDEX=2"}, {"2", "1"}, 1},
      // Empty entries are dropped before numbering; blanks are an entry's own text.
      {{"createlistdialog", "C", "P", "||un|| deux |trois|"}, 1, {"EXECUTED=1", "TEXT= deux ", "INDEX=2"},
       {"un", " deux ", "trois"}, 0},
      {{"createlistdialog", "C", "P", "un|NULL|deux", "2"}, 1, {"EXECUTED=1", "TEXT=deux", "INDEX=2"},
       {"un", "deux"}, 1},
      // Characters special to cmd.exe stay as they are (the return file escapes them).
      {{"createlistdialog", "C", "P", "Tom & Jerry|100%|a^b|\"q\"|<x>", "100%"}, 1,
       {"EXECUTED=1", "TEXT=100%", "INDEX=2"}, {"Tom & Jerry", "100%", "a^b", "\"q\"", "<x>"}, 1},
      // Annuler, Escape, the close box.
      {{"createlistdialog", "Choix", "Lequel ?", "Alpha|Beta|Gamma", "Gamma"}, std::nullopt, {"EXECUTED=0"}, abc, 2},
      // No entries: an error, nothing shown.
      {{"createlistdialog", "C", "P", "|||"}, 0, {"ERROR=1"}, {}, 0},
      {{"createlistdialog", "C", "P", "NULL"}, 0, {"ERROR=1"}, {}, 0},
      {{"createlistdialog", "C", "P"}, 0, {"ERROR=1"}, {}, 0},
      {{"createlistdialog", "C"}, 0, {"ERROR=1"}, {}, 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.dialogs.listAnswer = rows[i].answer;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    if (rows[i].entries.empty()) {
      EXPECT_TRUE(services.dialogs.listRequests.empty());
      continue;
    }
    ASSERT_EQ(services.dialogs.listRequests.size(), 1u);
    const ListChoiceRequest& request = services.dialogs.listRequests[0];
    EXPECT_EQ(request.caption, rows[i].parameters[1]);
    EXPECT_EQ(request.prompt, rows[i].parameters[2]);
    EXPECT_EQ(request.entries, rows[i].entries);
    EXPECT_EQ(request.selected, rows[i].selected);
  }
}

TEST(ListDialogCommand, AThousandEntriesAreShownAndOneMoreIsRefused) {
  std::string items;
  for (int i = 1; i <= 1001; ++i) items += "e" + std::to_string(i) + "|";
  const std::string thousand = items.substr(0, items.find("e1001"));
  fakes::FakeServices services;
  services.dialogs.listAnswer = 999;
  EXPECT_EQ(fakes::run(services, {"createlistdialog", "C", "P", thousand, "1000"}),
            (Strings{"EXECUTED=1", "TEXT=e1000", "INDEX=1000"}));
  ASSERT_EQ(services.dialogs.listRequests.size(), 1u);
  EXPECT_EQ(services.dialogs.listRequests[0].entries.size(), 1000u);
  EXPECT_EQ(services.dialogs.listRequests[0].selected, 999u);
  // Empty entries do not count.
  EXPECT_EQ(fakes::run(services, {"createlistdialog", "C", "P", "||" + thousand + "||"}),
            (Strings{"EXECUTED=1", "TEXT=e1000", "INDEX=1000"}));
  EXPECT_EQ(fakes::run(services, {"createlistdialog", "C", "P", items}), Strings{"ERROR=1"});
  EXPECT_EQ(services.dialogs.listRequests.size(), 2u);
}

TEST(ListDialogCommand, ADoubleByteCharacterWhoseSecondByteIsABarStaysWhole) {
  // In Shift-JIS, 0x95 0x7C is one character whose trail byte is "|".
  const fakes::FakeShiftJisCharset shiftJis;
  EXPECT_EQ(listEntriesOf("a\x95|b|c", shiftJis), (Strings{"a\x95|b", "c"}));
  EXPECT_EQ(listEntriesOf("a\x95|b|c", SingleByteCharset()), (Strings{"a\x95", "b", "c"}));
  EXPECT_EQ(listEntriesOf("|\x95|", shiftJis), Strings{"\x95|"});
  EXPECT_EQ(listEntriesOf("x\x95", shiftJis), Strings{"x\x95"});  // a lead byte at the end is a character
}

TEST(BrowseDirectoryCommand, FolderPartsAndShellVersions) {
  struct Row {
    std::uint32_t version;
    std::optional<std::string> answer;
    Strings lines;
    bool newStyle;
  };
  const std::uint32_t v6 = 6u << 16, v5 = 5u << 16, v471 = (4u << 16) | 71, v3 = (3u << 16) | 51;
  const Row rows[] = {
      {v6, "C:\\", {"EXECUTED=1", "DIRPATH=C:\\", "DIRNAME=", "DIRDRIVE=C:\\"}, true},
      {v6, "C:\\Program Files\\App", {"EXECUTED=1", "DIRPATH=C:\\Program Files\\App\\", "DIRNAME=App", "DIRDRIVE=C:\\"},
       true},
      {v5, "\\\\server\\share\\dir",
       {"EXECUTED=1", "DIRPATH=\\\\server\\share\\dir\\", "DIRNAME=dir", "DIRDRIVE=\\\\server\\share\\"}, true},
      {v471, "\\\\server\\share", {"EXECUTED=1", "DIRPATH=\\\\server\\share\\", "DIRNAME=share",
                                   "DIRDRIVE=\\\\server\\share\\"}, false},
      {v6, std::nullopt, {"EXECUTED=0"}, true},
      {v6, "", {"EXECUTED=0"}, true},  // a virtual folder has no path
      {v3, "C:\\", {"ERROR=1"}, false},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.dialogs.version = rows[i].version;
    services.dialogs.folderAnswer = rows[i].answer;
    EXPECT_EQ(fakes::run(services, {"browsedirectory", " Choisir ", " C:\\dir "}), rows[i].lines);
    if (rows[i].lines.front() == "ERROR=1") {
      EXPECT_TRUE(services.dialogs.folderRequests.empty());
      continue;
    }
    ASSERT_EQ(services.dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(services.dialogs.folderRequests[0].title, "Choisir");
    EXPECT_EQ(services.dialogs.folderRequests[0].initialDirectory, "C:\\dir");
    EXPECT_EQ(services.dialogs.folderRequests[0].newDialogStyle, rows[i].newStyle);
  }
  fakes::FakeServices services;
  EXPECT_EQ(fakes::run(services, {"browsedirectory", "Choisir"}), Strings{"ERROR=1"});
  EXPECT_TRUE(services.dialogs.folderRequests.empty());
}

TEST(MessageBoxCommands, KindButtonsAndResults) {
  struct Row {
    Strings parameters;
    int result;
    Strings lines;
    std::string shown;
  };
  const Row rows[] = {
      {{"dlgcritical", "Disque plein"}, kResultOk, {}, "message Erreur|Disque plein|OK,"},
      {{"dlgwarning", "Attention"}, kResultCancel, {}, "message Avertissement|Attention|OK,"},
      {{"dlginformation", "Fini"}, kResultOk, {}, "message Information|Fini|OK,"},
      {{"dlgyesno", "Continuer ?"}, kResultYes, {"BUTTON=0"}, "message Confirmation|Continuer ?|&Oui,&Non,"},
      {{"dlgyesno", "Continuer ?"}, kResultNo, {"BUTTON=1"}, "message Confirmation|Continuer ?|&Oui,&Non,"},
      {{"dlgyesno", "Continuer ?"}, kResultCancel, {"BUTTON=1"}, "message Confirmation|Continuer ?|&Oui,&Non,"},
      {{"dlgokcancel", "Copier ?"}, kResultOk, {"BUTTON=2"}, "message Confirmation|Copier ?|OK,Annuler,"},
      {{"dlgokcancel", "Copier ?"}, kResultCancel, {"BUTTON=3"}, "message Confirmation|Copier ?|OK,Annuler,"},
      // Only backslash and lower-case n make a line break.
      {{"dlginformation", "un\\ndeux\\Ntrois\\\\n\\t\\"}, kResultOk, {}, "message Information|un\r\ndeux\\Ntrois\\\r\n\\t\\|OK,"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.dialogs.messageAnswer = rows[i].result;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    EXPECT_EQ(services.dialogs.shown, Strings{rows[i].shown});
  }
  for (const char* word : {"dlgcritical", "dlgwarning", "dlginformation", "dlgyesno", "dlgokcancel"}) {
    fakes::FakeServices services;
    EXPECT_EQ(fakes::run(services, {word}), Strings{"ERROR=1"}) << word;
    EXPECT_TRUE(services.dialogs.shown.empty()) << word;
  }
}

TEST(MessageBoxCommands, EnterAndEscapeFollowTheButtons) {
  const MessageButtons ok{false, false, true, false}, yesNo{true, true, false, false}, okCancel{false, false, true, true};
  EXPECT_EQ(defaultResult(ok), kResultOk);
  EXPECT_EQ(escapeResult(ok), kResultOk);
  EXPECT_EQ(defaultResult(yesNo), kResultYes);
  EXPECT_EQ(escapeResult(yesNo), kResultNo);
  EXPECT_EQ(defaultResult(okCancel), kResultOk);
  EXPECT_EQ(escapeResult(okCancel), kResultCancel);
}

TEST(MessageBoxCommands, ClipboardTextFrameAndButtons) {
  const std::string line(27, '-');
  EXPECT_EQ(messageBoxClipboardText("Confirmation", "un\r\ndeux", {"&Oui", "&Non"}),
            line + "\r\nConfirmation\r\n" + line + "\r\nun\r\ndeux\r\n" + line + "\r\nOui   Non   \r\n" + line + "\r\n");
  // Only the button captions lose their "&".
  EXPECT_EQ(messageBoxClipboardText("Erreur", "A && B", {"OK"}),
            line + "\r\nErreur\r\n" + line + "\r\nA && B\r\n" + line + "\r\nOK   \r\n" + line + "\r\n");
}

// --- time-outs ------------------------------------------------------------------------------------

// A word given a time-out, what it gives when nobody answers (also where no one can see it), the
// countdown it asks of the dialog, and what a person's answer gives instead.
struct TimeOutRow {
  Strings parameters;
  Strings timedOutLines;
  TimeOut timeOut;
  Strings personsLines;  // the person's answer is the fakes' own (below), never the time-out's
};

void setPersonsAnswers(fakes::FakeStandardDialogs& dialogs, const Strings& parameters) {
  // Answers that differ from what each time-out below gives, so that a time-out that took the
  // dialog's answer shows in the lines.
  const bool yesNoToNo = parameters[0] == "dlgyesno" && parameters.size() > 3 && parameters[3] == "0";
  const bool okCancelToOk = parameters[0] == "dlgokcancel" && parameters.size() > 3 && parameters[3] == "2";
  dialogs.messageAnswer = parameters[0] == "dlgyesno"      ? (yesNoToNo ? kResultNo : kResultYes)
                          : parameters[0] == "dlgokcancel" ? (okCancelToOk ? kResultCancel : kResultOk)
                                                           : kResultOk;
  dialogs.listAnswer = 0;
  dialogs.textAnswer = "tapé";
}

const TimeOutRow kTimeOutRows[] = {
    {{"dlgcritical", "Disque plein", "5"}, {"TIMEDOUT=1"}, {5, kResultOk}, {}},
    {{"dlgwarning", "Attention", "1"}, {"TIMEDOUT=1"}, {1, kResultOk}, {}},
    {{"dlginformation", "Fini", "86400"}, {"TIMEDOUT=1"}, {86400, kResultOk}, {}},
    // Integer text, as every number: leading blanks and a sign are allowed.
    {{"dlginformation", "Fini", " +7"}, {"TIMEDOUT=1"}, {7, kResultOk}, {}},
    // The answer by default is the second choice, as Escape gives.
    {{"dlgyesno", "Redémarrer ?", "60"}, {"BUTTON=1", "TIMEDOUT=1"}, {60, kResultNo}, {"BUTTON=0"}},
    {{"dlgyesno", "Redémarrer ?", "60", "NULL"}, {"BUTTON=1", "TIMEDOUT=1"}, {60, kResultNo}, {"BUTTON=0"}},
    {{"dlgyesno", "Redémarrer ?", "60", "1"}, {"BUTTON=1", "TIMEDOUT=1"}, {60, kResultNo}, {"BUTTON=0"}},
    {{"dlgyesno", "Redémarrer ?", "60", "0"}, {"BUTTON=0", "TIMEDOUT=1"}, {60, kResultYes}, {"BUTTON=1"}},
    {{"dlgokcancel", "Copier ?", "12"}, {"BUTTON=3", "TIMEDOUT=1"}, {12, kResultCancel}, {"BUTTON=2"}},
    {{"dlgokcancel", "Copier ?", "12", "3"}, {"BUTTON=3", "TIMEDOUT=1"}, {12, kResultCancel}, {"BUTTON=2"}},
    {{"dlgokcancel", "Copier ?", "12", "2"}, {"BUTTON=2", "TIMEDOUT=1"}, {12, kResultOk}, {"BUTTON=3"}},
    // The list: OK on the default entry, by its text or number; without one, or with one that names no
    // entry, Annuler.
    {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "Beta", "10"},
     {"EXECUTED=1", "TEXT=Beta", "INDEX=2", "TIMEDOUT=1"}, {10, kResultOk}, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}},
    {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "3", "10"},
     {"EXECUTED=1", "TEXT=Gamma", "INDEX=3", "TIMEDOUT=1"}, {10, kResultOk}, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}},
    {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "NULL", "10"}, {"EXECUTED=0", "TIMEDOUT=1"},
     {10, kResultCancel}, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}},
    {{"createlistdialog", "C", "P", "Alpha|Beta|Gamma", "Delta", "10"}, {"EXECUTED=0", "TIMEDOUT=1"},
     {10, kResultCancel}, {"EXECUTED=1", "TEXT=Alpha", "INDEX=1"}},
    // The input dialog presses Annuler: the script knows its own default.
    {{"createinputdialog", "C", "P", "Lundi", "30"}, {"EXECUTED=0", "TIMEDOUT=1"}, {30, kResultCancel},
     {"EXECUTED=1", "TEXT=tapé"}},
};

TEST(DialogTimeOuts, TheTimeOutGivesTheScriptsAnswerAndAPersonsAnswerNeverSaysTimedOut) {
  for (std::size_t i = 0; i < std::size(kTimeOutRows); ++i) {
    const TimeOutRow& row = kTimeOutRows[i];
    SCOPED_TRACE(::testing::Message() << "row " << i << ": " << row.parameters[0]);
    for (const bool timeRunsOut : {true, false}) {
      SCOPED_TRACE(timeRunsOut ? "nobody answers" : "a person answers");
      fakes::FakeServices services;
      setPersonsAnswers(services.dialogs, row.parameters);
      services.dialogs.timeOutsRunOut = timeRunsOut;
      EXPECT_EQ(fakes::run(services, row.parameters), timeRunsOut ? row.timedOutLines : row.personsLines);
      ASSERT_EQ(services.dialogs.timeOuts.size(), 1u);
      ASSERT_TRUE(services.dialogs.timeOuts[0].has_value());
      EXPECT_EQ(services.dialogs.timeOuts[0]->seconds, row.timeOut.seconds);
      EXPECT_EQ(services.dialogs.timeOuts[0]->button, row.timeOut.button);
      EXPECT_EQ(services.station.questions, 1) << "the handler asks the window station, once";
    }
  }
}

TEST(DialogTimeOuts, WhereNoOneCanSeeAWindowTheTimeOutAnswersAtOnce) {
  for (std::size_t i = 0; i < std::size(kTimeOutRows); ++i) {
    const TimeOutRow& row = kTimeOutRows[i];
    SCOPED_TRACE(::testing::Message() << "row " << i << ": " << row.parameters[0]);
    fakes::FakeServices hidden;
    hidden.station.visible = false;
    setPersonsAnswers(hidden.dialogs, row.parameters);
    std::vector<std::string> parameters = row.parameters;
    parameters.insert(parameters.begin(), "t");
    EXPECT_FALSE(waitsForAnswer(parameters));
    EXPECT_EQ(fakes::run(hidden, row.parameters), row.timedOutLines);
    EXPECT_TRUE(hidden.dialogs.shown.empty() && hidden.dialogs.listRequests.empty());
    EXPECT_EQ(hidden.station.questions, 1);
  }
}

TEST(DialogTimeOuts, ArgumentErrorsShowNothingAnywhere) {
  const Strings rows[] = {
      {"dlgcritical", "m", "0"},
      {"dlgcritical", "m", "86401"},
      {"dlgwarning", "m", "-5"},
      {"dlginformation", "m", "dix"},
      {"dlginformation", "m", "1,5"},
      {"dlginformation", "m", "30 "},
      {"dlginformation", "m", "   "},
      {"dlginformation", "m", "99999999999"},
      {"dlgyesno", "m", "10", "2"},
      {"dlgyesno", "m", "10", "oui"},
      {"dlgyesno", "m", "10", "-1"},
      {"dlgokcancel", "m", "10", "0"},
      {"dlgokcancel", "m", "10", "1"},
      {"dlgokcancel", "m", "10", "4"},
      // The answer is checked even without seconds.
      {"dlgyesno", "m", "NULL", "3"},
      {"createlistdialog", "C", "P", "a|b", "a", "0"},
      {"createlistdialog", "C", "P", "a|b", "NULL", "une minute"},
      {"createinputdialog", "C", "P", "x", "86401"},
      {"createinputdialog", "C", "P", "x", "-1"},
  };
  for (const Strings& parameters : rows) {
    SCOPED_TRACE(::testing::PrintToString(parameters));
    for (const bool visible : {true, false}) {
      fakes::FakeServices services;
      services.station.visible = visible;
      EXPECT_EQ(fakes::run(services, parameters), Strings{"ERROR=1"});
      EXPECT_TRUE(services.dialogs.shown.empty() && services.dialogs.listRequests.empty());
    }
  }
}

TEST(DialogTimeOuts, WithoutSecondsTheDialogsWaitAsBefore) {
  const Strings rows[] = {
      {"dlgyesno", "m"},
      {"dlgyesno", "m", "NULL"},
      {"dlgyesno", "m", "NULL", "0"},  // an answer alone gives no time-out
      {"dlgokcancel", "m", "NULL", "2"},
      {"dlginformation", "m", "NULL", "ignored"},
      {"createlistdialog", "C", "P", "a|b", "b"},
      {"createlistdialog", "C", "P", "a|b", "b", "NULL"},
      {"createinputdialog", "C", "P", "x", "NULL"},
  };
  for (const Strings& parameters : rows) {
    SCOPED_TRACE(::testing::PrintToString(parameters));
    fakes::FakeServices services;
    services.dialogs.timeOutsRunOut = true;
    const Strings lines = fakes::run(services, parameters);
    EXPECT_TRUE(std::find(lines.begin(), lines.end(), "TIMEDOUT=1") == lines.end());
    ASSERT_EQ(services.dialogs.timeOuts.size(), 1u);
    EXPECT_FALSE(services.dialogs.timeOuts[0].has_value());
    // Where no one can see it, such a dialog still ends at once with the error alone.
    fakes::FakeServices hidden;
    hidden.station.visible = false;
    EXPECT_EQ(fakes::run(hidden, parameters), Strings{"ERROR=1"});
    EXPECT_TRUE(hidden.dialogs.timeOuts.empty());
  }
}

TEST(DialogTimeOuts, CountdownShowsWholeSecondsRoundedUpAndChangesOnTime) {
  struct Row {
    std::uint32_t totalMs, elapsedMs;
    int left;
    std::uint32_t untilChange;
  };
  const Row rows[] = {
      {3000, 0, 3, 1000},   {3000, 1, 3, 999},   {3000, 999, 3, 1},   {3000, 1000, 2, 1000},
      {3000, 1500, 2, 500}, {3000, 2999, 1, 1},  {3000, 3000, 0, 0},  {3000, 4000, 0, 0},
      {86400000, 0, 86400, 1000}, {86400000, 86399001, 1, 999},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.totalMs << " ms after " << row.elapsedMs);
    EXPECT_EQ(secondsLeft(row.totalMs, row.elapsedMs), row.left);
    EXPECT_EQ(untilNextSecond(row.totalMs, row.elapsedMs), row.untilChange);
  }
  EXPECT_EQ(countdownCaption("&Non", 30), "&Non (30)");
  EXPECT_EQ(countdownCaption("OK", 1), "OK (1)");
}

TEST(SoundCommands, BeepAndPlayOnlyAnExistingFile) {
  fakes::FakeServices services;
  services.fakeFileSystem.addFile("C:\\sons\\ding.wav");
  services.fakeFileSystem.addDirectory("C:\\sons\\dossier.wav");
  const fakes::Case cases[] = {
      {{"messagebeep"}, {}},
      {{"messagebeep", "extra", "args"}, {}},
      {{"playwav", "C:\\sons\\ding.wav"}, {}},
      {{"playwav", "C:\\sons\\absent.wav"}, {}},
      {{"playwav", "C:\\sons\\dossier.wav"}, {}},
      {{"playwav"}, {"ERROR=1"}},
  };
  fakes::expectCases(services, std::vector<fakes::Case>(std::begin(cases), std::end(cases)));
  EXPECT_EQ(services.dialogs.shown, (Strings{"beep", "beep", "play C:\\sons\\ding.wav"}));
}

}  // namespace
}  // namespace tovrik
