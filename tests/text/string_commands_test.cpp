// The string command words as a script runs them: arguments, "NULL", clipping, case, numbers and dates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"
#include "text/string_commands.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::Case;
using fakes::expectCases;
using fakes::englishSettings;
using fakes::run;

const std::string kLong(30000, 'a');

TEST(StringCommands, StrLengthAndStrPos) {
  fakes::FakeServices services;
  expectCases(services, {
      {{"strlength", "NULL"}, {"STRLEN=0"}},
      {{"strlength", kLong}, {"STRLEN=30000"}},
      {{"strpos", "B", "abc"}, {"STRPOS=2"}},
      {{"strpos", "x", "abc"}, {"STRPOS=0"}},
      {{"strpos", "NULL", "abc"}, {"STRPOS=0"}},
      {{"strpos", "a", "NULL"}, {"STRPOS=0"}},
      {{"strpos", "BC", "aBcbC"}, {"STRPOS=2"}},
      {{"strpos", "abcd", "abc"}, {"STRPOS=0"}},
      {{"strpos", "\xC9", "\xE9t\xE9"}, {"STRPOS=0"}},  // accented letters keep their case
      {{"strpos", "a", "bNULLa"}, {"STRPOS=2"}},
      {{"strpos", "b", kLong + "B"}, {"STRPOS=30001"}},
      {{"strpos", kLong, kLong}, {"STRPOS=1"}},
      {{"strpos", "a"}, {"ERROR=1"}},
      {{"strpos"}, {"ERROR=1"}},
  });
}

TEST(StringCommands, StrCopyClipsWithoutOverflow) {
  fakes::FakeServices services;
  expectCases(services, {
      {{"strcopy", "abcdef", "3", "2"}, {"STRCOPY=cd"}},
      {{"strcopy", "abcdef", "3", "NULL"}, {"STRCOPY=cdef"}},
      {{"strcopy", "abcdef", "3", " \t "}, {"STRCOPY=cdef"}},
      {{"strcopy", "abcdef", "0", "2"}, {"STRCOPY=ab"}},
      {{"strcopy", "abcdef", "-5", "3"}, {"STRCOPY=abc"}},
      {{"strcopy", "abcdef", "9", "2"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "7", "1"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "6", "1"}, {"STRCOPY=f"}},
      {{"strcopy", "abcdef", "2", "-1"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "2", "0"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "6", "2147483647"}, {"STRCOPY=f"}},
      {{"strcopy", "abcdef", "2147483647", "2147483647"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "-2147483648", "2147483647"}, {"STRCOPY=abcdef"}},
      {{"strcopy", "abcdef", "-2147483648", "-2147483648"}, {"STRCOPY="}},
      {{"strcopy", "abcdef", "$2", "x3"}, {"STRCOPY=bcd"}},
      {{"strcopy", "abcdef", " 2", " 2"}, {"STRCOPY=bc"}},
      {{"strcopy", "NULL", "1", "5"}, {"STRCOPY="}},
      {{"strcopy", kLong + "xyz", "30001", "NULL"}, {"STRCOPY=xyz"}},
      {{"strcopy", "abcdef", "2", "2 "}, {"ERROR=1"}},
      {{"strcopy", "abcdef", "x", "2"}, {"ERROR=1"}},
      {{"strcopy", "abcdef", "2147483648", "1"}, {"ERROR=1"}},
      {{"strcopy", "abcdef", "NULL", "1"}, {"ERROR=1"}},
      {{"strcopy", "abcdef", "3"}, {"ERROR=1"}},
  });
}

TEST(StringCommands, CaseConversionTouchesAsciiLettersOnly) {
  fakes::FakeServices services;
  expectCases(services, {
      {{"uppercase", "\xE9" "a"}, {"STRING=\xE9" "A"}},
      {{"uppercase", "abNULL"}, {"STRING=AB"}},
      {{"uppercase", "NULL"}, {"STRING="}},
      {{"uppercase", "a-z{}@[`"}, {"STRING=A-Z{}@[`"}},
      {{"uppercase"}, {"ERROR=1"}},
      {{"lowercase", "ABNULL"}, {"STRING=abnull"}},
      {{"lowercase", "\xC9T\xC9 [Z]"}, {"STRING=\xC9t\xC9 [z]"}},
      {{"lowercase", "X", "Y"}, {"STRING=x"}},
      {{"lowercase"}, {"STRING="}},
      {{"lowercase", kLong + "Q"}, {"STRING=" + kLong + "q"}},
  });
}

// In Shift-JIS a trail byte may equal an ASCII letter; it is not one.
TEST(StringCommands, DoubleByteCharactersStayWhole) {
  const fakes::FakeShiftJisCharset shiftJis;
  EXPECT_EQ(upperAsciiLetters("a\x82" "ab", shiftJis), "A\x82" "aB");
  EXPECT_EQ(lowerAsciiLetters("A\x82" "AB", shiftJis), "a\x82" "Ab");
  EXPECT_EQ(findTextPosition("a", "\x82" "aa", shiftJis), 3u);
  EXPECT_EQ(findTextPosition("a", "\x82" "a", shiftJis), 0u);
  EXPECT_EQ(findTextPosition("\x82", "a\x82", shiftJis), 2u);  // a lead byte alone at the end
  EXPECT_EQ(findTextPosition("aa", "a", shiftJis), 0u);
}

TEST(StringCommands, IsNumericAnswersInsteadOfFailing) {
  fakes::FakeServices french;
  expectCases(french, {
      {{"isnumeric", "12"}, {"INT=12", "ISNUMERIC=1"}},
      {{"isnumeric", "007"}, {"INT=7", "ISNUMERIC=1"}},
      {{"isnumeric", "1e3"}, {"INT=1000", "ISNUMERIC=1"}},
      {{"isnumeric", "1,5"}, {"INT=1,5", "ISNUMERIC=1"}},
      {{"isnumeric", " -1,5 "}, {"INT=-1,5", "ISNUMERIC=1"}},
      {{"isnumeric", "123456789012345678"}, {"INT=1,23456789012346E17", "ISNUMERIC=1"}},
      {{"isnumeric", "1e-4999"}, {"INT=0", "ISNUMERIC=1"}},
      {{"isnumeric", "0," + std::string(10000, '3')}, {"INT=0,333333333333333", "ISNUMERIC=1"}},
      {{"isnumeric", "1.5"}, {"ISNUMERIC=0"}},
      {{"isnumeric", "abc"}, {"ISNUMERIC=0"}},
      {{"isnumeric", "NULL"}, {"ISNUMERIC=0"}},
      {{"isnumeric", "1e5000"}, {"ISNUMERIC=0"}},
      {{"isnumeric", "1e-5000"}, {"ISNUMERIC=0"}},
      {{"isnumeric", std::string(10000, '9')}, {"ISNUMERIC=0"}},
      {{"isnumeric", kLong}, {"ISNUMERIC=0"}},
      {{"isnumeric"}, {"ISNUMERIC=0"}},
  });
  fakes::FakeServices english;
  english.regional = englishSettings();
  expectCases(english, {
      {{"isnumeric", "1.5"}, {"INT=1.5", "ISNUMERIC=1"}},
      {{"isnumeric", "1,5"}, {"ISNUMERIC=0"}},
      {{"isnumeric", "123456789012345678"}, {"INT=1.23456789012346E17", "ISNUMERIC=1"}},
  });
}

TEST(StringCommands, CompareReadsIntegerText) {
  fakes::FakeServices services;
  expectCases(services, {
      {{"compare", "10", "9"}, {"RESULT=1"}},
      {{"compare", "-1", "1"}, {"RESULT=2"}},
      {{"compare", "$10", "16"}, {"RESULT=0"}},
      {{"compare", "$FFFFFFFF", "-1"}, {"RESULT=0"}},
      {{"compare", "2147483647", "-2147483648"}, {"RESULT=1"}},
      {{"compare", "-2147483648", "2147483647"}, {"RESULT=2"}},
      {{"compare", " 5", "5"}, {"RESULT=0"}},
      {{"compare", "5 ", "5"}, {"ERROR=1"}},
      {{"compare", "x", "1"}, {"ERROR=1"}},
      {{"compare", "1", "1,5"}, {"ERROR=1"}},
      {{"compare", "2147483648", "0"}, {"ERROR=1"}},
      {{"compare", "NULL", "0"}, {"ERROR=1"}},
      {{"compare", "1"}, {"ERROR=1"}},
  });
}

// The fake clock stands at Monday 7 December 2026, 09:05:03.
TEST(StringCommands, GetDateFormatsTheLocalTime) {
  fakes::FakeServices french;
  expectCases(french, {
      {{"getdate", "yyyy-mm-dd"}, {"DATE=2026-12-07"}},
      {{"getdate", "hh:mm"}, {"DATE=09:05"}},
      {{"getdate", "dddd d mmmm"}, {"DATE=lundi 7 d\xE9" "cembre"}},
      {{"getdate", "NULL"}, {"DATE=07/12/2026 09:05:03"}},
      {{"getdate", "c"}, {"DATE=07/12/2026 09:05:03"}},
      {{"getdate", " "}, {"DATE= "}},
      {{"getdate"}, {"ERROR=1"}},
  });
  french.regional.dateSeparator = ".";
  expectCases(french, {{{"getdate", "dd/mm/yyyy"}, {"DATE=07.12.2026"}}});

  fakes::FakeServices english;
  english.regional = englishSettings();
  expectCases(english, {
      {{"getdate", "dddd"}, {"DATE=Monday"}},
      {{"getdate", "NULL"}, {"DATE=12/7/2026 9:05:03 AM"}},
  });
}

}  // namespace
}  // namespace tovrik
