// Command-line splitting, argument list, "NULL" markers and the command word.
#include "frontend/command_line.h"

#include <gtest/gtest.h>

#include <optional>

#include "command/argument_list.h"
#include "command/error.h"
#include "support/fake_services.h"

namespace tovrik {
namespace {

struct SplitCase {
  const wchar_t* raw;
  std::vector<std::wstring> parameters;
};

TEST(CommandLine, SplitsLikeScriptsExpect) {
  const SplitCase cases[] = {
      {L"tovrik.exe", {L"tovrik.exe"}},
      {L"", {L""}},
      {L"   ", {L""}},
      {L"\"C:\\Program Files\\tovrik.exe\" strlength abc", {L"C:\\Program Files\\tovrik.exe", L"strlength", L"abc"}},
      {L"t a\"b c\"d", {L"t", L"ab cd"}},
      {L"t strlength \"\" abc", {L"t", L"strlength", L"abc"}},
      {L"t strlength \"\"", {L"t", L"strlength"}},
      {L"t strlength \"\"\"\" abc", {L"t", L"strlength", L"abc"}},
      {L"t \"a b\"", {L"t", L"a b"}},
      {L"t \"unterminated text", {L"t", L"unterminated text"}},
      {L"t\ta\x01" L"b\x1f" L"c", {L"t", L"a", L"b", L"c"}},
      {L"t \" \"", {L"t", L" "}},
      {L"t \"x\"\"\" y", {L"t", L"x", L"y"}},
      {L"t a\"\"b", {L"t", L"ab"}},
      {L"t \xE9t\xE9 \"caf\xE9 cr\xE8me\"", {L"t", L"\xE9t\xE9", L"caf\xE9 cr\xE8me"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    EXPECT_EQ(splitCommandLine(cases[i].raw), cases[i].parameters);
  }
}

// Characters outside the ANSI code page are whole characters of the line: a fullwidth quote (U+FF02)
// neither groups nor is dropped, an ideographic space (U+3000) does not separate, and a double-byte
// character is never cut.
TEST(CommandLine, OnlyTheAsciiQuoteAndBlanksSplit) {
  EXPECT_EQ(splitCommandLine(L"t \"C:\\wf\\x\xFF02 \xFF02" L"C:\\wf\\victim.txt\""),
            (std::vector<std::wstring>{L"t", L"C:\\wf\\x\xFF02 \xFF02" L"C:\\wf\\victim.txt"}));
  EXPECT_EQ(splitCommandLine(L"t a\xFF02 \xFF02" L"b"), (std::vector<std::wstring>{L"t", L"a\xFF02", L"\xFF02" L"b"}));
  EXPECT_EQ(splitCommandLine(L"t \x6F22\x5B57\x3000x"), (std::vector<std::wstring>{L"t", L"\x6F22\x5B57\x3000x"}));
}

TEST(CommandLine, LongParametersSurvive) {
  const std::wstring big(30000, L'x');
  const auto parameters = splitCommandLine(L"t strlength " + big);
  ASSERT_EQ(parameters.size(), 3u);
  EXPECT_EQ(parameters[2].size(), 30000u);
}

// Latin-1 stands in for the ANSI code page; short forms are those of a few existing items.
class FakeAnsiNames final : public AnsiNames {
 public:
  std::optional<std::string> exact(std::wstring_view text) const override {
    std::string converted;
    for (const wchar_t c : text) {
      if (static_cast<unsigned>(c) > 0xFF) return std::nullopt;
      converted += static_cast<char>(c);
    }
    return converted;
  }
  std::optional<std::wstring> shortPath(std::wstring_view path) const override {
    for (const auto& [name, shortForm] : shortForms)
      if (name == path) return shortForm;
    return std::nullopt;
  }
  std::vector<std::pair<std::wstring, std::wstring>> shortForms = {
      {L"C:\\wf\\\x141\xF3" L"d\x17A.txt", L"C:\\wf\\LDZ~1.TXT"},
      {L"\x3A9.txt", L"A~1.TXT"},
      // An item whose short form is no better than its name.
      {L"C:\\wf\\\x221E", L"C:\\wf\\\x221E"},
  };
};

struct ConversionCase {
  std::vector<std::wstring> parameters;
  std::optional<std::vector<std::string>> expected;  // nullopt: the command line is refused
};

TEST(CommandLine, ParametersReachTheCodePageExactlyOrNotAtAll) {
  const ConversionCase cases[] = {
      // The code page's own characters pass byte for byte.
      {{L"t", L"strlength", L"caf\xE9"}, std::vector<std::string>{"t", "strlength", "caf\xE9"}},
      // An existing item outside the code page is reached through its short form (full or relative).
      {{L"t", L"silentdirdelete", L"C:\\wf\\\x141\xF3" L"d\x17A.txt"},
       std::vector<std::string>{"t", "silentdirdelete", "C:\\wf\\LDZ~1.TXT"}},
      {{L"t", L"fileexists", L"\x3A9.txt"}, std::vector<std::string>{"t", "fileexists", "A~1.TXT"}},
      // Anything else is refused, never passed on as a look-alike.
      {{L"t", L"fileexists", L"C:\\wf\\\x3A9.txt"}, std::nullopt},
      {{L"t", L"strlength", L"a\xFF02 \xFF02" L"b"}, std::nullopt},
      {{L"t", L"uppercase", L"\x221E"}, std::nullopt},
      {{L"t", L"createtree", L"C:\\wf\\\x221E"}, std::nullopt},
      {{L"t", L"\x221E" L"strlength", L"abc"}, std::nullopt},
      // The program's own name as typed is never read: it does not refuse the line.
      {{L"C:\\\x221E\\tovrik.exe", L"strlength", L"abc"}, std::vector<std::string>{"", "strlength", "abc"}},
  };
  const FakeAnsiNames names;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    EXPECT_EQ(toAnsiParameters(cases[i].parameters, names), cases[i].expected);
  }
}

TEST(ArgumentList, RemovesEveryNullMarker) {
  const std::pair<const char*, const char*> cases[] = {
      {"NULL", ""},         {"xNULLy", "xy"},       {"null", "null"},   {"Null", "Null"},
      {"NULLNULL", ""},     {"NUNULLLL", "NULL"},   {"NULNULL", "NUL"}, {"abNULL", "ab"},
      {"", ""},             {"N U L L", "N U L L"},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input);
    EXPECT_EQ(removeNullMarkers(input), expected);
  }
}

TEST(ArgumentList, EntryZeroIsTheModulePathAndReadingPastTheEndRaises) {
  const ArgumentList args("C:\\bin\\tovrik.exe", {"typed-name", "strNULLlength", "NULL"});
  EXPECT_EQ(args.at(0), "C:\\bin\\tovrik.exe");
  EXPECT_EQ(args.at(1), "strlength");
  EXPECT_EQ(args.at(2), "");
  try {
    args.at(3);
    FAIL() << "reading entry 3 did not raise";
  } catch (const ListIndexError& error) {
    EXPECT_STREQ(error.what(), "Indice de liste hors limites (3)");
  }
}

TEST(ArgumentList, CommandWordIsTrimmedAndAsciiLowered) {
  const std::pair<const char*, const char*> cases[] = {
      {" StrLength ", "strlength"}, {"/CONFIG", "/config"}, {"\t\x01getVAR\x20", "getvar"},
      {"\xC9TAT", "\xC9tat"},       {"", ""},               {"a b", "a b"},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input);
    EXPECT_EQ(commandWordOf(input), expected);
  }
}

}  // namespace
}  // namespace tovrik
