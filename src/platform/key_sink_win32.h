// The keystroke engine's key sink over user32's keyboard input synthesis.
#pragma once

#include "platform/key_sink.h"

namespace tovrik {

class Win32KeySink final : public KeySink {
 public:
  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
  std::uint16_t keyCodeOf(char character) override;
  bool numLockToggled() override;
  void setNumLockToggled(bool on) override;
  void dispatchKeyboardMessages() override;
  void showMessage(const std::string& text) override;
};

}  // namespace tovrik
