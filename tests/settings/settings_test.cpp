// Settings store, environment publishing, /config and the user variables, over a fake registry.
#include <gtest/gtest.h>

#include "frontend/command_mode.h"
#include "settings/settings_store.h"
#include "text/path_commands.h"
#include "settings/user_variables.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

constexpr std::string_view kSettings = "Software\\Orlenta\\Tovrik";
constexpr std::string_view kVariables = "Software\\Orlenta\\Tovrik\\User_Variables";

using fakes::run;

TEST(SettingsStore, FirstReadStoresTheDefault) {
  fakes::FakeServices services;
  EXPECT_EQ(readSetting(services.fakeRegistry, "RFile", "C:\\Tovrik.bat"), "C:\\Tovrik.bat");
  const RegistryValue* stored = services.fakeRegistry.find(kSettings, "RFile");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->type, kRegistryString);
  EXPECT_EQ(stored->data, "C:\\Tovrik.bat");
}

TEST(SettingsStore, ReadFailuresGiveTheDefaultAndChangeNothing) {
  fakes::FakeServices services;
  services.fakeRegistry.set(kSettings, "RFile", 4, std::string("\x01\x00\x00\x00", 4));
  EXPECT_EQ(readSetting(services.fakeRegistry, "RFile", "C:\\Tovrik.bat"), "C:\\Tovrik.bat");
  EXPECT_EQ(services.fakeRegistry.find(kSettings, "RFile")->type, 4u);

  services.fakeRegistry.set(kSettings, "Other", kRegistryExpandString, "%TEMP%\\r.bat");
  EXPECT_EQ(readSetting(services.fakeRegistry, "Other", "x"), "%TEMP%\\r.bat");

  fakes::FakeServices refusing;
  refusing.fakeRegistry.unopenableKeys.insert("software\\orlenta\\tovrik");
  EXPECT_EQ(readSetting(refusing.fakeRegistry, "RFile", "d"), "d");
}

TEST(SettingsStore, PublishingWritesTheVariableSetsItAndTells) {
  fakes::FakeServices services;
  EXPECT_TRUE(publishEnvironmentVariable(services.fakeRegistry, services.fakeEnvironment, "TvkFile", "D:\\r.bat"));
  EXPECT_EQ(services.fakeRegistry.find("Environment", "TvkFile")->data, "D:\\r.bat");
  EXPECT_EQ(services.fakeEnvironment.variables["TvkFile"], "D:\\r.bat");
  EXPECT_EQ(services.fakeEnvironment.broadcasts, 1);

  fakes::FakeServices locked;
  locked.fakeRegistry.unopenableKeys.insert("environment");
  EXPECT_FALSE(publishEnvironmentVariable(locked.fakeRegistry, locked.fakeEnvironment, "TvkFile", "x"));
  EXPECT_EQ(locked.fakeEnvironment.broadcasts, 0);
  EXPECT_TRUE(locked.fakeEnvironment.variables.empty());
}

TEST(SettingsStore, SystemDriveOfLocalAndNetworkSystemDirectories) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {"C:\\windows\\system32", "C:"},
      {"D:\\WINNT\\System32", "D:"},
      {"\\\\server\\share\\windows\\system32", "\\\\server\\share"},
      {"windows", ""},
      {std::nullopt, ""},
  };
  for (const auto& [directory, drive] : cases) {
    SCOPED_TRACE(directory.value_or("(none)"));
    fakes::FakeServices services;
    services.system.systemDir = directory;
    EXPECT_EQ(systemDrive(services.system, services.ansiCharset()), drive);
  }
}

TEST(ConfigCommand, ResetsAndPublishesTheReturnFilePath) {
  fakes::FakeServices services;
  services.system.systemDir = "D:\\Windows\\system32";
  EXPECT_TRUE(run(services, {"/CONFIG"}).empty());
  EXPECT_EQ(services.fakeRegistry.find(kSettings, "RFile")->data, "D:\\Tovrik.bat");
  EXPECT_EQ(services.fakeRegistry.find("Environment", "TvkFile")->data, "D:\\Tovrik.bat");

  fakes::FakeServices noDrive;
  noDrive.system.systemDir = std::nullopt;
  EXPECT_EQ(run(noDrive, {"/config"}), std::vector<std::string>{"ERROR=1"});
  EXPECT_EQ(noDrive.fakeRegistry.find(kSettings, "RFile"), nullptr);

  fakes::FakeServices refusing;
  refusing.fakeRegistry.refuseWrites = true;
  EXPECT_EQ(run(refusing, {"/config"}), std::vector<std::string>{"ERROR=1"});
}

TEST(UserVariables, ScriptsKeepValuesAcrossRuns) {
  fakes::FakeServices services;
  using Lines = std::vector<std::string>;
  EXPECT_EQ(run(services, {"getvar", "count", "0"}), Lines{"VAR=0"});
  EXPECT_EQ(services.fakeRegistry.find(kVariables, "count")->data, "0");
  EXPECT_EQ(run(services, {"getvar", "count", "5"}), Lines{"VAR=0"});

  EXPECT_EQ(run(services, {"registervar", "Name", "abc"}), Lines{});
  EXPECT_EQ(run(services, {"getvar", "NAME", "x"}), Lines{"VAR=abc"});

  EXPECT_EQ(run(services, {"registervar", "v", "NULL"}), Lines{});
  EXPECT_EQ(run(services, {"getvar", "v", "x"}), Lines{"VAR="});
  EXPECT_EQ(run(services, {"deletevar", "v"}), Lines{});
  EXPECT_EQ(run(services, {"getvar", "v", "d"}), Lines{"VAR=d"});
  EXPECT_EQ(services.fakeRegistry.find(kVariables, "v")->data, "d");

  EXPECT_EQ(run(services, {"deletevar", "never-set"}), Lines{});
  EXPECT_EQ(run(services, {"registervar", "lonely"}), Lines{"ERROR=1"});
  EXPECT_EQ(services.fakeRegistry.find(kVariables, "lonely"), nullptr);
  EXPECT_EQ(run(services, {"getvar", "count"}), Lines{"ERROR=1"});
  EXPECT_EQ(run(services, {"deletevar"}), Lines{"ERROR=1"});
}

TEST(UserVariables, UnreadableValuesGiveTheDefaultWithoutWriting) {
  fakes::FakeServices services;
  services.fakeRegistry.set(kVariables, "n", 4, std::string("\x05\x00\x00\x00", 4));
  EXPECT_EQ(readUserVariable(services.fakeRegistry, "n", "dflt"), "dflt");
  EXPECT_EQ(services.fakeRegistry.find(kVariables, "n")->type, 4u);

  services.fakeRegistry.refuseWrites = true;
  EXPECT_EQ(readUserVariable(services.fakeRegistry, "fresh", "dflt"), "dflt");
  EXPECT_EQ(run(services, {"registervar", "a", "b"}), std::vector<std::string>{"ERROR=1"});
}

}  // namespace
}  // namespace tovrik
