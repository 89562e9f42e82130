// A recording key sink for host tests: a US-like layout, every key event and message box in order, and
// which keys are down at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/key_sink.h"

namespace tovrik::fakes {

struct KeyEvent {
  std::uint8_t virtualKey;
  std::uint8_t scanCode;
  std::uint32_t flags;
  bool operator==(const KeyEvent&) const = default;
};

// The US layout's key code of a character, as VkKeyScanA gives it; kNoKeyCode for bytes above 0x7E.
inline std::uint16_t usKeyCode(char character) {
  const auto c = static_cast<unsigned char>(character);
  if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(0x100 | c);
  if (c >= '0' && c <= '9') return c;
  switch (c) {
    case ' ': return 0x20;
    case '+': return 0x1BB;
    case '=': return 0xBB;
    case '^': return 0x136;
    case '%': return 0x135;
    case '(': return 0x139;
    case ')': return 0x130;
    case '~': return 0x1C0;
    case '{': return 0x1DB;
    case '}': return 0x1DD;
    case '[': return 0xDB;
    case ']': return 0xDD;
    case '-': return 0xBD;
    case '.': return 0xBE;
    case '!': return 0x131;
    default: return kNoKeyCode;
  }
}

class RecordingKeySink final : public KeySink {
 public:
  std::vector<KeyEvent> events;
  std::vector<std::string> messages;
  // Every call in order: "down 41", "up 41", "pump", "box No Close", "numlock 1".
  std::vector<std::string> calls;
  std::set<std::uint8_t> keysDown;
  bool numLock = false;
  // Overrides of the layout, character -> key code (kNoKeyCode: no key for it).
  std::vector<std::pair<char, std::uint16_t>> layout;

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override {
    events.push_back({virtualKey, scanCode, flags});
    char text[16];
    std::snprintf(text, sizeof text, "%s %02X", flags & kKeyEventKeyUp ? "up" : "down", virtualKey);
    calls.push_back(text);
    if (flags & kKeyEventKeyUp)
      keysDown.erase(virtualKey);
    else
      keysDown.insert(virtualKey);
  }
  // A scan code that tells keys apart from their virtual keys in the expectations.
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override { return static_cast<std::uint8_t>(virtualKey ^ 0x80); }
  std::uint16_t keyCodeOf(char character) override {
    for (const auto& [c, code] : layout)
      if (c == character) return code;
    return usKeyCode(character);
  }
  bool numLockToggled() override { return numLock; }
  void setNumLockToggled(bool on) override {
    numLock = on;
    calls.push_back(on ? "numlock 1" : "numlock 0");
  }
  void dispatchKeyboardMessages() override { calls.push_back("pump"); }
  void showMessage(const std::string& text) override {
    messages.push_back(text);
    calls.push_back("box " + text);
  }
};

}  // namespace tovrik::fakes
