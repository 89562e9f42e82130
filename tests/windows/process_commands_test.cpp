// The process commands: what reaches the shell, which processes killapp ends, and the pauses of sleep.
#include <gtest/gtest.h>

#include "support/run_command.h"
#include "windows/process_commands.h"

namespace tovrik {
namespace {

using fakes::FakeServices;
using Ids = std::vector<std::uint32_t>;

TEST(ProcessCommands, ExecOpensWithParametersAndReportsTheShellsNumber) {
  FakeServices services;
  services.fakeProcesses.shellResult = 31;
  fakes::expectCases(services, {
      {{"exec", "C:\\doc.zzz", "NULL"}, {"EXECHWND=31"}},
      {{"exec", "notepad.exe", "C:\\a b.txt"}, {"EXECHWND=31"}},
      {{"exec", "notepad.exe"}, {"ERROR=1"}},
      {{"exec"}, {"ERROR=1"}},
  });
  const std::vector<ShellStart>& starts = services.fakeProcesses.starts;
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].verb, "open");
  EXPECT_EQ(starts[0].file, "C:\\doc.zzz");
  EXPECT_EQ(starts[0].parameters, "");
  EXPECT_FALSE(starts[0].directory.has_value());
  EXPECT_EQ(starts[0].showCommand, 5);
  EXPECT_EQ(starts[1].parameters, "C:\\a b.txt");

  services.fakeProcesses.shellResult = 0x80000000u;
  fakes::expectCases(services, {{{"exec", "x", "y"}, {"EXECHWND=2147483648"}}});
}

TEST(ProcessCommands, ShellExecuteParsesTheShowCommandBeforeStartingAnything) {
  FakeServices services;
  fakes::expectCases(services, {
      {{"shellexecute", "print", "C:\\r.txt", "NULL", "NULL", "0"}, {}},
      {{"shellexecute", "NULL", "prog.exe", "-x", "C:\\w", "$3"}, {}},
      {{"shellexecute", "open", "prog.exe", "-x", "C:\\w"}, {"ERROR=1"}},
      {{"shellexecute", "open", "prog.exe", "-x", "C:\\w", "max"}, {"ERROR=1"}},
  });
  const std::vector<ShellStart>& starts = services.fakeProcesses.starts;
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].verb, "print");
  EXPECT_EQ(starts[0].parameters, "");
  // An empty directory is passed as an empty string, not as none.
  ASSERT_TRUE(starts[0].directory.has_value());
  EXPECT_EQ(*starts[0].directory, "");
  EXPECT_EQ(starts[0].showCommand, 0);
  EXPECT_EQ(starts[1].verb, "");
  EXPECT_EQ(*starts[1].directory, "C:\\w");
  EXPECT_EQ(starts[1].showCommand, 3);
}

TEST(ProcessCommands, KillAppEndsEveryOtherMatchingProcess) {
  const std::vector<ProcessEntry> running = {
      {4, "notepad.exe"},       {8, "C:\\Windows\\NOTEPAD.EXE"}, {12, "calc.exe"},
      {100, "tovrik.exe"},      {16, "TOVRIK.EXE"},              {20, "C:\\Apps\\notepad.exe.bak"},
      {24, "D:notepad.exe"},    {28, "Tovrik.exe"},
  };
  const std::pair<std::string, Ids> cases[] = {
      {"Notepad.EXE", {4, 8, 24}},
      {"c:\\windows\\notepad.exe", {8}},
      {"tovrik.exe", {16, 28}},
      {"notepad", {}},
      {" notepad.exe", {}},
      {"", {}},
  };
  for (const auto& [name, killed] : cases) {
    SCOPED_TRACE(name);
    FakeServices services;
    services.fakeProcesses.running = running;
    EXPECT_EQ(fakes::run(services, {"killapp", name.empty() ? "NULL" : name}), std::vector<std::string>{});
    EXPECT_EQ(services.fakeProcesses.terminated, killed);
  }
}

TEST(ProcessCommands, KillTaskReportsTheLastAttemptAndNeedsASnapshot) {
  FakeServices services;
  services.fakeProcesses.running = std::vector<ProcessEntry>{{4, "a.exe"}, {8, "a.exe"}};
  services.fakeProcesses.unterminable = {4};
  EXPECT_TRUE(killTask(services.fakeProcesses, services.charset, "A.EXE"));
  services.fakeProcesses.unterminable = {8};
  EXPECT_FALSE(killTask(services.fakeProcesses, services.charset, "A.EXE"));
  EXPECT_FALSE(killTask(services.fakeProcesses, services.charset, "b.exe"));
  services.fakeProcesses.running = std::nullopt;
  services.fakeProcesses.terminated.clear();
  EXPECT_FALSE(killTask(services.fakeProcesses, services.charset, "a.exe"));
  EXPECT_TRUE(services.fakeProcesses.terminated.empty());
  fakes::expectCases(services, {{{"killapp"}, {"ERROR=1"}}});
}

TEST(ProcessCommands, SleepPausesOnlyForAnIntegerThatIsNotNegative) {
  FakeServices services;
  fakes::expectCases(services, {
      {{"sleep", "0"}, {}},
      {{"sleep", "1500"}, {}},
      {{"sleep", "$10"}, {}},
      {{"sleep", "2147483647"}, {}},
      {{"sleep", "-1"}, {"ERROR=1"}},
      {{"sleep", "-2147483648"}, {"ERROR=1"}},
      {{"sleep", "1.5"}, {"ERROR=1"}},
      {{"sleep", "NULL"}, {"ERROR=1"}},
      {{"sleep"}, {"ERROR=1"}},
  });
  EXPECT_EQ(services.fakeProcesses.sleeps, (Ids{0, 1500, 16, 2147483647}));
}

}  // namespace
}  // namespace tovrik
