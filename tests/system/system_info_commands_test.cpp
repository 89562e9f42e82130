// getwinver, getsystemdrive, the volume commands and getguid over the fake registry and system.
#include "system/system_info_commands.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::run;

constexpr char kNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char k95Key[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr std::uint32_t kDword = 4;

TEST(GetWinVer, ReadsTheKeyOfThePlatformFamily) {
  struct Row {
    std::uint32_t platform;
    Lines expected;
  };
  const Row rows[] = {
      {kPlatformNt, {"STRWINVER=Windows 10 Pro (Version 6.3)", "WINPID=Windows 10 Pro", "WINVR=6.3", "WINNT=1"}},
      {kPlatformWindows95, {"STRWINVER=Windows 98 (Version 4.10.1998)", "WINPID=Windows 98", "WINVR=4.10.1998",
                            "WINNT=0"}},
      {kPlatformWin32s, {"STRWINVER=Windows 3.1 (Version )", "WINPID=", "WINVR=", "WINNT=0"}},
      {7, {"STRWINVER= (Version )", "WINPID=", "WINVR=", "WINNT=0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.platform);
    fakes::FakeServices services;
    services.system.platform = row.platform;
    services.fakeRegistry.setMachine(kNtKey, "ProductName", kRegistryString, "Windows 10 Pro");
    services.fakeRegistry.setMachine(kNtKey, "CurrentVersion", kRegistryExpandString, "6.3");
    services.fakeRegistry.setMachine(kNtKey, "VersionNumber", kRegistryString, "wrong key");
    services.fakeRegistry.setMachine(k95Key, "ProductName", kRegistryString, "Windows 98");
    services.fakeRegistry.setMachine(k95Key, "VersionNumber", kRegistryString, "4.10.1998");
    services.fakeRegistry.setMachine(k95Key, "CurrentVersion", kRegistryString, "wrong value");
    EXPECT_EQ(run(services, {"getwinver"}), row.expected);
    EXPECT_EQ(services.fakeRegistry.keys.size(), 0u) << "nothing is created under HKEY_CURRENT_USER";
  }
}

TEST(GetWinVer, MissingReadsAsEmptyAndANonTextValueFailsBeforeAnyLine) {
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"getwinver"}), (Lines{"STRWINVER= (Version )", "WINPID=", "WINVR=", "WINNT=1"}));
  EXPECT_TRUE(services.fakeRegistry.machineKeys.empty()) << "the missing key is not created";

  services.fakeRegistry.setMachine(kNtKey, "ProductName", kRegistryString, "Wine");
  EXPECT_EQ(run(services, {"getwinver"}), (Lines{"STRWINVER=Wine (Version )", "WINPID=Wine", "WINVR=", "WINNT=1"}));

  services.fakeRegistry.setMachine(kNtKey, "CurrentVersion", kDword, std::string("\x06\0\0\0", 4));
  EXPECT_EQ(run(services, {"getwinver"}), Lines{"ERROR=1"});
}

TEST(systemDrive, DriveOfTheSystemDirectoryOrEmpty) {
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"getsystemdrive"}), Lines{"DRIVE=C:"});
  services.system.systemDir = std::nullopt;
  EXPECT_EQ(run(services, {"getsystemdrive"}), Lines{"DRIVE="});
}

TEST(VolumeCommands, TheFirstCharacterNamesTheDrive) {
  const std::string longArgument = "D" + std::string(29999, 'x');
  const fakes::Case cases[] = {
      {{"getvolumeserial", "C"}, {"SN=0012AB34CD"}},
      {{"getvolumeserial", "C:\\Temp"}, {"SN=0012AB34CD"}},
      {{"getvolumeserial", "D:"}, {"SN=00FFFFFFFF"}},
      {{"getvolumeserial", longArgument}, {"SN=00FFFFFFFF"}},
      {{"getvolumeserial", "E"}, {"SN=000000000A"}},
      {{"getvolumeserial", "Q"}, {"SN=0000000000"}},
      {{"getvolumeserial", "NULL"}, {"ERROR=1"}},
      {{"getvolumeserial"}, {"ERROR=1"}},
      {{"getvolumelabel", "C:\\"}, {"LABEL=Syst\xE8me & co"}},
      {{"getvolumelabel", "D"}, {"LABEL="}},
      {{"getvolumelabel", "Q"}, {"LABEL="}},
      {{"getvolumelabel", "NULL"}, {"ERROR=1"}},
      {{"diskindrive", "C"}, {"DISKINDRIVE=1"}},
      {{"diskindrive", "c"}, {"DISKINDRIVE=1"}},
      {{"diskindrive", "a:"}, {"DISKINDRIVE=0"}},
      {{"diskindrive", "Q"}, {"DISKINDRIVE=0"}},
      {{"diskindrive", longArgument}, {"DISKINDRIVE=0"}},
      {{"diskindrive", "NULL"}, {"ERROR=1"}},
      {{"diskindrive"}, {"ERROR=1"}},
  };
  fakes::FakeServices services;
  services.system.serials = {{"C:\\", 0x12AB34CDu}, {"D:\\", 0xFFFFFFFFu}, {"E:\\", 0xAu}};
  services.system.labels = {{"C:\\", "Syst\xE8me & co"}, {"D:\\", ""}};
  services.system.sizes = {{"C:\\", 1u << 30}};
  services.system.errorMode = 0x8000;
  fakes::expectCases(services, std::vector<fakes::Case>(std::begin(cases), std::end(cases)));
  for (const std::uint32_t mode : services.system.errorModesDuringQueries) EXPECT_EQ(mode, 1u);
  EXPECT_EQ(services.system.errorMode, 0x8000u) << "the previous error mode is back";
}

TEST(VolumeCommands, SerialKeepsTheLetterAsGivenAndDiskTestUpperCasesIt) {
  fakes::FakeServices services;
  run(services, {"getvolumeserial", "c"});
  run(services, {"getvolumelabel", "c:\\x"});
  run(services, {"diskindrive", "c"});
  EXPECT_EQ(services.system.volumeQueries, (Lines{"c:\\", "c:\\", "C:\\"}));
}

TEST(VolumeCommands, ErrorModeIsRestoredWhenTheDiskQueryRaises) {
  fakes::FakeServices services;
  services.system.errorMode = 0x8003;
  services.system.sizeQueryThrows = true;
  EXPECT_EQ(run(services, {"diskindrive", "A"}), Lines{"ERROR=1"});
  EXPECT_EQ(services.system.errorModesDuringQueries, std::vector<std::uint32_t>{1});
  EXPECT_EQ(services.system.errorMode, 0x8003u);
}

TEST(FormatVolumeSerial, TenUpperCaseDigits) {
  EXPECT_EQ(formatVolumeSerial(0), "0000000000");
  EXPECT_EQ(formatVolumeSerial(0xDEADBEEF), "00DEADBEEF");
  EXPECT_EQ(formatVolumeSerial(0x0102ABCD), "000102ABCD");
}

TEST(GetGuid, EachCallHandsOnTheNewGuidAndAFailedConversionFails) {
  fakes::FakeServices services;
  services.system.guids = {"{6B29FC40-CA47-1067-B31D-00DD010662DA}", "{00000000-0000-0000-C000-000000000046}"};
  EXPECT_EQ(run(services, {"getguid"}), Lines{"GUID={6B29FC40-CA47-1067-B31D-00DD010662DA}"});
  EXPECT_EQ(run(services, {"getguid"}), Lines{"GUID={00000000-0000-0000-C000-000000000046}"});
  services.system.guidFails = true;
  EXPECT_EQ(run(services, {"getguid"}), Lines{"ERROR=1"});
}

}  // namespace
}  // namespace tovrik
