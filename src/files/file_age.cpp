// The file-age test and the DOS date-time conversion.
#include "files/file_age.h"

namespace tovrik {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kDaysFrom1601To1970 = 134774;

// Gregorian calendar over days since 1970-01-01 (H. Hinnant's civil_from_days and days_from_civil).
void convertDaysToCivil(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t convertCivilToDays(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::optional<std::uint32_t> convertToDosDateTime(std::uint64_t localFileTime) {
  const std::uint64_t seconds = localFileTime / kTicksPerSecond;
  const std::int64_t days = static_cast<std::int64_t>(seconds / 86400) - kDaysFrom1601To1970;
  const std::uint32_t secondOfDay = static_cast<std::uint32_t>(seconds % 86400);
  int year, month, day;
  convertDaysToCivil(days, year, month, day);
  if (year < 1980 || year > 2107) return std::nullopt;
  const std::uint32_t date = (static_cast<std::uint32_t>(year - 1980) << 9) | (static_cast<std::uint32_t>(month) << 5) |
                             static_cast<std::uint32_t>(day);
  const std::uint32_t time = ((secondOfDay / 3600) << 11) | ((secondOfDay / 60 % 60) << 5) | (secondOfDay % 60 / 2);
  return (date << 16) | time;
}

DateTime decodeDosDateTime(std::uint32_t dosDateTime) {
  DateTime when;
  when.year = static_cast<int>(dosDateTime >> 25) + 1980;
  when.month = static_cast<int>((dosDateTime >> 21) & 0x0F);
  when.day = static_cast<int>((dosDateTime >> 16) & 0x1F);
  when.hour = static_cast<int>((dosDateTime >> 11) & 0x1F);
  when.minute = static_cast<int>((dosDateTime >> 5) & 0x3F);
  when.second = static_cast<int>(dosDateTime & 0x1F) * 2;
  when.millisecond = 0;
  // 1970-01-01 was a Thursday.
  const std::int64_t days = convertCivilToDays(when.year, when.month, when.day);
  when.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7);
  return when;
}

std::optional<std::uint32_t> readFileAge(FileSystem& fileSystem, std::string_view path) {
  const std::optional<FoundEntry> entry = fileSystem.findFirst(path);
  if (!entry || (entry->attributes & kDirectoryAttribute) || !entry->lastWriteLocalTime) return std::nullopt;
  return convertToDosDateTime(*entry->lastWriteLocalTime);
}

}  // namespace tovrik
