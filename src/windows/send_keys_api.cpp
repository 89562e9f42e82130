// The keystroke engine and the window finder of SendKeysApi.
#include "windows/send_keys_api.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "command/ascii.h"
#include "text/number_rules.h"

namespace tovrik {
namespace {

constexpr std::uint8_t kShiftKey = 0x10;    // VK_SHIFT
constexpr std::uint8_t kControlKey = 0x11;  // VK_CONTROL
constexpr std::uint8_t kAltKey = 0x12;      // VK_MENU
constexpr std::uint8_t kReturnKey = 0x0D;   // VK_RETURN
constexpr std::uint8_t kNumLockKey = 0x90;  // VK_NUMLOCK

// Used for the brace escapes only where the layout has no key for the brace itself.
constexpr std::uint16_t kFallbackLeftBrace = 0x01DB;
constexpr std::uint16_t kFallbackRightBrace = 0x01DD;

constexpr std::size_t kBracedTextLimit = 20;

struct KeyName {
  std::string_view name;
  std::uint8_t virtualKey;
};

constexpr std::array<KeyName, 41> kKeyNames{{
    {"BKSP", 0x08},      {"BS", 0x08},    {"BACKSPACE", 0x08}, {"BREAK", 0x03}, {"CAPSLOCK", 0x14},
    {"CLEAR", 0x0C},     {"DEL", 0x2E},   {"DELETE", 0x2E},    {"DOWN", 0x28},  {"END", 0x23},
    {"ENTER", 0x0D},     {"ESC", 0x1B},   {"ESCAPE", 0x1B},    {"F1", 0x70},    {"F2", 0x71},
    {"F3", 0x72},        {"F4", 0x73},    {"F5", 0x74},        {"F6", 0x75},    {"F7", 0x76},
    {"F8", 0x77},        {"F9", 0x78},    {"F10", 0x79},       {"F11", 0x7A},   {"F12", 0x7B},
    {"F13", 0x7C},       {"F14", 0x7D},   {"F15", 0x7E},       {"F16", 0x7F},   {"HELP", 0x2F},
    {"HOME", 0x24},      {"INS", 0x2D},   {"LEFT", 0x25},      {"NUMLOCK", 0x90}, {"PGDN", 0x22},
    {"PGUP", 0x21},      {"PRTSC", 0x2A}, {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09},
    {"UP", 0x26},
}};

std::optional<std::uint8_t> virtualKeyNamed(std::string_view name) {
  for (const KeyName& entry : kKeyNames)
    if (entry.name == name) return entry.virtualKey;
  return std::nullopt;
}

// The navigation keys of the separate block: the layout sends them with the extended-key prefix.
bool isExtendedKey(std::uint8_t virtualKey) {
  return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// One call of sendKeys: the pending modifiers and the group flag live here.
class KeyStringTyper {
 public:
  KeyStringTyper(KeySink& sink, bool waitMode) : sink_(sink), waitMode_(waitMode) {}
  KeyStringTyper(const KeyStringTyper&) = delete;
  KeyStringTyper& operator=(const KeyStringTyper&) = delete;

  // A modifier left down would act on every program until the user pressed it again, so whatever way
  // the call ends (a "No Close", a bad repeat count, an open group), its modifiers are let go.
  ~KeyStringTyper() { releaseHeldModifiers(); }

  bool type(std::string_view keys) {
    if (keys.empty()) return false;
    std::size_t position = 0;
    while (position < keys.size()) {
      switch (keys[position]) {
        case '+': pressModifier(kShiftKey, shiftPending_); ++position; break;
        case '^': pressModifier(kControlKey, controlPending_); ++position; break;
        case '%': pressModifier(kAltKey, altPending_); ++position; break;
        case '(': groupOpen_ = true; ++position; break;
        case ')':
          groupOpen_ = false;
          releasePendingModifiers();
          ++position;
          break;
        case '~':
          typeKeyCode(kReturnKey, 1);
          releasePendingModifiers();
          ++position;
          break;
        case '{':
          if (!typeBracedKey(keys, position)) return false;
          break;
        default:
          typeCharacter(keys[position]);
          ++position;
          break;
      }
    }
    releasePendingModifiers();
    return true;
  }

 private:
  void typeCharacter(char character) {
    const std::uint16_t code = sink_.keyCodeOf(character);
    if (code == kNoKeyCode) {
      // The modifiers stay pending for the next key.
      sink_.showMessage("Invalid KeyName");
      return;
    }
    typeKeyCode(code, 1);
    releasePendingModifiers();
  }

  // The brace as the current layout types it (AltGr included); the fixed code where it has no such key.
  std::uint16_t braceKeyCode(char brace, std::uint16_t fallback) {
    const std::uint16_t code = sink_.keyCodeOf(brace);
    return code == kNoKeyCode ? fallback : code;
  }

  // At the "{" at `position`; moves position past the braced key. False ends the call ("No Close").
  bool typeBracedKey(std::string_view keys, std::size_t& position) {
    if (position + 1 < keys.size() && keys[position + 1] == '{') {
      typeKeyCode(braceKeyCode('{', kFallbackLeftBrace), 1);
      releasePendingModifiers();
      // "{{}" is three characters; the third is not examined, and a string cut short ends here.
      position = std::min(position + 3, keys.size());
      return true;
    }
    std::string text;
    std::size_t end = position + 1;
    for (; end < keys.size() && keys[end] != '}'; ++end)
      if (text.size() < kBracedTextLimit) text.push_back(upperAscii(keys[end]));
    if (end == keys.size()) {
      // Let go first: the box may wait a long time for the user, who should not find Shift held down.
      releaseHeldModifiers();
      sink_.showMessage("No Close");
      return false;
    }
    position = end + 1;
    // Only an empty name escapes a right brace: "{}}" types "}", while "{ENTER}}" is Enter then "}".
    if (text.empty() && position < keys.size() && keys[position] == '}') {
      typeKeyCode(braceKeyCode('}', kFallbackRightBrace), 1);
      releasePendingModifiers();
      ++position;
      return true;
    }
    std::uint16_t count = 1;
    std::string_view key = text;
    if (const std::size_t space = text.find(' '); space != std::string::npos) {
      count = static_cast<std::uint16_t>(static_cast<std::uint32_t>(readIntegerText(key.substr(space + 1))));
      key = key.substr(0, space);
    }
    std::uint16_t code;
    if (key.size() == 1) {
      code = sink_.keyCodeOf(key[0]);
      if (code == kNoKeyCode) return true;
    } else {
      const std::optional<std::uint8_t> named = virtualKeyNamed(key);
      if (!named) {
        sink_.showMessage("Invalid Key Name");
        return true;
      }
      code = *named;
    }
    typeKeyCode(code, count);
    releasePendingModifiers();
    return true;
  }

  void pressModifier(std::uint8_t virtualKey, bool& pending) {
    pressKey(virtualKey, 1, false);
    pending = true;
  }

  // The shift state of the code is pressed around the key, and let go in the order it was pressed.
  void typeKeyCode(std::uint16_t code, std::uint16_t count) {
    const std::uint8_t virtualKey = static_cast<std::uint8_t>(code & 0xFF);
    const unsigned shiftState = code >> 8;
    if (shiftState & 1) pressKey(kShiftKey, 1, false);
    if (shiftState & 2) pressKey(kControlKey, 1, false);
    if (shiftState & 4) pressKey(kAltKey, 1, false);
    pressKey(virtualKey, count, true);
    if (shiftState & 1) releaseKey(kShiftKey);
    if (shiftState & 2) releaseKey(kControlKey);
    if (shiftState & 4) releaseKey(kAltKey);
  }

  void pressKey(std::uint8_t virtualKey, std::uint16_t count, bool release) {
    if (virtualKey == kNumLockKey) {
      // The toggle lives in the keyboard state; a key event would not change it for this thread.
      sink_.setNumLockToggled(!sink_.numLockToggled());
      return;
    }
    const std::uint8_t scanCode = sink_.scanCodeOf(virtualKey);
    const std::uint32_t flags = isExtendedKey(virtualKey) ? kKeyEventExtended : 0;
    for (std::uint32_t i = 0; i < count; ++i) {
      keyEvent(virtualKey, scanCode, flags);
      if (release) keyEvent(virtualKey, scanCode, flags | kKeyEventKeyUp);
    }
  }

  void releaseKey(std::uint8_t virtualKey) { keyEvent(virtualKey, sink_.scanCodeOf(virtualKey), kKeyEventKeyUp); }

  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    sink_.keyEvent(virtualKey, scanCode, flags);
    if (waitMode_) sink_.dispatchKeyboardMessages();
  }

  void releasePendingModifiers() {
    if (groupOpen_) return;
    releaseHeldModifiers();
  }

  void releaseHeldModifiers() {
    groupOpen_ = false;
    if (shiftPending_) releaseKey(kShiftKey);
    if (controlPending_) releaseKey(kControlKey);
    if (altPending_) releaseKey(kAltKey);
    shiftPending_ = controlPending_ = altPending_ = false;
  }

  KeySink& sink_;
  const bool waitMode_;
  bool shiftPending_ = false;
  bool controlPending_ = false;
  bool altPending_ = false;
  bool groupOpen_ = false;
};

// The search buffer of the finder: only this many characters of a title, less its NUL, take part.
constexpr std::size_t kTitleSearchBuffer = 80;

constexpr std::uint32_t kSysCommandMessage = 0x0112;  // WM_SYSCOMMAND
constexpr std::uintptr_t kSysCommandHotKey = 0xF150;  // SC_HOTKEY
constexpr std::uintptr_t kSysCommandRestore = 0xF120;  // SC_RESTORE

WindowHandle lastFoundWindow = 0;

}  // namespace

bool sendKeys(std::string_view keys, bool waitMode, KeySink& sink) {
  KeyStringTyper typer(sink, waitMode);
  return typer.type(keys);
}

namespace {

WindowHandle findAndActivate(TopLevelWindows& windows, std::string_view text, bool activate) {
  const std::string searchText(text);
  WindowHandle found = windows.findByTitle(searchText);
  if (found == 0 && !searchText.empty()) {
    const std::string loweredSearch = lowerAscii(searchText);
    windows.enumerate([&](WindowHandle window) {
      if (lowerAscii(windows.text(window, kTitleSearchBuffer)).find(loweredSearch) == std::string::npos)
        return true;
      found = window;
      return false;
    });
  }
  if (found != 0 && activate) {
    // The window's own handle travels in lParam, as the system's hot-key activation sends it.
    const auto self = static_cast<std::intptr_t>(static_cast<std::int32_t>(found));
    windows.sendMessage(found, kSysCommandMessage, kSysCommandHotKey, self);
    windows.sendMessage(found, kSysCommandMessage, kSysCommandRestore, self);
    windows.setForeground(found);
  }
  return found;
}

}  // namespace

bool findWindowByTitle(TopLevelWindows& windows, std::string_view text, bool activate) {
  WindowHandle found = 0;
  try {
    found = findAndActivate(windows, text, activate);
  } catch (const std::exception&) {
    // The finder answers "not found" on an error of its own: the commands report the window found
    // before, and a script goes on as after a miss.
    return false;
  }
  if (found == 0) return false;
  lastFoundWindow = found;
  return true;
}

WindowHandle lastFoundWindowHandle() { return lastFoundWindow; }

void forgetLastFoundWindowHandle() { lastFoundWindow = 0; }

}  // namespace tovrik
