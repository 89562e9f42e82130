// Return-file bytes and the escaping that keeps values inert once a script CALLs the file.
#include "frontend/return_file.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"

namespace tovrik {
namespace {

class IdentityCodePage final : public ScriptCodePage {
 public:
  bool isLeadByte(unsigned char) const override { return false; }
  std::string fromAnsi(std::string_view ansi) const override { return std::string(ansi); }
};

// Stands in for cp1252 -> cp850 on the two letters the tests use.
class FakeOemCodePage final : public ScriptCodePage {
 public:
  bool isLeadByte(unsigned char) const override { return false; }
  std::string fromAnsi(std::string_view ansi) const override {
    std::string out(ansi);
    for (char& c : out) {
      if (c == '\xE9') c = '\x82';
      if (c == '\xE8') c = '\x8A';
    }
    return out;
  }
};

TEST(ReturnFile, EscapesWhatCmdWouldInterpret) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain text 123", "plain text 123"},
      {"Tom & Jerry.mp3", "Tom ^& Jerry.mp3"},
      {"100%", "100%%"},
      {"%PATH%", "%%PATH%%"},
      {"a|b>c<d^e", "a^|b^>c^<d^^e"},
      {"\"a & b\" & c", "\"a & b\" ^& c"},
      {"\"open & still", "\"open & still"},
      {"\"%\"", "\"%%\""},
      {"line1\r\nline2", "line1 line2"},
      {"a\rb\nc\n\rd", "a b c  d"},
      {"end^", "end^^"},
      {"abc\x1Amkdir C:\\x", "abc mkdir C:\\x"},
      {"!bang! stays", "!bang! stays"},
      {"", ""},
  };
  SingleByteCharset charset;
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input);
    EXPECT_EQ(escapeBatchValue(input, charset), expected);
  }
  EXPECT_EQ(escapeBatchValue(std::string_view("nul\0here", 8), charset), "nulhere");
}

TEST(ReturnFile, EscapesForDelayedExpansionOnlyValuesWithBang) {
  const std::pair<const char*, const char*> cases[] = {
      {"x!b!y", "x^^!b^^!y"},
      {"Hello!", "Hello^^!"},
      {"!PATH!", "^^!PATH^^!"},
      {"a^b!", "a^^^^b^^!"},
      {"\"q ^ !\" & !", "\"q ^^ ^!\" ^& ^^!"},
      {"100% & !", "100%% ^& ^^!"},
      {"no bang ^ & %", "no bang ^^ ^& %%"},
      {"!\x1A!", "^^! ^^!"},
  };
  SingleByteCharset charset;
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input);
    EXPECT_EQ(escapeBatchValue(input, charset, Expansion::delayed), expected);
  }
}

TEST(ReturnFile, ValueWithBangIsWrittenForBothModes) {
  LineList lines;
  lines.addRemark("REM one");
  lines.addRemark("REM two");
  lines.addSet("VAR", "x!b!y");
  lines.addSet("PLAIN", "a ^ b");
  lines.addSecret("PASSWORD", "p!w&");
  EXPECT_EQ(renderReturnFile(lines, IdentityCodePage()),
            "REM one\r\nREM two\r\n"
            "@if \"!!\"==\"\" goto tovrik_delayed_expansion\r\n"
            "SET VAR=x!b!y\r\nSET PLAIN=a ^^ b\r\n@SET PASSWORD=p!w^&\r\n"
            "@goto :eof\r\n"
            ":tovrik_delayed_expansion\r\n"
            "SET VAR=x^^!b^^!y\r\nSET PLAIN=a ^^ b\r\n@SET PASSWORD=p^^!w^&\r\n");
}

TEST(ReturnFile, FileWithoutBangHasOneVersionAndPasswordLinesAreSilent) {
  LineList lines;
  lines.addSecret("PASSWORD", "s3cret & co");
  lines.addSet("EXECUTED", "1");
  EXPECT_EQ(renderReturnFile(lines, IdentityCodePage()), "@SET PASSWORD=s3cret ^& co\r\nSET EXECUTED=1\r\n");
}

// Values whose line, as written, is just within or just past what cmd.exe reads whole.
TEST(ReturnFile, LinesLongerThanCmdReadsAreNeverWritten) {
  const std::size_t room = kLongestReturnLine - std::string("SET V=").size();
  struct Case {
    std::string value;
    bool fits;
  };
  const Case cases[] = {
      {std::string(room, 'a'), true},
      {std::string(room + 1, 'a'), false},
      {std::string(room / 2, '&'), true},
      {std::string(room / 2 + 1, '&'), false},
      {std::string(4100, '&'), false},
      {std::string(room / 2, '%'), true},
      {std::string(room / 2 + 1, '%'), false},
      // Fits as written for the usual pass; its delayed version doubles once more.
      {std::string(room / 3, '!'), true},
      {std::string(room / 3 + 1, '!'), false},
      {std::string(room - 10, 'a') + "!!!!", false},
      {std::string(room - 2, 'a') + "\r\n", true},
  };
  const IdentityCodePage codePage;
  const ReturnFileFormat format(codePage);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    LineList lines(&format);
    lines.addSet("FIRST", "kept");
    if (cases[i].fits) {
      lines.addSet("V", cases[i].value);
    } else {
      EXPECT_THROW(lines.addSet("V", cases[i].value), LineTooLongError);
      lines.addError();
    }
    const std::string file = format.render(lines);
    EXPECT_NE(file.find("SET FIRST=kept\r\n"), std::string::npos);
    EXPECT_EQ(file.find("SET V=") != std::string::npos, cases[i].fits);
    EXPECT_EQ(file.size() >= 13 && file.substr(file.size() - 13) == "SET ERROR=1\r\n", !cases[i].fits);
    for (std::size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
      EXPECT_LE(end - start, kLongestReturnLine);
  }
}

TEST(ReturnFile, ListWithoutLimitStillWritesNoLongLine) {
  LineList lines;
  lines.addSet("FIRST", "kept");
  lines.addSet("LONG", std::string(9000, 'x'));
  lines.addSet("AFTER", "dropped");
  EXPECT_EQ(renderReturnFile(lines, IdentityCodePage()), "SET FIRST=kept\r\nSET ERROR=1\r\n");
}

TEST(ReturnFile, DoubleByteTrailBytesAreNotEscaped) {
  fakes::FakeShiftJisCharset charset;
  // 0x7C ('|') as the trail byte of a double-byte character stays as it is.
  EXPECT_EQ(escapeBatchValue("\x83\x7C|", charset), "\x83\x7C^|");
}

TEST(ReturnFile, RendersHeaderAndSetLinesWithCrLf) {
  LineList lines;
  RegionalSettings regional = fakes::frenchSettings();
  regional.dateSeparator = ".";
  regional.timeSeparator = "h";
  addHeaderLines(lines, DateTime{2026, 3, 4, 3, 7, 8, 9, 0}, regional);
  lines.addSet("STRLEN", "7");
  lines.addSet("FILEPATH", "C:\\Donn\xE9" "es\\\xE9t\xE8 & co.txt");
  lines.addError();
  EXPECT_EQ(renderReturnFile(lines, FakeOemCodePage()),
            "REM - Auto-generated by Orlenta Tovrik - 03.04.2026, 07h08\r\n"
            "REM - Copyright (c) 2026 Orlenta. All rights reserved.\r\n"
            "SET STRLEN=7\r\n"
            "SET FILEPATH=C:\\Donn\x82" "es\\\x82t\x8A ^& co.txt\r\n"
            "SET ERROR=1\r\n");
}

TEST(ReturnFile, EmptyStoredPathFallsBack) {
  EXPECT_EQ(returnFileWritePath(""), "c:\\Tovrik.bat");
  EXPECT_EQ(returnFileWritePath("D:\\r.bat"), "D:\\r.bat");
}

}  // namespace
}  // namespace tovrik
