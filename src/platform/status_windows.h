// The program's own wait and progress windows, and the messages other invocations send them.
#pragma once

#include <cstdint>
#include <string>

namespace tovrik {

// The wait window (text only, always on top) or the progress window (text and bar) of this invocation.
class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
  // Makes the window visible with its design caption and brings it to the front.
  virtual void show() = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setText(const std::string& markup) = 0;
  // Progress window only: the bar's range; raises when maximum < minimum.
  virtual void setRange(std::int32_t minimum, std::int32_t maximum) = 0;
  // Runs the message loop; the window's close handler ends the process, so this never returns.
  [[noreturn]] virtual void runUntilClosed() = 0;
};

class StatusWindows {
 public:
  virtual ~StatusWindows() = default;
  virtual StatusWindow& waitWindow() = 0;
  virtual StatusWindow& progressWindow() = 0;
};

// The private message the progress window handles: wParam 1 adds lParam, 2 sets the position to lParam.
inline constexpr std::uint32_t kProgressMessage = 0x0400 + 251;
inline constexpr std::uintptr_t kProgressAdd = 1;
inline constexpr std::uintptr_t kProgressSet = 2;
inline constexpr std::uint32_t kCloseMessage = 0x0010;  // WM_CLOSE

}  // namespace tovrik
