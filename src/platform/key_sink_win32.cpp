// Key events, layout lookups, the NumLock state and the engine's message box through user32.
#include "platform/key_sink_win32.h"

#include <windows.h>

namespace tovrik {
namespace {

// The last message number the engine's wait mode takes from the queue (WM_KEYFIRST up to WM_UNICHAR).
constexpr UINT kLastKeyboardMessage = 0x0108;

}  // namespace

void Win32KeySink::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  keybd_event(virtualKey, scanCode, flags, 0);
}

std::uint8_t Win32KeySink::scanCodeOf(std::uint8_t virtualKey) {
  return static_cast<std::uint8_t>(MapVirtualKeyA(virtualKey, 0) & 0xFF);
}

std::uint16_t Win32KeySink::keyCodeOf(char character) { return static_cast<std::uint16_t>(VkKeyScanA(character)); }

bool Win32KeySink::numLockToggled() { return (GetKeyState(VK_NUMLOCK) & 1) != 0; }

void Win32KeySink::setNumLockToggled(bool on) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_NUMLOCK] = static_cast<BYTE>(on ? state[VK_NUMLOCK] | 1 : state[VK_NUMLOCK] & ~1);
  SetKeyboardState(state);
}

void Win32KeySink::dispatchKeyboardMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_KEYFIRST, kLastKeyboardMessage, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32KeySink::showMessage(const std::string& text) { MessageBoxA(nullptr, text.c_str(), "SendKeys", MB_OK); }

}  // namespace tovrik
