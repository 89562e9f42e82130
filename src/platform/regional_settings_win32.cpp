// Separators, names and pictures of the user's locale through kernel32.
#include "platform/regional_settings_win32.h"

#include <windows.h>

#include <string>

namespace tovrik {
namespace {

std::string localeText(LCTYPE type) {
  char buffer[256];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

#ifndef LOCALE_SSHORTTIME
constexpr LCTYPE LOCALE_SSHORTTIME = 0x00000079;
#endif

SYSTEMTIME toSystemTime(const DateTime& when) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(when.year);
  time.wMonth = static_cast<WORD>(when.month);
  time.wDay = static_cast<WORD>(when.day);
  time.wDayOfWeek = static_cast<WORD>(when.dayOfWeek);
  time.wHour = static_cast<WORD>(when.hour);
  time.wMinute = static_cast<WORD>(when.minute);
  time.wSecond = static_cast<WORD>(when.second);
  time.wMilliseconds = static_cast<WORD>(when.millisecond);
  return time;
}

std::string formatAlternativeCalendar(const DateTime& when, std::string_view picture) {
  const SYSTEMTIME time = toSystemTime(when);
  const std::string format(picture);
  char buffer[256];
  const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_USE_ALT_CALENDAR, &time, format.c_str(),
                                    buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}


}  // namespace

DateTimeSeparators readDateTimeSeparators() { return {localeText(LOCALE_SDATE), localeText(LOCALE_STIME)}; }

RegionalSettings readRegionalSettings() {
  RegionalSettings settings;
  const std::string decimal = localeText(LOCALE_SDECIMAL);
  settings.decimalSeparator = decimal.empty() ? '.' : decimal[0];
  const DateTimeSeparators separators = readDateTimeSeparators();
  settings.dateSeparator = separators.date;
  settings.timeSeparator = separators.time;
  for (int month = 0; month < 12; ++month) {
    settings.shortMonthNames[month] = localeText(LOCALE_SABBREVMONTHNAME1 + month);
    settings.longMonthNames[month] = localeText(LOCALE_SMONTHNAME1 + month);
  }
  // The locale numbers days from Monday (1) to Sunday (7); the settings start on Sunday.
  for (int day = 0; day < 7; ++day) {
    const int localeIndex = (day + 6) % 7;
    settings.shortDayNames[day] = localeText(LOCALE_SABBREVDAYNAME1 + localeIndex);
    settings.longDayNames[day] = localeText(LOCALE_SDAYNAME1 + localeIndex);
  }
  settings.shortDatePicture = localeText(LOCALE_SSHORTDATE);
  settings.longDatePicture = localeText(LOCALE_SLONGDATE);
  settings.longTimePicture = localeText(LOCALE_STIMEFORMAT);
  settings.shortTimePicture = localeText(LOCALE_SSHORTTIME);
  if (settings.shortTimePicture.empty()) settings.shortTimePicture = settings.longTimePicture;
  settings.amDesignator = localeText(LOCALE_S1159);
  settings.pmDesignator = localeText(LOCALE_S2359);
  settings.formatAlternativeCalendar = formatAlternativeCalendar;
  return settings;
}

}  // namespace tovrik
