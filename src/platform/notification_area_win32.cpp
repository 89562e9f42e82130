// One icon in the notification area for the length of a run: added with its balloon, taken away by its
// owner's destructor on every path. The shell tells of the balloon through a message to a hidden window;
// the program's own timer ends the wait too, since not every shell reports a balloon's end (Wine's
// reports nothing).
#include "platform/notification_area_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "command/error.h"

namespace tovrik {
namespace {

// The hidden window's class (the tests find the window by it) and the message the icon's events come in.
constexpr char kWindowClass[] = "TovrikNotification";
constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kTimeoutTimer = 1;

// How the wait ended.
struct BalloonOutcome {
  bool ended = false;
  bool clicked = false;
};

LRESULT CALLBACK notificationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* outcome = reinterpret_cast<BalloonOutcome*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!outcome) return DefWindowProcA(window, message, wParam, lParam);
  // The shell sends its events rather than posting them, and GetMessage handles a sent message without
  // returning: a posted message wakes the loop so that it sees the end.
  const auto end = [&](bool clicked) {
    outcome->clicked = clicked;
    outcome->ended = true;
    PostMessageA(window, WM_NULL, 0, 0);
  };
  switch (message) {
    case kIconMessage:
      // Without a version set, lParam is the event itself.
      switch (static_cast<UINT>(lParam)) {
        case NIN_BALLOONUSERCLICK:
        case WM_LBUTTONUP:  // a click on the icon answers the balloon as well
          end(true);
          break;
        case NIN_BALLOONTIMEOUT:  // its time is up, or the user closed it
        case NIN_BALLOONHIDE:
          end(false);
          break;
        default: break;
      }
      return 0;
    case WM_TIMER:
      if (wParam == kTimeoutTimer) end(false);
      return 0;
    case WM_CLOSE:  // closed by another program: ends the wait, not clicked
      end(false);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

OwnedWindow createNotificationWindow(BalloonOutcome& outcome) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kWindowClass, &windowClass)) {
    windowClass.lpfnWndProc = notificationWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
  }
  OwnedWindow window(CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                     &outcome));
  if (!window) throw PlatformError("CreateWindowExA " + std::to_string(GetLastError()));
  return window;
}

DWORD infoFlagsOf(BalloonIcon icon) {
  switch (icon) {
    case BalloonIcon::kInfo: return NIIF_INFO;
    case BalloonIcon::kWarning: return NIIF_WARNING;
    case BalloonIcon::kError: return NIIF_ERROR;
  }
  return NIIF_INFO;
}

// Copies a text that the command has already fitted to the field, NUL included.
template <std::size_t size>
void copyField(char (&field)[size], const std::string& text) {
  const std::size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

// The icon in the notification area, for as long as this object lives.
class NotifyIcon {
 public:
  NotifyIcon(HWND window, const BalloonRequest& request) {
    // The size of the balloon's version of the structure: every system with balloons takes it.
    data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data_.hWnd = window;
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    data_.uCallbackMessage = kIconMessage;
    data_.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                LR_SHARED));
    copyField(data_.szTip, request.title);
    copyField(data_.szInfo, request.text);
    copyField(data_.szInfoTitle, request.title);
    data_.uTimeout = request.seconds * 1000;
    data_.dwInfoFlags = infoFlagsOf(request.icon);
    if (!Shell_NotifyIconA(NIM_ADD, &data_)) throw PlatformError("Shell_NotifyIconA NIM_ADD");
  }
  ~NotifyIcon() {
    data_.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &data_);
  }
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;

 private:
  NOTIFYICONDATAA data_{};
};

}  // namespace

bool Win32NotificationArea::showBalloon(const BalloonRequest& request) {
  BalloonOutcome outcome;
  const OwnedWindow window = createNotificationWindow(outcome);
  const NotifyIcon icon(window.get(), request);
  if (!SetTimer(window.get(), kTimeoutTimer, request.seconds * 1000, nullptr))
    throw PlatformError("SetTimer " + std::to_string(GetLastError()));
  MSG message;
  while (!outcome.ended && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return outcome.clicked;
}

}  // namespace tovrik
