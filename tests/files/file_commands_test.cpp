// The file command words over a fake file system, and the DOS date-time conversion behind filedate.
#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/file_age.h"
#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::fileTimeOf;

using fakes::run;

struct CommandCase {
  std::vector<std::string> parameters;
  Lines lines;
};

void expectLines(fakes::FakeServices& services, const std::vector<CommandCase>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    std::string shown;
    for (const std::string& p : cases[i].parameters) shown += " \"" + p + "\"";
    SCOPED_TRACE("case " + std::to_string(i) + ":" + shown);
    EXPECT_EQ(run(services, cases[i].parameters), cases[i].lines);
  }
}

constexpr std::uint32_t dos(int year, int month, int day, int hour, int minute, int second) {
  return (static_cast<std::uint32_t>(year - 1980) << 25) | (static_cast<std::uint32_t>(month) << 21) |
         (static_cast<std::uint32_t>(day) << 16) | (static_cast<std::uint32_t>(hour) << 11) |
         (static_cast<std::uint32_t>(minute) << 5) | static_cast<std::uint32_t>(second / 2);
}

TEST(FileCommandsDosDateTime, EvenSecondsWithinTheYears1980To2107) {
  // Known FILETIME values anchor the test helper that builds the others.
  ASSERT_EQ(fileTimeOf(1980, 1, 1), 119600064000000000u);
  ASSERT_EQ(fileTimeOf(1970, 1, 1), 116444736000000000u);
  const std::pair<std::uint64_t, std::optional<std::uint32_t>> cases[] = {
      {fileTimeOf(1980, 1, 1), dos(1980, 1, 1, 0, 0, 0)},
      {fileTimeOf(1980, 1, 1) - 1, std::nullopt},
      {fileTimeOf(2107, 12, 31, 23, 59, 59, 999), dos(2107, 12, 31, 23, 59, 58)},
      {fileTimeOf(2108, 1, 1), std::nullopt},
      {fileTimeOf(2026, 12, 7, 10, 15, 37, 250), dos(2026, 12, 7, 10, 15, 36)},
      {fileTimeOf(2026, 12, 7, 10, 15, 36, 999), dos(2026, 12, 7, 10, 15, 36)},
      {fileTimeOf(2026, 12, 7, 10, 15, 38), dos(2026, 12, 7, 10, 15, 38)},
      {fileTimeOf(2000, 2, 29, 23, 59, 1), dos(2000, 2, 29, 23, 59, 0)},
      {fileTimeOf(2100, 3, 1, 12, 0, 0), dos(2100, 3, 1, 12, 0, 0)},
      {0, std::nullopt},
      {UINT64_MAX, std::nullopt},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ", ticks " + std::to_string(cases[i].first));
    EXPECT_EQ(convertToDosDateTime(cases[i].first), cases[i].second);
  }
}

TEST(FileCommandsDosDateTime, DecodesWithTheDayOfTheWeek) {
  const std::pair<std::uint32_t, DateTime> cases[] = {
      {dos(1980, 1, 1, 0, 0, 0), {1980, 1, 1, 2, 0, 0, 0, 0}},
      {dos(2026, 12, 7, 10, 15, 36), {2026, 12, 7, 1, 10, 15, 36, 0}},
      {dos(2000, 2, 29, 23, 59, 58), {2000, 2, 29, 2, 23, 59, 58, 0}},
      {dos(2107, 12, 31, 23, 59, 58), {2107, 12, 31, 6, 23, 59, 58, 0}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const DateTime got = decodeDosDateTime(cases[i].first);
    const DateTime& want = cases[i].second;
    EXPECT_EQ(std::vector<int>({got.year, got.month, got.day, got.dayOfWeek, got.hour, got.minute, got.second,
                                got.millisecond}),
              std::vector<int>({want.year, want.month, want.day, want.dayOfWeek, want.hour, want.minute,
                                want.second, want.millisecond}));
  }
}

TEST(FileCommands, FileSizeDividesAllSixtyFourBitsAndRoundsHalfToEven) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  files.addFile("C:\\data\\a.txt", std::string(2560, 'x'));
  files.addFile("C:\\data\\b.txt", std::string(3584, 'x'));
  files.addFile("C:\\data\\c.bin", std::string(1536, 'x'));
  files.addFile("C:\\big\\five.iso").size = 5368709120u;
  files.addFile("C:\\big\\huge.img").size = 4294967296u + 2560u;
  files.addDirectory("C:\\data\\sub");
  expectLines(services, {
      {{"filesize", "C:\\data\\a.txt", "1024"}, {"SIZE=2"}},
      {{"filesize", "C:\\data\\b.txt", "1024"}, {"SIZE=4"}},
      {{"filesize", "C:\\data\\c.bin", "1024"}, {"SIZE=2"}},
      {{"filesize", "C:\\DATA\\A.TXT", "1"}, {"SIZE=2560"}},
      {{"filesize", "C:\\data\\*.txt", "1"}, {"SIZE=2560"}},
      {{"filesize", "C:\\data\\?.bin", "0,5"}, {"SIZE=3072"}},
      {{"filesize", "C:\\data\\a.txt", "-1024"}, {"SIZE=-2"}},
      {{"filesize", "C:\\data\\a.txt", "2,5E3"}, {"SIZE=1"}},
      {{"filesize", "C:\\big\\five.iso", "1"}, {"SIZE=5368709120"}},
      {{"filesize", "C:\\big\\huge.img", "1024"}, {"SIZE=4194306"}},
      {{"filesize", "C:\\big\\five.iso", "1E-10"}, {"ERROR=1"}},  // beyond the 64-bit range
      {{"filesize", "C:\\data\\sub", "1"}, {"SIZE=0"}},
      {{"filesize", "C:\\nothing\\*.txt", "1"}, {"SIZE=0"}},
      {{"filesize", "C:\\data\\a.txt", "0"}, {"ERROR=1"}},
      {{"filesize", "C:\\nothing", "0"}, {"ERROR=1"}},
      {{"filesize", "C:\\data\\a.txt", "abc"}, {"ERROR=1"}},
      {{"filesize", "C:\\data\\a.txt", "1.5"}, {"ERROR=1"}},
      {{"filesize", "C:\\data\\a.txt", "NULL"}, {"ERROR=1"}},
      {{"filesize", "C:\\data\\a.txt"}, {"ERROR=1"}},
  });
}

TEST(FileCommands, FileDateFormatsTheEvenSecondLocalTime) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  files.addFile("C:\\d\\odd.txt").lastWriteLocalTime = fileTimeOf(2026, 12, 7, 10, 15, 37, 250);
  files.addFile("C:\\d\\midnight.txt").lastWriteLocalTime = fileTimeOf(2026, 3, 1);
  files.addFile("C:\\d\\old.txt").lastWriteLocalTime = fileTimeOf(1979, 12, 31, 23, 59, 59);
  files.addFile("C:\\d\\untimed.txt").lastWriteLocalTime = std::nullopt;
  files.addDirectory("C:\\d\\dir");
  expectLines(services, {
      {{"filedate", "C:\\d\\odd.txt", "hh:nn:ss"}, {"DATE=10:15:36"}},
      {{"filedate", "C:\\d\\odd.txt", "yyyy-mm-dd dddd zzz"}, {"DATE=2026-12-07 lundi 000"}},
      {{"filedate", "C:\\d\\odd.txt", "NULL"}, {"DATE=07/12/2026 10:15:36"}},
      {{"filedate", "C:\\d\\midnight.txt", "NULL"}, {"DATE=01/03/2026"}},
      {{"filedate", "C:\\d\\o*.txt", "ss"}, {"DATE=36"}},
      {{"filedate", "C:\\d\\old.txt", "yyyy"}, {"ERROR=1"}},
      {{"filedate", "C:\\d\\untimed.txt", "yyyy"}, {"ERROR=1"}},
      {{"filedate", "C:\\d\\dir", "yyyy"}, {"ERROR=1"}},
      {{"filedate", "C:\\d\\d*", "yyyy"}, {"ERROR=1"}},  // the first match is the directory
      {{"filedate", "C:\\d\\missing.txt", "yyyy"}, {"ERROR=1"}},
      {{"filedate", "C:\\d\\odd.txt"}, {"ERROR=1"}},
  });
}

TEST(FileCommands, ExistenceOfFilesAndDirectories) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  files.addFile("C:\\Data\\a.txt");
  files.addFile("C:\\Data\\old.txt").lastWriteLocalTime = fileTimeOf(1975, 1, 1);
  files.addDirectory("C:\\Data\\sub");
  expectLines(services, {
      {{"fileexists", "C:\\Data\\a.txt"}, {"ITEMEXISTS=1"}},
      {{"fileexists", "c:\\data\\*.txt"}, {"ITEMEXISTS=1"}},
      {{"fileexists", "C:\\Data\\sub"}, {"ITEMEXISTS=0"}},
      {{"fileexists", "C:\\Data\\old.txt"}, {"ITEMEXISTS=0"}},  // outside the DOS range counts as missing
      {{"fileexists", "C:\\Data\\none.txt"}, {"ITEMEXISTS=0"}},
      {{"fileexists", "NULL"}, {"ITEMEXISTS=0"}},
      {{"fileexists"}, {"ERROR=1"}},
      {{"directoryexists", "C:\\Data\\sub"}, {"ITEMEXISTS=1"}},
      {{"directoryexists", "C:\\Data\\sub\\"}, {"ITEMEXISTS=1"}},
      {{"directoryexists", "C:\\"}, {"ITEMEXISTS=1"}},
      {{"directoryexists", "C:\\Data\\a.txt"}, {"ITEMEXISTS=0"}},
      {{"directoryexists", "C:\\Data\\s*"}, {"ITEMEXISTS=0"}},
      {{"directoryexists", "C:\\Data\\none"}, {"ITEMEXISTS=0"}},
      {{"directoryexists"}, {"ERROR=1"}},
  });
}

TEST(FileCommands, CurrentDirectoryEndsInOneBackslash) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\", "DIR=C:\\"}, {"C:\\Scripts", "DIR=C:\\Scripts\\"}, {"\\\\srv\\share\\x", "DIR=\\\\srv\\share\\x\\"}};
  for (const auto& [current, line] : cases) {
    SCOPED_TRACE(current);
    fakes::FakeServices services;
    services.fakeFileSystem.current = current;
    EXPECT_EQ(run(services, {"getcurrentdir"}), Lines{line});
  }
  fakes::FakeServices services;
  services.fakeFileSystem.addDirectory("C:\\Work");
  EXPECT_EQ(run(services, {"setcurrentdir", "C:\\Work"}), Lines{});
  EXPECT_EQ(run(services, {"getcurrentdir"}), Lines{"DIR=C:\\Work\\"});
  EXPECT_EQ(run(services, {"setcurrentdir", "C:\\Nowhere"}), Lines{});
  EXPECT_EQ(run(services, {"setcurrentdir"}), Lines{"ERROR=1"});
  EXPECT_EQ(services.fakeFileSystem.calls, (Lines{"chdir C:\\Work", "chdir C:\\Nowhere"}));
}

TEST(FileCommands, CopiesAndRenamesReportNothing) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  files.addFile("C:\\a.txt", "new");
  files.addFile("C:\\b.txt", "old");
  expectLines(services, {
      {{"filecopynooverwrite", "C:\\a.txt", "C:\\b.txt"}, {}},
      {{"FileCopyNoOverwrite", "C:\\a.txt", "C:\\c.txt"}, {}},
      {{"filecopy", "C:\\missing.txt", "C:\\d.txt"}, {}},
      {{"filecopy", "C:\\a.txt"}, {"ERROR=1"}},
      {{"renameitem", "C:\\c.txt", "C:\\e.txt"}, {}},
      {{"renameitem", "C:\\missing.txt", "C:\\f.txt"}, {}},
      {{"renameitem", "C:\\e.txt"}, {"ERROR=1"}},
  });
  EXPECT_EQ(files.find("C:\\b.txt")->content, "old");
  EXPECT_EQ(files.find("C:\\e.txt")->content, "new");
  EXPECT_EQ(files.find("C:\\c.txt"), nullptr);
  expectLines(services, {{{"filecopy", "C:\\a.txt", "C:\\b.txt"}, {}}});
  EXPECT_EQ(files.find("C:\\b.txt")->content, "new");
  EXPECT_EQ(files.calls, (Lines{"copy C:\\a.txt C:\\b.txt keep", "copy C:\\a.txt C:\\c.txt keep",
                                "copy C:\\missing.txt C:\\d.txt replace", "move C:\\c.txt C:\\e.txt",
                                "move C:\\missing.txt C:\\f.txt", "copy C:\\a.txt C:\\b.txt replace"}));
}

TEST(FileCommands, CreateTreeMakesTheMissingDirectoriesOutermostFirst) {
  struct TreeCase {
    std::string path;
    Lines lines;
    Lines made;  // createDirectory calls, in order
  };
  const TreeCase cases[] = {
      {"C:\\A\\B\\C\\", {}, {"mkdir C:\\A\\B", "mkdir C:\\A\\B\\C"}},
      {"C:\\A\\B\\C", {}, {"mkdir C:\\A\\B", "mkdir C:\\A\\B\\C"}},
      {"c:\\a", {}, {}},
      {"C:\\New\\x", {}, {"mkdir C:\\New", "mkdir C:\\New\\x"}},
      {"C:\\A\\Refused\\Deeper", {}, {"mkdir C:\\A\\Refused"}},  // a refusal stops the deeper ones
      {"C:\\A\\\\B", {}, {"mkdir C:\\A\\\\B"}},
      {"C:", {}, {}},
      {"C:\\", {}, {}},
      {"ab", {}, {}},
      {"NULL", {"ERROR=1"}, {}},
      {"abc\\def", {"ERROR=1"}, {}},  // relative, and abc does not exist
      {"abc", {"ERROR=1"}, {}},
      {"\\\\server\\share\\dir", {}, {"mkdir \\\\server"}},  // a server name cannot be created
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].path);
    fakes::FakeServices services;
    services.fakeFileSystem.addDirectory("C:\\A");
    services.fakeFileSystem.refusedDirectories.insert("c:\\a\\refused");
    EXPECT_EQ(run(services, {"createtree", cases[i].path}), cases[i].lines);
    EXPECT_EQ(services.fakeFileSystem.calls, cases[i].made);
  }
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"createtree"}), Lines{"ERROR=1"});
}

TEST(FileCommands, CreateTreeOfAVeryDeepPathCreatesEveryLevel) {
  fakes::FakeServices services;
  std::string path = "C:";
  for (int level = 0; level < 3000; ++level) path += "\\d";
  EXPECT_EQ(run(services, {"createtree", path}), Lines{});
  ASSERT_EQ(services.fakeFileSystem.calls.size(), 3000u);
  EXPECT_EQ(services.fakeFileSystem.calls.front(), "mkdir C:\\d");
  EXPECT_EQ(services.fakeFileSystem.calls.back(), "mkdir " + path);
  EXPECT_NE(services.fakeFileSystem.find(path), nullptr);
}

}  // namespace
}  // namespace tovrik
