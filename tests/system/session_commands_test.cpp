// shutdown, logoff, reboot and monitorpoweroff over the fake session: flags and the privilege calls.
#include "system/session_commands.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::run;

TEST(SessionCommands, EachWordAsksForItsFlagsAfterEnablingThePrivilegeOnNt) {
  const std::pair<std::string, std::string> cases[] = {
      {"shutdown", "exit 12 0"}, {"logoff", "exit 4 0"}, {"reboot", "exit 6 0"}, {" ReBoot ", "exit 6 0"}};
  for (const auto& [word, exitCall] : cases) {
    SCOPED_TRACE(word);
    for (const bool accepted : {true, false}) {
      fakes::FakeServices services;
      services.session.exitAccepted = accepted;
      EXPECT_EQ(run(services, {word}), Lines{}) << "no line, whatever the answer";
      const Lines expected = {"open 40", "lookup SeShutdownPrivilege",
                              "adjust 77 count 1 luid 19:0 attributes 2 length 16", "close 77", exitCall};
      EXPECT_EQ(services.session.calls, expected);
    }
  }
}

TEST(SessionCommands, AKindOutsideTheThreeEndsNoSession) {
  // A mistaken row raises before the privilege or the exit is asked for; it never falls back on logoff.
  for (const int variant : {static_cast<int>(ExitKind::kShutdown) - 1, static_cast<int>(ExitKind::kReboot) + 1}) {
    SCOPED_TRACE(variant);
    fakes::FakeServices services;
    const Lines parameters = {"t", "logoff"};
    const ArgumentList args("t", parameters);
    LineList lines;
    Command command{args, lines, services, "logoff", parameters, variant};
    EXPECT_THROW(runExitWindows(command), std::logic_error);
    EXPECT_EQ(services.session.calls, Lines{});
  }
}

TEST(SessionCommands, PrivilegeStepsThatFailOrDoNotApplyAreSkipped) {
  struct Row {
    std::uint32_t platform;
    bool tokenOpens;
    bool privilegeKnown;
    Lines calls;
  };
  const Row rows[] = {
      {kPlatformWindows95, true, true, {"exit 4 0"}},
      {kPlatformWin32s, true, true, {"exit 4 0"}},
      {kPlatformNt, false, true, {"open 40", "exit 4 0"}},
      {kPlatformNt, true, false, {"open 40", "lookup SeShutdownPrivilege", "close 77", "exit 4 0"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    fakes::FakeServices services;
    services.system.platform = rows[i].platform;
    services.session.tokenOpens = rows[i].tokenOpens;
    services.session.privilegeKnown = rows[i].privilegeKnown;
    EXPECT_EQ(run(services, {"logoff"}), Lines{});
    EXPECT_EQ(services.session.calls, rows[i].calls);
  }
}

TEST(SessionCommands, MonitorGoesToLowPowerThroughTheApplicationWindow) {
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"monitorpoweroff"}), Lines{});
  ASSERT_EQ(services.session.appMessages.size(), 1u);
  EXPECT_EQ(services.session.appMessages[0].message, 0x0112u);
  EXPECT_EQ(services.session.appMessages[0].wParam, 0xF170u);
  EXPECT_EQ(services.session.appMessages[0].lParam, 1);
  EXPECT_TRUE(services.session.calls.empty());
  EXPECT_EQ(services.system.platformReads, 0) << "the version is read only by the commands that need it";
}

}  // namespace
}  // namespace tovrik
