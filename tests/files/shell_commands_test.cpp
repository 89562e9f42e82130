// The shell copy, move and delete commands through the dispatch, over the fake shell.
#include "files/shell_commands.h"

#include <gtest/gtest.h>

#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

using fakes::run;

TEST(ShellCommands, EachWordReachesTheShellWithItsOperationAndForm) {
  struct Case {
    std::vector<std::string> parameters;
    unsigned function;
    std::uint16_t flags;
    std::string from, to;
  };
  const Case cases[] = {
      {{"silentdircopy", "C:\\Data\\*.*", "C:\\New"}, 2, 0x610, "C:\\Data\\*.*\0\0"s, "C:\\New\0\0"s},
      {{"dircopy", "C:\\Data\\*.*", "C:\\New"}, 2, 0, "C:\\Data\\*.*\0\0"s, "C:\\New\0\0"s},
      {{" SilentDirMove ", "C:\\a b", "C:\\c&d"}, 1, 0x610, "C:\\a b\0\0"s, "C:\\c&d\0\0"s},
      {{"DIRMOVE", "C:\\a", "C:\\b"}, 1, 0, "C:\\a\0\0"s, "C:\\b\0\0"s},
      {{"silentdirdelete", "C:\\Temp\\*.tmp", "ignored"}, 3, 0x610, "C:\\Temp\\*.tmp\0\0"s, "\0"s},
      {{"dirdelete", "C:\\old"}, 3, 0, "C:\\old\0\0"s, "\0"s},
      {{"silentdircopy", "rel\\x", "..\\y"}, 2, 0x610, "C:\\Scripts\\rel\\x\0\0"s, "C:\\y\0\0"s},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    services.fakeShell.fullPaths = {{"rel\\x", "C:\\Scripts\\rel\\x"}, {"..\\y", "C:\\y"}};
    EXPECT_EQ(run(services, cases[i].parameters), Lines{});
    ASSERT_EQ(services.fakeShell.fileOperations.size(), 1u);
    const ShellFileOperationCall& call = services.fakeShell.fileOperations[0];
    EXPECT_EQ(call.function, cases[i].function);
    EXPECT_EQ(call.flags, cases[i].flags);
    EXPECT_EQ(call.from, cases[i].from);
    EXPECT_EQ(call.to, cases[i].to);
  }
}

TEST(ShellCommands, FailuresOfTheShellAreNotReported) {
  fakes::FakeServices services;
  services.fakeShell.fileOperationOutcome.result = 0x7C;
  services.fakeShell.fileOperationOutcome.anyOperationsAborted = true;
  EXPECT_EQ(run(services, {"silentdirdelete", "C:\\nothing"}), Lines{});
  EXPECT_EQ(run(services, {"dircopy", "C:\\nothing", "C:\\x"}), Lines{});
  EXPECT_EQ(services.fakeShell.fileOperations.size(), 2u);
}

TEST(ShellCommands, MissingArgumentsOrPathsWithoutFullFormStopBeforeTheShell) {
  const std::string longPath = "C:\\" + std::string(300, 'x');
  const std::vector<std::string> cases[] = {
      {"silentdircopy", "C:\\a"}, {"dirmove", "C:\\a"}, {"dirdelete"}, {"silentdircopy"},
      {"silentdirdelete", longPath}, {"dircopy", "C:\\a", longPath}, {"silentdircopy", "C:\\a", "NULL"},
      {"silentdirdelete", "NULL"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    fakes::FakeServices services;
    services.fakeShell.tooLongPaths.insert(longPath);
    EXPECT_EQ(run(services, cases[i]), Lines{"ERROR=1"});
    EXPECT_TRUE(services.fakeShell.fileOperations.empty());
  }
}

}  // namespace
}  // namespace tovrik
