// Command-line splitting, argument list, "NULL" markers and the command word.
#include "frontend/command_line.h"

#include <gtest/gtest.h>

#include "command/argument_list.h"
#include "command/error.h"
#include "support/fake_services.h"

namespace tovrik {
namespace {

struct SplitCase {
  const char* raw;
  std::vector<std::string> parameters;
};

TEST(CommandLine, SplitsLikeScriptsExpect) {
  const SplitCase cases[] = {
      {"tovrik.exe", {"tovrik.exe"}},
      {"", {""}},
      {"   ", {""}},
      {"\"C:\\Program Files\\tovrik.exe\" strlength abc", {"C:\\Program Files\\tovrik.exe", "strlength", "abc"}},
      {"t a\"b c\"d", {"t", "ab cd"}},
      {"t strlength \"\" abc", {"t", "strlength", "abc"}},
      {"t strlength \"\"", {"t", "strlength"}},
      {"t strlength \"\"\"\" abc", {"t", "strlength", "abc"}},
      {"t \"a b\"", {"t", "a b"}},
      {"t \"unterminated text", {"t", "unterminated text"}},
      {"t\ta\x01" "b\x1f" "c", {"t", "a", "b", "c"}},
      {"t \" \"", {"t", " "}},
      {"t \"x\"\"\" y", {"t", "x", "y"}},
      {"t a\"\"b", {"t", "ab"}},
      {"t \xE9t\xE9 \"caf\xE9 cr\xE8me\"", {"t", "\xE9t\xE9", "caf\xE9 cr\xE8me"}},
  };
  SingleByteCharset charset;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i << ": " << cases[i].raw);
    EXPECT_EQ(splitCommandLine(cases[i].raw, charset), cases[i].parameters);
  }
}

TEST(CommandLine, StepsWholeDoubleByteCharacters) {
  fakes::FakeShiftJisCharset charset;
  // 0x81 is a lead byte: the quote after it is its trail byte, not a quote.
  EXPECT_EQ(splitCommandLine("t \x81\" b", charset), (std::vector<std::string>{"t", "\x81\"", "b"}));
  // A lead byte at the very end is a character of its own.
  EXPECT_EQ(splitCommandLine("t a\x81", charset), (std::vector<std::string>{"t", "a\x81"}));
}

TEST(CommandLine, LongParametersSurvive) {
  const std::string big(30000, 'x');
  SingleByteCharset charset;
  const auto parameters = splitCommandLine("t strlength " + big, charset);
  ASSERT_EQ(parameters.size(), 3u);
  EXPECT_EQ(parameters[2].size(), 30000u);
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
