// The path command words through command mode: the line each adds, missing arguments, and the short form.
#include "text/path_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using fakes::run;

struct CommandCase {
  std::vector<std::string> parameters;
  std::string line;
};

void expectLines(const std::vector<CommandCase>& cases, fakes::FakeServices& services) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].parameters[0] + " \"" +
                 (cases[i].parameters.size() > 1 ? cases[i].parameters[1] : "(none)") + "\"");
    EXPECT_EQ(run(services, cases[i].parameters), std::vector<std::string>{cases[i].line});
  }
}

const std::string kLongPath = "C:\\" + std::string(150, 'd') + "\\" + std::string(150, 'f') + ".txt";

TEST(PathCommands, EachWordAddsItsOneLine) {
  fakes::FakeServices services;
  expectLines(
      {
          {{"getfilepath", "C:\\dir\\file.txt"}, "STRING=C:\\dir\\"},
          {{"getfilepath", "file.txt"}, "STRING="},
          {{"getfilename", "C:\\dir\\"}, "STRING="},
          {{"getfilename", "C:file.txt"}, "STRING=file.txt"},
          {{"getfilename", "C:/dir/file.txt"}, "STRING=/dir/file.txt"},
          {{"getfileext", "C:\\dir.old\\file"}, "STRING="},
          {{"getfileext", "archive.tar.gz"}, "STRING=.gz"},
          {{"getfileext", "name."}, "STRING=."},
          {{"getfiledir", "C:\\"}, "STRING=C:\\"},
          {{"getfiledir", "\\\\server\\share\\file"}, "STRING=\\\\server\\share"},
          {{"getfiledrive", "\\\\server\\share\\dir\\file"}, "STRING=\\\\server\\share"},
          {{"getfiledrive", "dir\\file"}, "STRING="},
          {{"getfilenamewithoutext", "C:\\dir\\report.txt"}, "STRING=report"},
          {{"getfilenamewithoutext", "C:\\dir\\a.txt.txt"}, "STRING=a"},
          {{"getfilenamewithoutext", "C:\\dir\\README"}, "STRING="},
          {{"includebackslash", "C:\\dir"}, "DIR=C:\\dir\\"},
          {{"includebackslash", "C:\\dir\\"}, "DIR=C:\\dir\\"},
          {{"excludebackslash", "C:\\dir\\\\"}, "DIR=C:\\dir\\"},
          {{" GetFileName ", "C:\\x\\y.z"}, "STRING=y.z"},
      },
      services);
}

// Arguments are used untrimmed, "NULL" is an empty path, and what cmd.exe would interpret stays as it is
// (the return file escapes it later).
TEST(PathCommands, HostileAndEmptyPathsGiveTheirLineNeverAnError) {
  fakes::FakeServices services;
  expectLines(
      {
          {{"getfilename", " C:\\dir\\ a b .txt "}, "STRING= a b .txt "},
          {{"getfileext", "C:\\Tom & Jerry.mp3"}, "STRING=.mp3"},
          {{"getfilenamewithoutext", "C:\\100%\\%PATH%.bat"}, "STRING=%PATH%"},
          {{"getfiledir", "C:\\Donn\xE9" "es\\\xE9t\xE9.txt"}, "STRING=C:\\Donn\xE9" "es"},
          {{"getfilename", "C:\\*.txt"}, "STRING=*.txt"},
          {{"getfilepath", "C:\\dir\\?.txt"}, "STRING=C:\\dir\\"},
          {{"getfilename", kLongPath}, "STRING=" + std::string(150, 'f') + ".txt"},
          {{"getfiledir", kLongPath}, "STRING=C:\\" + std::string(150, 'd')},
          {{"includebackslash", "NULL"}, "DIR=\\"},
          {{"excludebackslash", "NULL"}, "DIR="},
          {{"getfilepath", "NULL"}, "STRING="},
          {{"getfilename", "NULL"}, "STRING="},
          {{"getfileext", "NULL"}, "STRING="},
          {{"getfiledir", "NULL"}, "STRING="},
          {{"getfiledrive", "NULL"}, "STRING="},
          {{"getfilenamewithoutext", "NULL"}, "STRING="},
          {{"getfiledrive", "DNULL:\\x"}, "STRING=D:"},
      },
      services);
}

TEST(PathCommands, MissingPathIsAnError) {
  for (const char* word : {"getfilepath", "getfilename", "getfileext", "getfiledir", "getfiledrive",
                           "getfilenamewithoutext", "converttomsdospath", "includebackslash",
                           "excludebackslash"}) {
    SCOPED_TRACE(word);
    fakes::FakeServices services;
    EXPECT_EQ(run(services, {word}), std::vector<std::string>{"ERROR=1"});
  }
}

TEST(PathCommands, ShortFormOfExistingPathsOnlyAsTheSystemGivesIt) {
  fakes::FakeServices services;
  services.fakeFileSystem.shortNames = {
      {"C:\\Long Directory Name\\some long file name.txt", "C:\\LONGDI~1\\SOMELO~1.TXT"},
      {"C:\\Tom & Jerry\\100% sure.txt", "C:\\TOM&JE~1\\100%SU~1.TXT"},
      {"C:\\Donn\xE9" "es", "C:\\DONNE~1"},
      {"C:\\short.txt", "C:\\short.txt"},
      // What a file system would answer for a pattern: the first match, which is not the path asked for.
      {"C:\\*.txt", "C:\\short.txt"},
      {"C:\\<", "C:\\short.txt"},
      {"C:\\short.t?t", "C:\\short.txt"},
      {"\\\\?\\C:\\Long Directory Name", "\\\\?\\C:\\LONGDI~1"},
      {"", "C:\\"},
  };
  expectLines(
      {
          {{"converttomsdospath", "C:\\Long Directory Name\\some long file name.txt"},
           "STRING=C:\\LONGDI~1\\SOMELO~1.TXT"},
          {{"converttomsdospath", "C:\\Tom & Jerry\\100% sure.txt"}, "STRING=C:\\TOM&JE~1\\100%SU~1.TXT"},
          {{"converttomsdospath", "C:\\Donn\xE9" "es"}, "STRING=C:\\DONNE~1"},
          {{"converttomsdospath", "C:\\short.txt"}, "STRING=C:\\short.txt"},
          {{"converttomsdospath", "C:\\no such file"}, "STRING="},
          {{"converttomsdospath", kLongPath}, "STRING="},
          {{"converttomsdospath", "C:\\*.txt"}, "STRING="},
          {{"converttomsdospath", "C:\\<"}, "STRING="},
          {{"converttomsdospath", "C:\\short.t?t"}, "STRING="},
          {{"converttomsdospath", "\\\\?\\C:\\Long Directory Name"}, "STRING=\\\\?\\C:\\LONGDI~1"},
          {{"converttomsdospath", "NULL"}, "STRING="},
      },
      services);
}

}  // namespace
}  // namespace tovrik
