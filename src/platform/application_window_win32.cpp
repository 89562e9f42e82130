// The hidden application window.
#include "platform/application_window_win32.h"

namespace tovrik {
namespace {

constexpr char kApplicationClass[] = "TApplication";

HWND createApplicationWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kApplicationClass;
  RegisterClassA(&windowClass);
  // A zero-sized popup that is never shown.
  return CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationClass, "Tovrik", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND applicationWindow() {
  static const HWND window = createApplicationWindow();
  return window;
}

}  // namespace tovrik
