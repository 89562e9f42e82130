// Local time and the random seed through kernel32.
#include "platform/clock_win32.h"

#include <windows.h>

namespace tovrik {

DateTime Win32Clock::localTime() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return DateTime{time.wYear, time.wMonth, time.wDay, time.wDayOfWeek,
                  time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

std::uint32_t Win32Clock::randomSeed() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter) && counter.QuadPart != 0) return static_cast<std::uint32_t>(counter.QuadPart);
  return GetTickCount();
}

}  // namespace tovrik
