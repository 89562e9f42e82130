// The configuration form's window: a fixed dialog frame with the product's caption.
#include "forms/main_form_win32.h"

namespace tovrik {
namespace {

constexpr char kMainFormClass[] = "TMainForm";
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 212;

LRESULT CALLBACK mainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HWND createMainFormWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = mainFormProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainFormClass;
  RegisterClassA(&windowClass);

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
  return CreateWindowExA(WS_EX_DLGMODALFRAME, kMainFormClass, "Selvane Tovrik", kStyle, 10, 10,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                         nullptr);
}

}  // namespace

HWND TMainForm::handle() {
  static const HWND window = createMainFormWindow(GetModuleHandleA(nullptr));
  return window;
}

int TMainForm::runConfiguration(HINSTANCE, const std::string&) {
  const HWND window = handle();
  if (!window) return 0;
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace tovrik
