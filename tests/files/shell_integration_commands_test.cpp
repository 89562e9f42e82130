// getspecialfolder, createshortcut, installinf and findexec over the fake shell.
#include "files/shell_integration_commands.h"

#include <gtest/gtest.h>

#include "frontend/command_mode.h"
#include "frontend/dispatch.h"
#include "command/error.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;

using fakes::run;

// Each shell folder answers with a path of its own, so a wrong CSIDL shows.
void fillShellFolders(fakes::FakeShell& shell) {
  for (int csidl : {2, 5, 6, 7, 8, 9, 11, 16, 19, 20, 21, 32, 33, 34})
    shell.specialFolders[csidl] = "C:\\f" + std::to_string(csidl);
}

TEST(ShellIntegrationFolders, EverySubWordGivesItsFolder) {
  const std::pair<std::string, std::string> cases[] = {
      {"sendto", "C:\\f9\\"},        {"desktop", "C:\\f16\\"},   {"programs", "C:\\f2\\"},
      {"recents", "C:\\f8\\"},       {"startmenu", "C:\\f11\\"}, {"wintemp", "C:\\Users\\u\\Temp\\"},
      {"startup", "C:\\f7\\"},       {"templates", "C:\\f21\\"}, {"nethood", "C:\\f19\\"},
      {"personal", "C:\\f5\\"},      {"sysdir", "C:\\windows\\system32\\"}, {"windir", "C:\\windows\\"},
      {"cookies", "C:\\f33\\"},      {"favorites", "C:\\f6\\"},  {"fonts", "C:\\f20\\"},
      {"history", "C:\\f34\\"},      {"internetcache", "C:\\f32\\"},
  };
  ASSERT_EQ(std::size(cases), specialFolderTable().size());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + " " + cases[i].first);
    EXPECT_EQ(specialFolderTable()[i].subWord, cases[i].first) << "table order";
    fakes::FakeServices services;
    fillShellFolders(services.fakeShell);
    services.fakeFileSystem.addDirectory("C:\\Users\\u\\Temp\\");
    EXPECT_EQ(run(services, {"getspecialfolder", cases[i].first}), Lines{"DIR=" + cases[i].second});
  }
}

TEST(ShellIntegrationFolders, EachSubWordHasOneDispatchRow) {
  std::vector<int> variants;
  for (const CommandEntry& entry : commandTable())
    if (entry.word == "getspecialfolder") variants.push_back(entry.variant);
  std::vector<int> expected;
  for (int folder = 0; folder < kSpecialFolderCount; ++folder) expected.push_back(folder);
  EXPECT_EQ(variants, expected);
}

TEST(ShellIntegrationFolders, SubWordIsTrimmedAndLoweredAndUnknownOnesAddNothing) {
  const std::pair<std::vector<std::string>, Lines> cases[] = {
      {{"getspecialfolder", " Desktop "}, {"DIR=C:\\f16\\"}},
      {{"GetSpecialFolder", "\tWINDIR"}, {"DIR=C:\\windows\\"}},
      {{"getspecialfolder", "desk"}, {}},
      {{"getspecialfolder", "NULL"}, {}},
      {{"getspecialfolder", "desktop\\"}, {}},
      {{"getspecialfolder"}, {"ERROR=1"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    fillShellFolders(services.fakeShell);
    EXPECT_EQ(run(services, cases[i].first), cases[i].second);
  }
}

TEST(ShellIntegrationFolders, FailedLookupsAndTrailingBackslashes) {
  struct Case {
    std::string subWord;
    std::optional<std::string> shellFolder, tempPath, windowsDir, systemDir;
    bool tempExists;
    std::string expected;
  };
  const Case cases[] = {
      {"fonts", std::nullopt, "C:\\T\\", "C:\\W", "C:\\S", true, "DIR="},
      {"fonts", "C:\\Windows\\Fonts\\", "C:\\T\\", "C:\\W", "C:\\S", true, "DIR=C:\\Windows\\Fonts\\"},
      {"wintemp", std::nullopt, "C:\\gone\\", "C:\\W", "C:\\S", false, "DIR=c:\\"},
      {"wintemp", std::nullopt, std::nullopt, "C:\\W", "C:\\S", true, "DIR=c:\\"},
      {"wintemp", std::nullopt, "D:\\T", "C:\\W", "C:\\S", true, "DIR=D:\\T\\"},
      {"windir", std::nullopt, "C:\\T\\", "C:\\", "C:\\S", true, "DIR=C:\\"},
      {"windir", std::nullopt, "C:\\T\\", std::nullopt, "C:\\S", true, "DIR="},
      {"sysdir", std::nullopt, "C:\\T\\", "C:\\W", "C:\\WINNT\\System32", true, "DIR=C:\\WINNT\\System32\\"},
      {"sysdir", std::nullopt, "C:\\T\\", "C:\\W", std::nullopt, true, "DIR="},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    if (cases[i].shellFolder) services.fakeShell.specialFolders[20] = *cases[i].shellFolder;
    services.fakeShell.tempPath = cases[i].tempPath;
    if (cases[i].tempExists && cases[i].tempPath) services.fakeFileSystem.addDirectory(*cases[i].tempPath);
    services.fakeShell.windowsDir = cases[i].windowsDir;
    services.system.systemDir = cases[i].systemDir;
    EXPECT_EQ(run(services, {"getspecialfolder", cases[i].subWord}), Lines{cases[i].expected});
  }
  fakes::FakeServices services;
  services.fakeShell.tempPath = "C:\\T\\";
  services.fakeFileSystem.addFile("C:\\T");
  EXPECT_EQ(run(services, {"getspecialfolder", "wintemp"}), Lines{"DIR=c:\\"}) << "a file is no directory";
}

TEST(ShellIntegrationShortcut, NameTakesTheLnkExtension) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Links\\Tool.old", "C:\\Links\\Tool.lnk"},
      {"C:\\Links\\My Tool", "C:\\Links\\My Tool.lnk"},
      {"C:\\Links\\a.b.c", "C:\\Links\\a.b.lnk"},
      {"C:\\dir.d\\name", "C:\\dir.d\\name.lnk"},
      {"C:\\Links\\Tool.lnk", "C:\\Links\\Tool.lnk"},
      {"name.", "name.lnk"},
      {"C:x.y", "C:x.lnk"},
      {"", ".lnk"},
  };
  const SingleByteCharset charset;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(shortcutFileName(cases[i].first, charset), cases[i].second);
  }
}

TEST(ShellIntegrationShortcut, WritesTheLinkWithItsFourProperties) {
  fakes::FakeServices services;
  services.fakeFileSystem.addDirectory("C:\\Tools");
  services.fakeFileSystem.addFile("C:\\Tools\\App.exe");
  EXPECT_EQ(run(services, {"createshortcut", "C:\\Tools\\App.exe", "C:\\Links\\App.old", "Mon outil", "/a \"b c\""}),
            Lines{});
  ASSERT_EQ(services.fakeShell.savedLinks.size(), 1u);
  const ShellLinkSpec& link = services.fakeShell.savedLinks[0];
  EXPECT_EQ(link.target, "C:\\Tools\\App.exe");
  EXPECT_EQ(link.fileName, "C:\\Links\\App.lnk");
  EXPECT_EQ(link.description, "Mon outil");
  EXPECT_EQ(link.arguments, "/a \"b c\"");
  EXPECT_EQ(link.showCommand, 5);

  // The helper tells whether the shortcut's file exists afterwards.
  EXPECT_FALSE(createFileShortcut(services.fakeShell, services.fakeFileSystem, services.ansiCharset(),
                                  "C:\\Tools\\App.exe", "C:\\Links\\A", "", ""));
  services.fakeShell.linkFiles = &services.fakeFileSystem;
  EXPECT_TRUE(createFileShortcut(services.fakeShell, services.fakeFileSystem, services.ansiCharset(),
                                 "C:\\Tools\\App.exe", "C:\\Links\\A", "", ""));
}

TEST(ShellIntegrationShortcut, FailuresAreWrappedAndWriteNothing) {
  struct Case {
    std::string target;
    std::string name;
    bool refuseObject;
    std::string message;
  };
  const std::string longName(300, 'n');
  const Case cases[] = {
      {"C:\\Tools\\Missing.EXE", "C:\\l", false,
       "CreateFileShortcut => Echec fonction CreateFileShortcut (fichier c:\\tools\\missing.exe non trouv\xE9)"},
      {"C:\\Tools", "C:\\l", false,
       "CreateFileShortcut => Echec fonction CreateFileShortcut (fichier c:\\tools non trouv\xE9)"},
      {"C:\\Tools\\*.exe", "C:\\l", false,
       "CreateFileShortcut => Echec fonction CreateFileShortcut (fichier c:\\tools\\*.exe non trouv\xE9)"},
      {"C:\\Tools\\App.exe", "C:\\l", true, "CreateFileShortcut => Classe non enregistr\xE9" "e"},
      {"C:\\Tools\\App.exe", longName, false, "CreateFileShortcut => Nom de raccourci trop long"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    services.fakeFileSystem.addDirectory("C:\\Tools");
    services.fakeFileSystem.addFile("C:\\Tools\\App.exe");
    services.fakeShell.refuseLinkObject = cases[i].refuseObject;
    try {
      createFileShortcut(services.fakeShell, services.fakeFileSystem, services.ansiCharset(), cases[i].target,
                         cases[i].name, "d", "a");
      ADD_FAILURE() << "no error raised";
    } catch (const CommandError& error) {
      EXPECT_EQ(std::string(error.what()), cases[i].message);
    }
    EXPECT_TRUE(services.fakeShell.savedLinks.empty());
    EXPECT_EQ(run(services, {"createshortcut", cases[i].target, cases[i].name, "d", "a"}), Lines{"ERROR=1"});
    EXPECT_TRUE(services.fakeShell.savedLinks.empty());
  }
}

TEST(ShellIntegrationInstallInf, StartsRundll32HiddenWithThePathAsReceived) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Drivers\\x.inf", "setupapi,InstallHinfSection DefaultInstall 132 C:\\Drivers\\x.inf"},
      {"C:\\Mes pilotes\\x.inf", "setupapi,InstallHinfSection DefaultInstall 132 C:\\Mes pilotes\\x.inf"},
      {"\"C:\\a b\\x.inf\"", "setupapi,InstallHinfSection DefaultInstall 132 \"C:\\a b\\x.inf\""},
      {"NULL", "setupapi,InstallHinfSection DefaultInstall 132 "},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    services.fakeShell.executionStarts = i % 2 == 0;
    EXPECT_EQ(run(services, {"installinf", cases[i].first}), Lines{});
    ASSERT_EQ(services.fakeShell.executions.size(), 1u);
    const auto& execution = services.fakeShell.executions[0];
    EXPECT_EQ(execution.verb, "open");
    EXPECT_EQ(execution.file, "rundll32.exe");
    EXPECT_EQ(execution.parameters, cases[i].second);
    EXPECT_EQ(execution.showCommand, 0);
  }
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"installinf"}), Lines{"ERROR=1"});
  EXPECT_TRUE(services.fakeShell.executions.empty());
}

TEST(ShellIntegrationFindExec, AsksWithNameAndDirectoryAndReportsEmptyWithoutAssociation) {
  struct Case {
    std::string document;
    std::string file, directory;
    std::string expected;
  };
  const Case cases[] = {
      {"C:\\Docs\\lettre.txt", "lettre.txt", "C:\\Docs\\", "EXEPATH=C:\\windows\\notepad.exe"},
      {"C:\\Docs\\inconnu.zzz", "inconnu.zzz", "C:\\Docs\\", "EXEPATH="},
      {"lettre.txt", "lettre.txt", "", "EXEPATH="},
      {"C:lettre.txt", "lettre.txt", "C:", "EXEPATH="},
      {"C:\\Docs\\", "", "C:\\Docs\\", "EXEPATH="},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    services.fakeShell.associations["C:\\Docs\\|lettre.txt"] = "C:\\windows\\notepad.exe";
    EXPECT_EQ(run(services, {"findexec", cases[i].document}), Lines{cases[i].expected});
    ASSERT_EQ(services.fakeShell.executableLookups.size(), 1u);
    EXPECT_EQ(services.fakeShell.executableLookups[0].first, cases[i].file);
    EXPECT_EQ(services.fakeShell.executableLookups[0].second, cases[i].directory);
  }
}

TEST(ShellIntegrationFindExec, PathsBeyondTheSystemLimitAreNotFoundWithoutAskingTheShell) {
  struct Case {
    std::string document;
    bool asked;
  };
  const std::string directory = "C:\\Docs\\";
  const Case cases[] = {
      {directory + std::string(259 - directory.size(), 'a'), true},   // 259 bytes: the longest path
      {directory + std::string(260 - directory.size(), 'a'), false},  // 260: no room for the NUL
      {std::string(2000, '\xE9'), false},
      {std::string(20000, 'A'), false},
      {directory + std::string(30000, 'b') + ".txt", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ", " + std::to_string(cases[i].document.size()) + " bytes");
    fakes::FakeServices services;
    EXPECT_EQ(run(services, {"findexec", cases[i].document}), Lines{"EXEPATH="});
    EXPECT_EQ(services.fakeShell.executableLookups.size(), cases[i].asked ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tovrik
