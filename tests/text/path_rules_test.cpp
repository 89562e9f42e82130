// Path splitting, checked on every function at once per path, in a single-byte and a Shift-JIS code page.
#include "text/path_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrik {
namespace {

// Shift-JIS: 0x81-0x9F and 0xE0-0xFC lead a double-byte character, so "\x83\x5C" is one character.
class ShiftJisCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

struct PathCase {
  std::string path;
  std::string filePath;
  std::string fileName;
  std::string fileExt;
  std::string fileDir;
  std::string fileDrive;
  std::string nameWithoutExt;
  std::string included;
  std::string excluded;
};

void expectSplits(const std::vector<PathCase>& cases, const AnsiCharset& charset) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const PathCase& c = cases[i];
    SCOPED_TRACE("case " + std::to_string(i) + ": \"" + c.path + "\"");
    EXPECT_EQ(extractFilePath(c.path, charset), c.filePath);
    EXPECT_EQ(extractFileName(c.path, charset), c.fileName);
    EXPECT_EQ(extractFileExt(c.path, charset), c.fileExt);
    EXPECT_EQ(extractFileDir(c.path, charset), c.fileDir);
    EXPECT_EQ(extractFileDrive(c.path, charset), c.fileDrive);
    EXPECT_EQ(extractFileNameWithoutExt(c.path, charset), c.nameWithoutExt);
    EXPECT_EQ(includeTrailingBackslash(c.path, charset), c.included);
    EXPECT_EQ(excludeTrailingBackslash(c.path, charset), c.excluded);
  }
}

// Columns: path | file path | name | extension | directory | drive | name without extension |
// with trailing backslash | without trailing backslash.
TEST(PathRulesSplit, SingleBytePaths) {
  expectSplits(
      {
          {R"(C:\dir\file.txt)", R"(C:\dir\)", "file.txt", ".txt", R"(C:\dir)", "C:", "file",
           R"(C:\dir\file.txt\)", R"(C:\dir\file.txt)"},
          {"file.txt", "", "file.txt", ".txt", "", "", "file", R"(file.txt\)", "file.txt"},
          {R"(C:\dir\)", R"(C:\dir\)", "", "", R"(C:\dir)", "C:", "", R"(C:\dir\)", R"(C:\dir)"},
          {R"(C:\dir\\)", R"(C:\dir\\)", "", "", R"(C:\dir\\)", "C:", "", R"(C:\dir\\)", R"(C:\dir\)"},
          {"C:file.txt", "C:", "file.txt", ".txt", "C:", "C:", "file", R"(C:file.txt\)", "C:file.txt"},
          {R"(C:\dir.old\file)", R"(C:\dir.old\)", "file", "", R"(C:\dir.old)", "C:", "", R"(C:\dir.old\file\)",
           R"(C:\dir.old\file)"},
          {"archive.tar.gz", "", "archive.tar.gz", ".gz", "", "", "archive.tar", R"(archive.tar.gz\)",
           "archive.tar.gz"},
          {"name.", "", "name.", ".", "", "", "name", R"(name.\)", "name."},
          {".profile", "", ".profile", ".profile", "", "", "", R"(.profile\)", ".profile"},
          {R"(a.b\c)", R"(a.b\)", "c", "", "a.b", "", "", R"(a.b\c\)", R"(a.b\c)"},
          {R"(C:\)", R"(C:\)", "", "", R"(C:\)", "C:", "", R"(C:\)", "C:"},
          {R"(C:\file.txt)", R"(C:\)", "file.txt", ".txt", R"(C:\)", "C:", "file", R"(C:\file.txt\)",
           R"(C:\file.txt)"},
          {R"(C:\dir\report.txt)", R"(C:\dir\)", "report.txt", ".txt", R"(C:\dir)", "C:", "report",
           R"(C:\dir\report.txt\)", R"(C:\dir\report.txt)"},
          {R"(C:\dir\a.txt.txt)", R"(C:\dir\)", "a.txt.txt", ".txt", R"(C:\dir)", "C:", "a",
           R"(C:\dir\a.txt.txt\)", R"(C:\dir\a.txt.txt)"},
          {R"(C:\dir\README)", R"(C:\dir\)", "README", "", R"(C:\dir)", "C:", "", R"(C:\dir\README\)",
           R"(C:\dir\README)"},
          {"C:/dir/file.txt", "C:", "/dir/file.txt", ".txt", "C:", "C:", "/dir/file", R"(C:/dir/file.txt\)",
           "C:/dir/file.txt"},
          {R"(dir\file)", R"(dir\)", "file", "", "dir", "", "", R"(dir\file\)", R"(dir\file)"},
          {R"(\\server\share\file)", R"(\\server\share\)", "file", "", R"(\\server\share)", R"(\\server\share)",
           "", R"(\\server\share\file\)", R"(\\server\share\file)"},
          {R"(\\server\share\dir\file)", R"(\\server\share\dir\)", "file", "", R"(\\server\share\dir)",
           R"(\\server\share)", "", R"(\\server\share\dir\file\)", R"(\\server\share\dir\file)"},
          {R"(\\server\share)", R"(\\server\)", "share", "", R"(\\server)", R"(\\server\share)", "",
           R"(\\server\share\)", R"(\\server\share)"},
          {R"(\\server\share\)", R"(\\server\share\)", "", "", R"(\\server\share)", R"(\\server\share)", "",
           R"(\\server\share\)", R"(\\server\share)"},
          {R"(\\server)", R"(\\)", "server", "", R"(\\)", R"(\\server)", "", R"(\\server\)", R"(\\server)"},
          {R"(\\a\)", R"(\\a\)", "", "", R"(\\a)", R"(\\a)", "", R"(\\a\)", R"(\\a)"},
          {R"(\\\)", R"(\\\)", "", "", R"(\\\)", R"(\\)", "", R"(\\\)", R"(\\)"},
          {R"(\\)", R"(\\)", "", "", R"(\\)", R"(\\)", "", R"(\\)", R"(\)"},
          {R"(\)", R"(\)", "", "", R"(\)", "", "", R"(\)", ""},
          {"", "", "", "", "", "", "", R"(\)", ""},
          {":", ":", "", "", ":", "", "", R"(:\)", ":"},
          {"x:", "x:", "", "", "x:", "x:", "", R"(x:\)", "x:"},
          // Single-byte reading of the Shift-JIS bytes below: 0x5C is a backslash here.
          {"C:\\\x83\x5C.txt", "C:\\\x83\x5C", ".txt", ".txt", "C:\\\x83", "C:", "", "C:\\\x83\x5C.txt\\",
           "C:\\\x83\x5C.txt"},
          {"\\\\srv\x83\x5C\\share\\x", "\\\\srv\x83\x5C\\share\\", "x", "", "\\\\srv\x83\x5C\\share",
           "\\\\srv\x83\x5C", "", "\\\\srv\x83\x5C\\share\\x\\", "\\\\srv\x83\x5C\\share\\x"},
      },
      SingleByteCharset());
}

TEST(PathRulesSplit, ShiftJisTrailBytesAreNotDelimiters) {
  expectSplits(
      {
          {"C:\\\x83\x5C.txt", "C:\\", "\x83\x5C.txt", ".txt", "C:\\", "C:", "\x83\x5C", "C:\\\x83\x5C.txt\\",
           "C:\\\x83\x5C.txt"},
          {"C:\\\x83\x5C", "C:\\", "\x83\x5C", "", "C:\\", "C:", "", "C:\\\x83\x5C\\", "C:\\\x83\x5C"},
          {"C:\\\x83\x5C\\file", "C:\\\x83\x5C\\", "file", "", "C:\\\x83\x5C", "C:", "", "C:\\\x83\x5C\\file\\",
           "C:\\\x83\x5C\\file"},
          {"\\\\srv\x83\x5C\\share\\x", "\\\\srv\x83\x5C\\share\\", "x", "", "\\\\srv\x83\x5C\\share",
           "\\\\srv\x83\x5C\\share", "", "\\\\srv\x83\x5C\\share\\x\\", "\\\\srv\x83\x5C\\share\\x"},
          {"\\\\\x83\x5C", "\\\\", "\x83\x5C", "", "\\\\", "\\\\\x83\x5C", "", "\\\\\x83\x5C\\", "\\\\\x83\x5C"},
          {"\x83:x", "", "\x83:x", "", "", "", "", "\x83:x\\", "\x83:x"},
          {"a.\x83.", "", "a.\x83.", ".\x83.", "", "", "a", "a.\x83.\\", "a.\x83."},
          {"abc\x83", "", "abc\x83", "", "", "", "", "abc\x83\\", "abc\x83"},
          {"\x83\x5C\x83\x5C", "", "\x83\x5C\x83\x5C", "", "", "", "", "\x83\x5C\x83\x5C\\", "\x83\x5C\x83\x5C"},
      },
      ShiftJisCharset());
}

TEST(PathRulesLastDelimiter, FindsTheLastWholeCharacterDelimiter) {
  const ShiftJisCharset shiftJis;
  EXPECT_EQ(lastDelimiter(R"(C:\a\b)", "\\:", SingleByteCharset()), 4u);
  EXPECT_EQ(lastDelimiter("C:x", "\\:", SingleByteCharset()), 1u);
  EXPECT_EQ(lastDelimiter("abc", "\\:", SingleByteCharset()), std::string_view::npos);
  EXPECT_EQ(lastDelimiter("", "\\:", SingleByteCharset()), std::string_view::npos);
  EXPECT_EQ(lastDelimiter("a\\\x83\x5C", "\\", shiftJis), 1u);
  EXPECT_EQ(lastDelimiter("a\\\x83\x5C", "\\", SingleByteCharset()), 3u);
}

}  // namespace
}  // namespace tovrik
