// Top-level windows of any process through user32.
#pragma once

#include "platform/top_level_windows.h"

namespace tovrik {

class Win32TopLevelWindows final : public TopLevelWindows {
 public:
  WindowHandle findByTitle(const std::string& title) override;
  void sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  WindowHandle findByClass(const std::string& className) override;
  void enumerate(const std::function<bool(WindowHandle)>& visit) override;
  std::string text(WindowHandle window, std::size_t bufferSize) override;
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void setForeground(WindowHandle window) override;
  void hide(WindowHandle window) override;
};

}  // namespace tovrik
