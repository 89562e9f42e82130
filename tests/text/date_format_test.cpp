// Date format language and Windows pictures, checked against French, US English and German settings.
#include "text/date_format.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/regional_settings_samples.h"

namespace tovrik {
namespace {

using fakes::englishSettings;
using fakes::frenchSettings;
using fakes::germanSettings;

// Saturday 7 February 2026, 09:05:03.007: single-digit day, month, hour, minute and second.
DateTime saturdayMorning() { return DateTime{2026, 2, 7, 6, 9, 5, 3, 7}; }

DateTime at(int hour, int minute, int second = 0, int millisecond = 0) {
  DateTime when = saturdayMorning();
  when.hour = hour;
  when.minute = minute;
  when.second = second;
  when.millisecond = millisecond;
  return when;
}

// Shift-JIS: 0x81-0x9F and 0xE0-0xFC lead a double-byte character.
class ShiftJisCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

struct FormatCase {
  const char* format;
  std::string expected;
};

void expectFormats(const std::vector<FormatCase>& cases, const DateTime& when, const RegionalSettings& regional) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": \"" + cases[i].format + "\"");
    EXPECT_EQ(formatDateTime(cases[i].format, when, regional), cases[i].expected);
  }
}

TEST(DateFormatCodes, EveryCodeAndRunLengthWithFrenchSettings) {
  expectFormats(
      {
          {"", ""},
          {"d", "7"}, {"dd", "07"}, {"ddd", "sam."}, {"dddd", "samedi"},
          {"ddddd", "07/02/2026"}, {"dddddd", "samedi 7 f\xE9vrier 2026"}, {"ddddddd", "samedi 7 f\xE9vrier 2026"},
          {"m", "2"}, {"mm", "02"}, {"mmm", "f\xE9vr."}, {"mmmm", "f\xE9vrier"}, {"mmmmm", "f\xE9vrier"},
          {"y", "26"}, {"yy", "26"}, {"yyy", "2026"}, {"yyyy", "2026"}, {"yyyyy", "2026"},
          {"h", "9"}, {"hh", "09"}, {"hhh", "09"},
          {"n", "5"}, {"nn", "05"}, {"nnn", "05"},
          {"s", "3"}, {"ss", "03"}, {"sss", "03"},
          {"z", "7"}, {"zz", "07"}, {"zzz", "007"}, {"zzzz", "007"},
          {"t", "09:05"}, {"tt", "09:05:03"}, {"ttt", "09:05:03"},
          {"c", "07/02/2026 09:05:03"}, {"cc", "07/02/2026 09:05:03"},
          {"aaa", "sam."}, {"aaaa", "samedi"}, {"aaaaa", "samedia"}, {"a", "a"}, {"aa", "aa"},
          {"ampm", ""},
          {"yyyy-mm-dd", "2026-02-07"},
          {"DD/MM/YYYY", "07/02/2026"}, {"Dd.mM", "07.02"}, {"DDDD", "samedi"},
          {"[dd]-#x bq", "[07]-#x bq"},
          {"mm/dd/yyyy\",\" hh:nn", "02/07/2026, 09:05"},
      },
      saturdayMorning(), frenchSettings());
}

TEST(DateFormatCodes, MonthCodeMeansMinutesRightAfterAnHourCode) {
  expectFormats(
      {
          {"hh:mm", "09:05"}, {"h:m", "9:5"}, {"hh mm", "09 05"}, {"HH:MM", "09:05"},
          {"hh'h'mm", "09h05"}, {"hh\"x\"m", "09x5"},
          {"mm hh", "02 09"}, {"hh:nn:mm", "09:05:02"}, {"h:m:m", "9:5:2"},
          {"hhxmm", "09x02"}, {"hh dd mm", "09 07 02"},
          {"hh:mmm", "09:f\xE9vr."}, {"hh:mmmm", "09:f\xE9vrier"},
      },
      saturdayMorning(), frenchSettings());
}

TEST(DateFormatCodes, QuotedTextIsCopiedWithoutItsQuotes) {
  expectFormats(
      {
          {"'dd'", "dd"}, {"\"mm/yy\"", "mm/yy"}, {"'it''s'", "its"}, {"''", ""},
          {"'say \"hi\"'", "say \"hi\""}, {"\"it's\"", "it's"},
          {"dd 'unterminated mm", "07 unterminated mm"}, {"\"", ""}, {"d\"", "7"},
          {"'/':\":\"", "/::"},
      },
      saturdayMorning(), frenchSettings());
}

TEST(DateFormatCodes, SlashAndColonBecomeTheLocaleSeparators) {
  RegionalSettings dotted = germanSettings();
  dotted.timeSeparator = ".";
  expectFormats(
      {
          {"dd/mm/yyyy", "07.02.2026"}, {"hh:nn", "09.05"}, {"ddddd", "07.02.2026"},
          {"dddddd", "Samstag, 7. Februar 2026"}, {"t", "09:05"}, {"/:/", "..."},
      },
      saturdayMorning(), dotted);
}

TEST(DateFormatCodes, PictureSeparatorsStayLiteral) {
  RegionalSettings regional = germanSettings();
  regional.shortDatePicture = "dd/MM/yyyy";
  regional.timeSeparator = ".";
  expectFormats({{"ddddd", "07/02/2026"}, {"c", "07/02/2026 09:05:03"}, {"dd/mm", "07.02"}},
                saturdayMorning(), regional);
}

struct ClockCase {
  const char* format;
  int hour;
  int minute;
  std::string expected;
};

TEST(DateFormatTwelveHourClock, ForwardScanDecidesTheClock) {
  const std::vector<ClockCase> cases = {
      {"h:nn am/pm", 9, 5, "9:05 am"},       {"h:nn am/pm", 21, 40, "9:40 pm"},
      {"h:nn am/pm", 0, 15, "12:15 am"},     {"h:nn am/pm", 12, 0, "12:00 pm"},
      {"hh:nn AM/PM", 21, 40, "09:40 PM"},   {"hh:nn AM/PM", 11, 59, "11:59 AM"},
      {"h Am/Pm", 21, 40, "9 Pm"},           {"h aM/pM", 9, 5, "9 aM"},
      {"h a/p", 21, 40, "9 p"},              {"h A/P", 9, 5, "9 A"},
      {"h ampm", 21, 40, "9 PM"},            {"h ampm", 0, 15, "12 AM"},
      {"H AMPM", 13, 0, "1 PM"},             {"hh:mm am/pm", 21, 40, "09:40 pm"},
      {"h 'a' m", 21, 40, "21 a 40"},        {"h 'a' am/pm", 21, 40, "9 a pm"},
      {"h \"am\" nn a/p", 21, 40, "9 am 40 p"}, {"h 'am/pm'", 21, 40, "21 am/pm"},
      {"h 'am/pm", 21, 40, "21 am/pm"},      {"h:nn aaaa am/pm", 21, 40, "21:40 Saturday pm"},
      {"h:nn xa/p", 21, 40, "9:40 xp"},      {"h:nn ab a/p", 21, 40, "21:40 ab p"},
      {"hh h am/pm", 21, 40, "21 9 pm"},     {"h am/pm h", 21, 40, "9 pm 9"},
      {"am/pm h", 21, 40, "pm 21"},          {"h:nn", 0, 15, "0:15"},
      {"hh:nn", 12, 0, "12:00"},             {"a/p", 12, 0, "p"},
  };
  const RegionalSettings regional = englishSettings();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": \"" + cases[i].format + "\"");
    EXPECT_EQ(formatDateTime(cases[i].format, at(cases[i].hour, cases[i].minute), regional), cases[i].expected);
  }
}

TEST(DateFormatTwelveHourClock, EmptyDesignatorsStillSwitchTheClock) {
  EXPECT_EQ(formatDateTime("h:nn ampm", at(21, 40), frenchSettings()), "9:40 ");
  EXPECT_EQ(formatDateTime("h:nn am/pm", at(21, 40), frenchSettings()), "9:40 pm");
}

TEST(DateFormatLocalePictures, EnglishPicturesPrintAsWindowsDoes) {
  const RegionalSettings regional = englishSettings();
  expectFormats({{"ddddd", "2/7/2026"}, {"dddddd", "Saturday, February 7, 2026"}, {"t", "9:05 AM"},
                 {"tt", "9:05:03 AM"}, {"c", "2/7/2026 9:05:03 AM"}},
                saturdayMorning(), regional);
  expectFormats({{"t", "9:40 PM"}, {"tt", "9:40:00 PM"}, {"c", "2/7/2026 9:40:00 PM"}}, at(21, 40), regional);
  expectFormats({{"t", "12:00 AM"}, {"tt", "12:00:01 AM"}}, at(0, 0, 1), regional);
}

TEST(DateFormatLocalePictures, TimeOfCIsLeftOutOnlyWhenHourMinuteAndSecondAreZero) {
  const RegionalSettings french = frenchSettings();
  const std::vector<std::pair<DateTime, std::string>> cases = {
      {at(0, 0, 0), "07/02/2026"},
      {at(0, 0, 0, 500), "07/02/2026"},
      {at(0, 0, 1), "07/02/2026 00:00:01"},
      {at(0, 1, 0), "07/02/2026 00:01:00"},
      {at(12, 0, 0), "07/02/2026 12:00:00"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(formatDateTime("c", cases[i].first, french), cases[i].second);
  }
}

struct PictureCase {
  const char* picture;
  bool isDatePicture;
  int hour;
  std::string expected;
};

TEST(DateFormatLocalePictures, WindowsPictureCodes) {
  RegionalSettings regional = englishSettings();
  regional.formatAlternativeCalendar = [](const DateTime&, std::string_view picture) {
    return "<" + std::string(picture) + ">";
  };
  const std::vector<PictureCase> cases = {
      {"d dd ddd dddd ddddd", true, 9, "7 07 Sat Saturday Saturday"},
      {"M MM MMM MMMM MMMMM", true, 9, "2 02 Feb February February"},
      {"y|yy|yyy|yyyy|yyyyy", true, 9, "6|26|2026|2026|2026"},
      {"gg yyyy", true, 9, "<gg> 2026"},
      {"dddd d' de 'MMMM", true, 9, "Saturday 7 de February"},
      {"'abc''bar' d''M", true, 9, "abc'bar 7'2"},
      {"'unterminated d", true, 9, "unterminated d"},
      {"D/m:Y h", true, 9, "D/m:Y h"},
      {"H' h 'mm", false, 9, "9 h 05"},
      {"h hh H HH", false, 0, "12 12 0 00"},
      {"h hh H HH", false, 13, "1 01 13 13"},
      {"hh:mm:ss t", false, 21, "09:05:03 P"},
      {"hhh:mmm:sss ttt", false, 9, "09:05:03 AM"},
      {"d M y 'h'", false, 9, "d M y h"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": \"" + cases[i].picture + "\"");
    DateTime when = saturdayMorning();
    when.hour = cases[i].hour;
    const std::string actual = cases[i].isDatePicture
                                   ? formatWithDatePicture(cases[i].picture, when, regional, SingleByteCharset())
                                   : formatWithTimePicture(cases[i].picture, when, regional, SingleByteCharset());
    EXPECT_EQ(actual, cases[i].expected);
  }
}

struct EraCase {
  const char* format;
  std::string expected;
  std::vector<std::string> pictures;
};

TEST(DateFormatEra, EraCodesAskTheAlternativeCalendar) {
  const std::vector<EraCase> cases = {
      {"e", "8", {"yy"}},         {"ee", "08", {"yy"}},      {"E", "8", {"yy"}},
      {"eee", "R8", {"yyyy"}},    {"eeee", "R8", {"yyyy"}},  {"g", "Reiwa", {"gg"}},
      {"gg", "Reiwa", {"gg"}},    {"GGG", "Reiwa", {"gg"}},  {"gge", "Reiwa8", {"gg", "yy"}},
      {"'e' g", "e Reiwa", {"gg"}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": \"" + cases[i].format + "\"");
    std::vector<std::string> asked;
    RegionalSettings regional = englishSettings();
    regional.formatAlternativeCalendar = [&asked](const DateTime& when, std::string_view picture) {
      EXPECT_EQ(when.year, 2026);
      asked.emplace_back(picture);
      if (picture == "yy") return std::string("08");
      if (picture == "yyyy") return std::string("R8");
      return std::string("Reiwa");
    };
    EXPECT_EQ(formatDateTime(cases[i].format, saturdayMorning(), regional), cases[i].expected);
    EXPECT_EQ(asked, cases[i].pictures);
  }
}

TEST(DateFormatEra, SingleEDropsOnlyALeadingZero) {
  RegionalSettings regional = englishSettings();
  regional.formatAlternativeCalendar = [](const DateTime&, std::string_view) { return std::string("10"); };
  EXPECT_EQ(formatDateTime("e", saturdayMorning(), regional), "10");
  regional.formatAlternativeCalendar = [](const DateTime&, std::string_view) { return std::string("0"); };
  EXPECT_EQ(formatDateTime("e", saturdayMorning(), regional), "0");
}

TEST(DateFormatEra, NoAlternativeCalendarGivesNothing) {
  EXPECT_EQ(formatDateTime("[e|ee|eee|g|gg]", saturdayMorning(), englishSettings()), "[||||]");
  EXPECT_EQ(formatWithDatePicture("gg yyyy", saturdayMorning(), englishSettings(), SingleByteCharset()), " 2026");
}

TEST(DateFormatDoubleByte, TrailBytesAreNeverCodes) {
  const ShiftJisCharset shiftJis;
  RegionalSettings regional = frenchSettings();
  // 0x94 0x4E is one character whose trail byte is "N"; 0x8C 0xDF 0x91 0x4F is a two-character designator.
  EXPECT_EQ(formatDateTime("yyyy\x94\x4E", saturdayMorning(), regional, shiftJis), "2026\x94\x4E");
  EXPECT_EQ(formatDateTime("yyyy\x94\x4E", saturdayMorning(), regional), "2026\x94" "5");
  EXPECT_EQ(formatDateTime("'\x83\x27'dd", saturdayMorning(), regional, shiftJis), "\x83\x27" "07");
  EXPECT_EQ(formatDateTime("hh\x88\x61/p", at(21, 40), regional, shiftJis), "21\x88\x61/p");
  regional.amDesignator = "\x8C\xDF\x91\x4F";
  regional.shortTimePicture = "t h:mm";
  regional.longTimePicture = "tt h\x8E\x9E";
  EXPECT_EQ(formatDateTime("t|tt", saturdayMorning(), regional, shiftJis), "\x8C\xDF 9:05|\x8C\xDF\x91\x4F 9\x8E\x9E");
}

TEST(DateFormatRobustness, OutOfRangeClockFieldsGiveNoName) {
  DateTime odd = saturdayMorning();
  odd.month = 13;
  odd.dayOfWeek = -1;
  EXPECT_EQ(formatDateTime("[mmm|mmmm|ddd|dddd|mm]", odd, frenchSettings()), "[||||13]");
}

}  // namespace
}  // namespace tovrik
