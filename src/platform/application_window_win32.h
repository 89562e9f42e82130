// The program's own hidden top-level window, and how platform code names a window to own what it shows.
#pragma once

#include <windows.h>

namespace tovrik {

// The program's own hidden top-level window: owner of its forms and dialogs, so that they share one
// taskbar entry and no form has to be shown for a dialog to have an owner. Created on first use.
HWND applicationWindow();

// Gives the window that owns the shell's and the network's dialogs: the configuration form's window, set
// where the program's platform is put together, since the platform cannot know the forms.
using OwnerWindowSource = HWND (*)();

}  // namespace tovrik
