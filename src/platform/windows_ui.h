// Top-level windows of any process, and the program's own wait, progress, password and logon windows,
// as the portable command code sees them.
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

// The wait window (text only, always on top) or the progress window (text and bar) of this invocation.
class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
  // Makes the window visible with its design caption and brings it to the front.
  virtual void show() = 0;
  virtual void setTitle(const std::string& title) = 0;
  // Markup text of the label.
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

// What the user confirmed in a password or logon dialog. Not accepted when the dialog was cancelled or
// closed with its close box.
struct EnteredCredentials {
  bool accepted = false;
  std::string password;
  std::string userName;
};

// The modal password and logon dialogs: each sets its caption and prompts, waits until the user closes
// it, and reports what was typed.
class CredentialDialogs {
 public:
  virtual ~CredentialDialogs() = default;
  virtual EnteredCredentials askPassword(const std::string& title, const std::string& prompt) = 0;
  virtual EnteredCredentials askLogon(const std::string& title, const std::string& userPrompt,
                                      const std::string& passwordPrompt) = 0;
};

// The private message the progress window handles: wParam 1 adds lParam, 2 sets the position to lParam.
inline constexpr std::uint32_t kProgressMessage = 0x0400 + 251;
inline constexpr std::uintptr_t kProgressAdd = 1;
inline constexpr std::uintptr_t kProgressSet = 2;
inline constexpr std::uint32_t kCloseMessage = 0x0010;  // WM_CLOSE

}  // namespace tovrik
