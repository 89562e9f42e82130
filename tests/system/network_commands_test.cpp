// isconnected, getip and the dial-up commands over the fake network libraries.
#include "system/network_commands.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::run;

TEST(IsConnected, InetIsOfflineDecidesAndTheConnectedStateStandsInWhereItIsMissing) {
  struct Row {
    std::optional<bool> offline;
    bool connectedState;
    std::string expected;
    bool asksConnectedState;
  };
  const Row rows[] = {
      {false, false, "CONNECTED=1", false},
      {true, true, "CONNECTED=0", false},
      {std::nullopt, true, "CONNECTED=1", true},
      {std::nullopt, false, "CONNECTED=0", true},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    fakes::FakeServices services;
    services.net.offline = rows[i].offline;
    services.net.connectedState = rows[i].connectedState;
    EXPECT_EQ(run(services, {"isconnected"}), Lines{rows[i].expected});
    EXPECT_EQ(services.net.calls.size(), rows[i].asksConnectedState ? 1u : 0u);
    EXPECT_EQ(services.net.socketStarts, 0) << "sockets start only for the commands that use them";
  }
}

TEST(GetIp, FollowsTheHostNameRules) {
  struct Row {
    std::optional<std::string> hostName;
    std::string expected;
    Lines calls;
  };
  const Row rows[] = {
      {"poste", "IP=192.168.1.20", {"gethostname", "gethostbyname poste"}},
      {"inconnu", "IP=", {"gethostname", "gethostbyname inconnu"}},
      {"", "IP=0.0.0.0", {"gethostname"}},
      {std::nullopt, "IP=0.0.0.0", {"gethostname"}},
      {"10.0.0.5", "IP=10.0.0.5", {"gethostname", "inet_addr 10.0.0.5"}},
      {"1poste", "IP=", {"gethostname", "inet_addr 1poste"}},
      {"zero", "IP=0.0.0.255", {"gethostname", "gethostbyname zero"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    fakes::FakeServices services;
    services.net.name = rows[i].hostName;
    services.net.dottedAddresses = {"10.0.0.5"};
    services.net.hosts = {{"poste", {192, 168, 1, 20}}, {"zero", {0, 0, 0, 255}}};
    EXPECT_EQ(run(services, {"getip"}), Lines{rows[i].expected});
    EXPECT_EQ(services.net.calls, rows[i].calls);
    EXPECT_EQ(services.net.socketStarts, 1);
  }
}

TEST(GetIp, ASocketLibraryThatDoesNotStartFails) {
  fakes::FakeServices services;
  services.net.socketsStart = false;
  EXPECT_EQ(run(services, {"getip"}), Lines{"ERROR=1"});
  EXPECT_TRUE(services.net.calls.empty());
  EXPECT_THROW(getIP(services.net), PlatformError);
}

TEST(DialUp, EachWordPassesItsArgumentsAndReportsNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"netstartconbox", "autodial 0"}, {"netstartcon", "autodial 2"}, {"netclosecon", "hangup"}};
  for (const auto& [word, call] : cases) {
    SCOPED_TRACE(word);
    fakes::FakeServices services;
    EXPECT_EQ(run(services, {word}), Lines{});
    EXPECT_EQ(services.net.calls, Lines{call});
  }
}

}  // namespace
}  // namespace tovrik
