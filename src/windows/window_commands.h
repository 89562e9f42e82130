// findwinhandle, winactivate, findwindow, findwindowclass, closewin, hidewin, getwindowtext, postmessage.
#pragma once

#include <string>
#include <string_view>

#include "command/command.h"
#include "platform/status_windows.h"
#include "platform/top_level_windows.h"

namespace tovrik {

// A handle as a SET line carries it: its 32 bits, unsigned.
std::string formatWindowHandle(WindowHandle window);
// A handle passed back as integer text; a handle with the top bit set comes back as "$" hexadecimal.
WindowHandle readWindowHandle(std::string_view text);

// findwinhandle only finds the window; winactivate also brings it to the front.
enum class WinHandleMode { kFind, kActivate };
// findwindow matches the whole title, findwindowclass the class name.
enum class WindowMatch { kTitle, kClass };

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_WINDOW_HANDLERS(X) \
  X(runFindWinHandle) /* findwinhandle, winactivate */ \
  X(runFindWindow) /* findwindow, findwindowclass */ \
  X(runCloseWin) \
  X(runHideWin) \
  X(runGetWindowText) \
  X(runPostMessage)

TOVRIK_WINDOW_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kWindowHandlers[] = {TOVRIK_WINDOW_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
