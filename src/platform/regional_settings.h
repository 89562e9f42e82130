// The user's regional settings as plain data, read once per run, so the text rules can be tested on the host.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tovrik {

// A local date and time as the clock reports it.
struct DateTime {
  int year = 1900;
  int month = 1;      // 1..12
  int day = 1;        // 1..31
  int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The locale's date and time separators: all the return file's header needs of the settings.
struct DateTimeSeparators {
  std::string date = "/";
  std::string time = ":";
};

struct RegionalSettings {
  char decimalSeparator = '.';
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::array<std::string, 12> shortMonthNames{};  // January first
  std::array<std::string, 12> longMonthNames{};
  std::array<std::string, 7> shortDayNames{};     // Sunday first
  std::array<std::string, 7> longDayNames{};
  // Windows date and time pictures as the locale gives them ("dd/MM/yyyy", "HH:mm:ss"):
  // "M" is the month and "m" the minute there.
  std::string shortDatePicture;
  std::string longDatePicture;
  std::string shortTimePicture;
  std::string longTimePicture;
  std::string amDesignator;
  std::string pmDesignator;
  // Formats a date with a Windows picture in the locale's alternative calendar (era and year codes);
  // empty when the platform has none.
  std::function<std::string(const DateTime&, std::string_view picture)> formatAlternativeCalendar;
};

}  // namespace tovrik
