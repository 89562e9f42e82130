// ShellFileOperation: the option flags, setSilent, the path lists and their expansion, execute's result.
#include "files/shell_file_operation.h"

#include <gtest/gtest.h>

#include "command/error.h"
#include "support/fake_shell.h"

namespace tovrik {
namespace {

using namespace std::string_literals;
using enum FileOperationOption;

TEST(ShellFileOperationFlags, EachOptionStandsForItsShellFlag) {
  const std::pair<FileOperationOption, std::uint16_t> cases[] = {
      {kAllowUndo, 0x40},         {kConfirmMouse, 0x2},          {kFilesOnly, 0x80},
      {kMultiDestFiles, 0x1},     {kNoConfirmation, 0x10},       {kNoConfirmMkDir, 0x200},
      {kRenameOnCollision, 0x8},  {kSilent, 0x4},                {kSimpleProgress, 0x100},
      {kWantMappingHandle, 0x20}, {kNoErrorUi, 0x400},           {kNoCopySecurityAttributes, 0x800},
      {kNoRecursion, 0x1000},     {kNoConnectedElements, 0x2000}, {kNoRecurseParse, 0x8000},
      {kWantNukeWarning, 0x4000},
  };
  std::uint16_t all = 0;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(static_cast<unsigned>(cases[i].first), i) << "options are numbered in table order";
    EXPECT_EQ(shellFlagsOf(optionSet(cases[i].first)), cases[i].second);
    all = static_cast<std::uint16_t>(all | cases[i].second);
  }
  EXPECT_EQ(all, 0xFFFF) << "every flag is distinct";
  EXPECT_EQ(shellFlagsOf(0xFFFF), 0xFFFF);
  EXPECT_EQ(shellFlagsOf(0), 0);
  EXPECT_EQ(shellFlagsOf(optionSet(kAllowUndo) | optionSet(kFilesOnly)), 0xC0);
}

TEST(ShellFileOperationSilent, AddsOrRemovesOnlyTheThreeQuietOptions) {
  struct Case {
    FileOperationOptions before;
    bool silent;
    std::uint16_t flags;
  };
  const Case cases[] = {
      {kDefaultFileOptions, true, 0x610},
      {kDefaultFileOptions, false, 0x000},
      {0, true, 0x610},
      {0, false, 0x000},
      {optionSet(kAllowUndo) | optionSet(kFilesOnly), true, 0x6D0},
      {optionSet(kAllowUndo) | optionSet(kFilesOnly), false, 0x0C0},
      {0xFFFF, false, static_cast<std::uint16_t>(0xFFFF & ~0x610)},
      {optionSet(kNoConfirmation) | optionSet(kSilent), true, 0x614},
  };
  fakes::FakeShell shell;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    ShellFileOperation operation(shell);
    operation.options = cases[i].before;
    setSilent(operation, cases[i].silent);
    EXPECT_EQ(shellFlagsOf(operation.options), cases[i].flags);
  }
}

TEST(ShellFileOperationSilent, DefaultOperationStartsQuiet) {
  fakes::FakeShell shell;
  const ShellFileOperation component(shell);
  EXPECT_EQ(shellFlagsOf(component.options), 0xC0) << "the component's own default";
  const ShellFileOperation onForm = makeDefaultFileOperation(shell);
  EXPECT_EQ(shellFlagsOf(onForm.options), 0x610);
  EXPECT_EQ(onForm.kind, FileOperationKind::kCopy);
  EXPECT_TRUE(onForm.sourceFiles.empty());
  EXPECT_TRUE(onForm.title.empty());
}

TEST(ShellFileOperationExecute, BuildsDoubleNulListsOfExpandedPaths) {
  struct Case {
    std::vector<std::string> sources, destinations;
    std::string from, to;
  };
  const Case cases[] = {
      {{"C:\\a"}, {}, "C:\\a\0\0"s, "\0"s},
      {{"C:\\a", "C:\\b c\\*.*"}, {"D:\\x"}, "C:\\a\0C:\\b c\\*.*\0\0"s, "D:\\x\0\0"s},
      {{"rel"}, {"..\\up"}, "C:\\cur\\rel\0\0"s, "C:\\up\0\0"s},
      {{"Z:\\share\\f"}, {"C:\\%a&b%"}, "\\\\srv\\s\\f\0\0"s, "C:\\%a&b%\0\0"s},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeShell shell;
    shell.fullPaths = {{"rel", "C:\\cur\\rel"}, {"..\\up", "C:\\up"}};
    shell.universalNames = {{"Z:\\share\\f", "\\\\srv\\s\\f"}};
    ShellFileOperation operation(shell);
    operation.kind = FileOperationKind::kMove;
    operation.sourceFiles = cases[i].sources;
    operation.destinationFiles = cases[i].destinations;
    operation.execute();
    ASSERT_EQ(shell.fileOperations.size(), 1u);
    const ShellFileOperationCall& call = shell.fileOperations[0];
    EXPECT_EQ(call.from, cases[i].from);
    EXPECT_EQ(call.to, cases[i].to);
    EXPECT_EQ(call.function, 1u);
    EXPECT_EQ(call.flags, 0xC0);
    EXPECT_EQ(call.progressTitle, "");
  }
}

TEST(ShellFileOperationExecute, ExpandsTheFullPathThenAsksForTheUniversalNameOfDriveLetterPaths) {
  struct Case {
    std::string path;
    std::string full;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"x", "C:\\cur\\x", {"fullPathName(x)", "universalName(C:\\cur\\x)"}},
      {"z:\\y", "z:\\y", {"fullPathName(z:\\y)", "universalName(z:\\y)"}},
      {"\\\\srv\\s\\y", "\\\\srv\\s\\y", {"fullPathName(\\\\srv\\s\\y)"}},
      {"C:", "C:", {"fullPathName(C:)"}},  // two characters: no lookup
      {"1:\\y", "1:\\y", {"fullPathName(1:\\y)"}},
      {"\xE9:\\y", "\xE9:\\y", {"fullPathName(\xE9:\\y)"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeShell shell;
    shell.fullPaths[cases[i].path] = cases[i].full;
    EXPECT_EQ(expandFileOperationPath(cases[i].path, shell), cases[i].full);
    EXPECT_EQ(shell.calls, cases[i].calls);
  }
}

// An empty destination list would make the shell copy into the current directory.
TEST(ShellFileOperationExecute, APathWithoutFullFormOrAPatternAsDestinationStopsBeforeTheShell) {
  const std::string longPath = "C:\\" + std::string(300, 'a');
  const std::pair<std::string, std::string> cases[] = {{"C:\\a", longPath}, {longPath, "C:\\d"}, {"C:\\a", ""},
                                                        {"", "C:\\d"}, {"C:\\a", "C:\\d\\*"}, {"C:\\a", "C:\\d?"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeShell shell;
    shell.tooLongPaths.insert(longPath);
    ShellFileOperation operation(shell);
    operation.sourceFiles = {cases[i].first};
    operation.destinationFiles = {cases[i].second};
    EXPECT_THROW(operation.execute(), PlatformError);
    EXPECT_TRUE(shell.fileOperations.empty());
  }
}

TEST(ShellFileOperationExecute, ResultIsSuccessWithoutAbort) {
  struct Case {
    int result;
    bool aborted;
    bool expected;
  };
  const Case cases[] = {{0, false, true}, {0, true, false}, {2, false, false}, {0x7C, true, false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeShell shell;
    shell.fileOperationOutcome.result = cases[i].result;
    shell.fileOperationOutcome.anyOperationsAborted = cases[i].aborted;
    ShellFileOperation operation(shell);
    operation.sourceFiles = {"C:\\a"};
    EXPECT_EQ(operation.execute(), cases[i].expected);
  }
}

TEST(ShellFileOperationExecute, NoSourceEntryIsAnError) {
  fakes::FakeShell shell;
  ShellFileOperation operation(shell);
  operation.destinationFiles = {"C:\\d"};
  try {
    operation.execute();
    FAIL() << "no error raised";
  } catch (const CommandError& error) {
    EXPECT_STREQ(error.what(), "No files specified to TJvSHFileOperation Execute function");
  }
  EXPECT_TRUE(shell.fileOperations.empty());
}

TEST(ShellFileOperationExecute, NameMappingsWithBothNamesReachTheEvent) {
  fakes::FakeShell shell;
  shell.fileOperationOutcome.nameMappings = {
      {"C:\\a.txt", "C:\\Copie de a.txt"}, {"", "C:\\x"}, {"C:\\y", ""}, {"C:\\b", "C:\\b (2)"}};
  ShellFileOperation operation(shell);
  operation.sourceFiles = {"C:\\a.txt"};
  std::vector<std::string> seen;
  operation.onFileMapping = [&](ShellFileOperation& sender, const std::string& oldName, const std::string& newName) {
    EXPECT_EQ(&sender, &operation);
    seen.push_back(oldName + ">" + newName);
  };
  operation.execute();
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\a.txt>C:\\Copie de a.txt", "C:\\b>C:\\b (2)"}));
}

}  // namespace
}  // namespace tovrik
