// The standard dialog commands: what each dialog is given, the lines of each answer, and the texts the
// message boxes build.
#include <gtest/gtest.h>

#include "dialogs/standard_dialog_commands.h"
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
