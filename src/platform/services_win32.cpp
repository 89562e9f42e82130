// Regional settings, clock, system directory and environment through kernel32 and user32.
#include "platform/services_win32.h"

#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "forms/credential_forms_win32.h"
#include "forms/standard_dialogs_win32.h"
#include "forms/status_forms_win32.h"
#include "platform/system_strings_win32.h"

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

RegionalSettings readRegionalSettings() {
  RegionalSettings settings;
  const std::string decimal = localeText(LOCALE_SDECIMAL);
  settings.decimalSeparator = decimal.empty() ? '.' : decimal[0];
  settings.dateSeparator = localeText(LOCALE_SDATE);
  settings.timeSeparator = localeText(LOCALE_STIME);
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

}  // namespace

const RegionalSettings& Win32Services::regionalSettings() {
  if (!regional_) regional_ = readRegionalSettings();
  return *regional_;
}

DateTime Win32Services::localTime() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return DateTime{time.wYear, time.wMonth, time.wDay, time.wDayOfWeek,
                  time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

std::uint32_t Win32Services::randomSeed() {
  LARGE_INTEGER counter;
  if (QueryPerformanceCounter(&counter) && counter.QuadPart != 0) return static_cast<std::uint32_t>(counter.QuadPart);
  return GetTickCount();
}

std::optional<std::string> Win32Services::systemDirectory() { return readSizedString(GetSystemDirectoryA); }

namespace {

// The two status forms; their windows are created only when a command shows one.
class Win32StatusWindows final : public StatusWindows {
 public:
  StatusWindow& waitWindow() override { return wait_; }
  StatusWindow& progressWindow() override { return progress_; }

 private:
  TTovrikWait wait_;
  TTovrikPB progress_;
};

class Win32CredentialDialogs final : public CredentialDialogs {
 public:
  EnteredCredentials askPassword(const std::string& title, const std::string& prompt) override {
    return password_.ask(title, prompt);
  }
  EnteredCredentials askLogon(const std::string& title, const std::string& userPrompt,
                              const std::string& passwordPrompt) override {
    return logon_.ask(title, userPrompt, passwordPrompt);
  }

 private:
  TPasswordDlg password_;
  TfrmLogin logon_;
};

// 64-bit Windows keeps handles to 32 significant bits, sign-extended.
HWND toWindow(WindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(handle)));
}

WindowHandle fromWindow(HWND window) { return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window)); }

struct WindowVisit {
  const std::function<bool(WindowHandle)>& visit;
  std::exception_ptr error;
};

// An exception must not unwind through user32's frames: it is kept, the enumeration stopped, and the
// exception raised again once EnumWindows has returned.
BOOL CALLBACK visitWindow(HWND window, LPARAM data) {
  auto& visit = *reinterpret_cast<WindowVisit*>(data);
  try {
    return visit.visit(fromWindow(window)) ? TRUE : FALSE;
  } catch (...) {
    visit.error = std::current_exception();
    return FALSE;
  }
}

}  // namespace

WindowHandle Win32TopLevelWindows::findByTitle(const std::string& title) {
  // Window handles keep to 32 bits even in 64-bit processes, so scripts can pass them around.
  return fromWindow(FindWindowA(nullptr, title.c_str()));
}

WindowHandle Win32TopLevelWindows::findByClass(const std::string& className) {
  return fromWindow(FindWindowA(className.c_str(), nullptr));
}

void Win32TopLevelWindows::enumerate(const std::function<bool(WindowHandle)>& visit) {
  WindowVisit data{visit, nullptr};
  EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&data));
  if (data.error) std::rethrow_exception(data.error);
}

std::string Win32TopLevelWindows::text(WindowHandle window, std::size_t bufferSize) {
  std::string buffer(bufferSize, '\0');
  const int length = GetWindowTextA(toWindow(window), buffer.data(), static_cast<int>(bufferSize));
  buffer.resize(length > 0 ? strnlen(buffer.c_str(), static_cast<std::size_t>(length)) : 0);
  return buffer;
}

bool Win32TopLevelWindows::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
  return PostMessageA(toWindow(window), message, wParam, lParam) != 0;
}

void Win32TopLevelWindows::setForeground(WindowHandle window) { SetForegroundWindow(toWindow(window)); }

void Win32TopLevelWindows::hide(WindowHandle window) { ShowWindow(toWindow(window), SW_HIDE); }

void Win32TopLevelWindows::sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
  SendMessageA(toWindow(window), message, wParam, lParam);
}

StatusWindows& Win32Services::statusWindows() {
  if (!statusWindows_) statusWindows_ = std::make_unique<Win32StatusWindows>();
  return *statusWindows_;
}

CredentialDialogs& Win32Services::credentialDialogs() {
  if (!credentialDialogs_) credentialDialogs_ = std::make_unique<Win32CredentialDialogs>();
  return *credentialDialogs_;
}

StandardDialogs& Win32Services::standardDialogs() {
  if (!standardDialogs_) standardDialogs_ = std::make_unique<Win32StandardDialogs>();
  return *standardDialogs_;
}

void Win32Services::setProcessEnvironmentVariable(std::string_view name, std::string_view value) {
  SetEnvironmentVariableA(std::string(name).c_str(), std::string(value).c_str());
}

void Win32Services::broadcastEnvironmentChange() {
  // Posting would not do: the system refuses to post a message whose lParam points to text, so the
  // broadcast is sent, giving each window a short time to answer and skipping hung ones.
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
}

ConsoleCodePage::ConsoleCodePage() : codePage_(GetOEMCP()) {
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (const UINT console = GetConsoleOutputCP()) codePage_ = console;
    FreeConsole();
  }
}

std::string ConsoleCodePage::fromAnsi(std::string_view ansi) const {
  if (ansi.empty() || codePage_ == GetACP()) return std::string(ansi);
  const int length = static_cast<int>(ansi.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
  return convertWideToCodePage(codePage_, wide.data(), wideLength);
}

}  // namespace tovrik
