// Keyboard input synthesis as the keystroke engine sees it: key events, the layout's key codes and scan
// codes, the NumLock state, the keyboard messages of this thread, and the engine's message box.
#pragma once

#include <cstdint>
#include <string>

namespace tovrik {

inline constexpr std::uint32_t kKeyEventExtended = 0x0001;  // KEYEVENTF_EXTENDEDKEY
inline constexpr std::uint32_t kKeyEventKeyUp = 0x0002;     // KEYEVENTF_KEYUP
// A key code as the layout gives it (VkKeyScanA): virtual key in the low byte, shift state in the high
// byte (1 Shift, 2 Ctrl, 4 Alt); this value when the layout has no key for the character.
inline constexpr std::uint16_t kNoKeyCode = 0xFFFF;

class KeySink {
 public:
  virtual ~KeySink() = default;
  // One synthesised key event into the system's input stream (keybd_event, extra information 0).
  virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
  // The low byte of the scan code the layout maps the virtual key to.
  virtual std::uint8_t scanCodeOf(std::uint8_t virtualKey) = 0;
  // The key code that types the character in the current layout, or kNoKeyCode.
  virtual std::uint16_t keyCodeOf(char character) = 0;
  // The NumLock toggle of this thread's keyboard state, read and written back whole.
  virtual bool numLockToggled() = 0;
  virtual void setNumLockToggled(bool on) = 0;
  // Removes and dispatches the keyboard messages waiting in this thread's own queue.
  virtual void dispatchKeyboardMessages() = 0;
  // A modal message box without owner, caption "SendKeys", OK only; returns once it is dismissed.
  virtual void showMessage(const std::string& text) = 0;
};

}  // namespace tovrik
