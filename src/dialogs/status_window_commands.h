// The wait and progress windows: one invocation shows a window and stays in its message loop; later
// invocations find it by title and move its bar or close it.
#pragma once

#include <string_view>

#include "frontend/command.h"

namespace tovrik {

void runCreateWaitDlg(Command& command);
void runCreateProgressDlg(Command& command);
// setprogressform and incrementprogressform.
void runProgressForm(Command& command);
// closewaitdlg and closeprogressdlg.
void runCloseStatusWindow(Command& command);

// The creating commands write no return file on success, so their start-up must not delete the one
// another command of the same script may just have written.
bool keepsPreviousReturnFile(std::string_view commandWord);

}  // namespace tovrik
