// The text-file and INI command words over a fake file system.
#include "files/text_file_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/text_lines.h"
#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;

using fakes::run;

struct TextCase {
  std::string content;
  std::string count;  // the COUNT line
  std::vector<std::pair<std::string, std::string>> reads;  // index text -> line added
};

TEST(TextFileCommands, CountAndLinesAgreeForEachKindOfFile) {
  using namespace std::string_literals;
  std::string eighteen;
  for (int i = 0; i < 18; ++i) eighteen += "L" + std::to_string(i) + "\r\n";
  const TextCase cases[] = {
      {"a\r\nb\r\nc", "COUNT=2", {{"0", "LINE=a"}, {"1", "LINE=b"}, {"2", "ERROR=1"}, {"3", "ERROR=1"}, {"-1", "LINE=a"}}},
      {"a\r\nb\r\nc\r\n", "COUNT=2", {{"1", "LINE=b"}, {"2", "ERROR=1"}}},
      {"a\nb\nc\n", "COUNT=2", {{"0", "LINE=a"}, {"1", "LINE=b"}, {"2", "ERROR=1"}}},
      {"a\rb\rc", "COUNT=2", {{"1", "LINE=b"}}},
      {"one", "COUNT=0", {{"0", "ERROR=1"}, {"-1", "LINE=one"}, {"-2147483648", "LINE=one"}}},
      {"", "COUNT=-1", {{"0", "ERROR=1"}, {"-1", "ERROR=1"}, {"-7", "ERROR=1"}}},
      {"a\n\rb", "COUNT=2", {{"1", "LINE="}, {"2", "ERROR=1"}}},
      {"a\r\nb\0c\r\nd\r\n"s, "COUNT=1", {{"0", "LINE=a"}, {"1", "ERROR=1"}}},
      {"\0a\r\nb"s, "COUNT=-1", {{"0", "ERROR=1"}}},
      {" lead & 100% \xE9t\xE9 \r\ntail", "COUNT=1", {{"0", "LINE= lead & 100% \xE9t\xE9 "}}},
      {eighteen, "COUNT=17", {{"$10", "LINE=L16"}, {"0x10", "LINE=L16"}, {"16", "LINE=L16"}, {"17", "ERROR=1"},
                              {"2147483647", "ERROR=1"}, {"abc", "ERROR=1"}, {"NULL", "ERROR=1"},
                              {" 1", "LINE=L1"}, {"1 ", "ERROR=1"}}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    fakes::FakeServices services;
    services.fakeFileSystem.addFile("C:\\t\\file.txt", cases[i].content);
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(run(services, {"countlinesoftextfile", "C:\\t\\file.txt"}), Lines{cases[i].count});
    for (const auto& [index, line] : cases[i].reads) {
      SCOPED_TRACE("index \"" + index + "\"");
      EXPECT_EQ(run(services, {"readlineoftextfile", "C:\\t\\file.txt", index}), Lines{line});
    }
  }
}

TEST(TextFileCommands, FilesThatAreMissingOrCannotBeReadGiveOneErrorLine) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  files.addFile("C:\\t\\a.txt", "x\r\ny\r\n");
  files.addFile("C:\\t\\locked.txt", "x\r\ny\r\n").refusesToOpen = true;
  files.addFile("C:\\t\\old.txt", "x\r\ny\r\n").lastWriteLocalTime = fakes::fileTimeOf(1970, 1, 2);
  files.addDirectory("C:\\t\\dir");
  const std::string paths[] = {"C:\\t\\missing.txt", "C:\\t\\locked.txt", "C:\\t\\old.txt", "C:\\t\\dir",
                               "C:\\t\\*.txt",  // passes the age test, but a pattern cannot be opened
                               "NULL"};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(run(services, {"countlinesoftextfile", path}), Lines{"ERROR=1"});
    EXPECT_EQ(run(services, {"readlineoftextfile", path, "0"}), Lines{"ERROR=1"});
  }
  EXPECT_EQ(run(services, {"countlinesoftextfile"}), Lines{"ERROR=1"});
  EXPECT_EQ(run(services, {"readlineoftextfile", "C:\\t\\a.txt"}), Lines{"ERROR=1"});
  EXPECT_EQ(run(services, {"readlineoftextfile", "C:\\t\\missing.txt"}), Lines{"ERROR=1"});
}

TEST(TextFileCommands, ALineNearTheStartReadsOneChunkOfALargeFile) {
  fakes::FakeServices services;
  std::string content;
  while (content.size() < 8 * 1024 * 1024) content += "une ligne de texte ordinaire\r\n";
  services.fakeFileSystem.addFile("C:\\big.txt", content);
  EXPECT_EQ(run(services, {"readlineoftextfile", "C:\\big.txt", "5"}), Lines{"LINE=une ligne de texte ordinaire"});
  EXPECT_LE(services.fakeFileSystem.bytesRead, kTextChunkSize);
  services.fakeFileSystem.bytesRead = 0;
  EXPECT_EQ(run(services, {"countlinesoftextfile", "C:\\big.txt"}),
            Lines{"COUNT=" + std::to_string(content.size() / 30 - 1)});
  EXPECT_EQ(services.fakeFileSystem.bytesRead, content.size());
}

TEST(TextFileCommands, IniWriteAndReadFlushTheFileEachTime) {
  fakes::FakeServices services;
  auto& files = services.fakeFileSystem;
  EXPECT_EQ(run(services, {"iniwrite", "C:\\app.ini", "Main", "Name", "Tom & Jerry"}), Lines{});
  EXPECT_EQ(run(services, {"iniread", "C:\\app.ini", "main", "NAME", "none"}), Lines{"INIRESULT=Tom & Jerry"});
  EXPECT_EQ(run(services, {"iniread", "C:\\app.ini", "Main", "Other", "none"}), Lines{"INIRESULT=none"});
  EXPECT_EQ(run(services, {"iniread", "C:\\app.ini", "Main", "Other", "NULL"}), Lines{"INIRESULT="});
  EXPECT_EQ(run(services, {"iniwrite", "tovrik.ini", "S", "K", "NULL"}), Lines{});
  EXPECT_EQ(files.profileValues[fakes::FakeFileSystem::profileKey("tovrik.ini", "S", "K")], "");
  EXPECT_EQ(files.profileCalls, (Lines{"write C:\\app.ini", "flush C:\\app.ini", "read C:\\app.ini",
                                       "flush C:\\app.ini", "read C:\\app.ini", "flush C:\\app.ini",
                                       "read C:\\app.ini", "flush C:\\app.ini", "write tovrik.ini",
                                       "flush tovrik.ini"}));

  files.profileCalls.clear();
  files.refuseProfileWrites = true;
  EXPECT_EQ(run(services, {"iniwrite", "C:\\ro.ini", "S", "K", "v"}), Lines{"ERROR=1"});
  EXPECT_EQ(files.profileCalls, Lines{"write C:\\ro.ini"}) << "no flush after a refused write";

  files.profileCalls.clear();
  EXPECT_EQ(run(services, {"iniwrite", "C:\\app.ini", "S", "K"}), Lines{"ERROR=1"});
  EXPECT_EQ(run(services, {"iniread", "C:\\app.ini", "S", "K"}), Lines{"ERROR=1"});
  EXPECT_TRUE(files.profileCalls.empty());
}

}  // namespace
}  // namespace tovrik
