// Top-level windows of any process, as the window commands see them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tovrik {

// A window handle as scripts see it: its 32 bits, 0 for none.
using WindowHandle = std::uint32_t;

class TopLevelWindows {
 public:
  virtual ~TopLevelWindows() = default;
  // The first top-level window whose title is exactly `title` (compared without regard to case), or 0.
  virtual WindowHandle findByTitle(const std::string& title) = 0;
  // Sends and waits until the owning process has handled the message; the result is not used.
  virtual void sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  // The first top-level window of this class, or 0.
  virtual WindowHandle findByClass(const std::string& className) = 0;
  // Visits every top-level window, hidden ones included, in the platform's order, until visit says stop.
  virtual void enumerate(const std::function<bool(WindowHandle)>& visit) = 0;
  // The window's text read into a buffer of bufferSize characters (so at most bufferSize - 1 of them),
  // ending at its first NUL; "" for a window without text or a handle that names none.
  virtual std::string text(WindowHandle window, std::size_t bufferSize) = 0;
  // Posts and returns at once; whether the platform accepted the message.
  virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  virtual void setForeground(WindowHandle window) = 0;
  virtual void hide(WindowHandle window) = 0;
};

}  // namespace tovrik
