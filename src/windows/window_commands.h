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

void runFindWinHandle(Command& command);   // findwinhandle, winactivate
void runFindWindow(Command& command);      // findwindow, findwindowclass
void runCloseWin(Command& command);
void runHideWin(Command& command);
void runGetWindowText(Command& command);
void runPostMessage(Command& command);

}  // namespace tovrik
