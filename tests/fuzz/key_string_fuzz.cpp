// Fuzz target for the keystroke engine: any key string, in both modes, must end with no modifier key
// down and raise nothing but a conversion error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "command/error.h"
#include "platform/key_sink.h"
#include "windows/send_keys_api.h"

namespace {

// A US-like layout that tracks which keys are down without keeping the events.
class KeyStateSink final : public tovrik::KeySink {
 public:
  bool down[256] = {};
  bool numLock = false;

  void keyEvent(std::uint8_t virtualKey, std::uint8_t, std::uint32_t flags) override {
    down[virtualKey] = (flags & tovrik::kKeyEventKeyUp) == 0;
  }
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override { return virtualKey; }
  std::uint16_t keyCodeOf(char character) override {
    const auto c = static_cast<unsigned char>(character);
    if (c >= 'a' && c <= 'z') return static_cast<std::uint16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint16_t>(0x100 | c);
    if (c >= 0xC0) return static_cast<std::uint16_t>(0x600 | (c & 0x3F));  // AltGr keys
    if (c >= 0x80) return tovrik::kNoKeyCode;
    return static_cast<std::uint16_t>(((c & 1) << 8) | c);
  }
  bool numLockToggled() override { return numLock; }
  void setNumLockToggled(bool on) override { numLock = on; }
  void dispatchKeyboardMessages() override {}
  void showMessage(const std::string&) override {}
};

// Random bytes seldom spell the syntax: bytes 0x80 to 0x9F stand for its characters and key names.
const char* const kPieces[32] = {"{", "}", "(", ")", "+", "^", "%", "~", "{ENTER}", "{LEFT ", "{NUMLOCK}",
                                 "{{}", "{}}", " ", "{BS 3}", "{F17}", "{a}", "$", "{UP 2}", "x", "{TAB",
                                 "+(", "^{", "%{DEL}", "{ }", "}}", "{{", "0", "-", "{PGDN 0}", "{ESC 1}", "("};

std::string keyStringOf(std::string_view input) {
  std::string keys;
  for (const char c : input) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte < 0xA0)
      keys += kPieces[byte - 0x80];
    else
      keys.push_back(c);
  }
  return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string keys = keyStringOf(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const bool waitMode : {false, true}) {
    KeyStateSink sink;
    try {
      tovrik::sendKeys(keys, waitMode, sink);
    } catch (const tovrik::ConversionError&) {
    }
    for (const std::uint8_t modifier : {0x10, 0x11, 0x12})
      if (sink.down[modifier]) __builtin_trap();
  }
  return 0;
}
