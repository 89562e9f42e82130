// Finding, enumerating, reading and messaging top-level windows through user32.
#include "platform/top_level_windows_win32.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tovrik {
namespace {

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

}  // namespace tovrik
