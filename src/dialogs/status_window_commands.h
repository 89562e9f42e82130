// The wait and progress windows: one invocation shows a window and stays in its message loop; later
// invocations find it by title and move its bar or close it.
#pragma once

#include "command/command.h"

namespace tovrik {

void runCreateWaitDlg(Command& command);
void runCreateProgressDlg(Command& command);
// setprogressform moves the bar to the amount, incrementprogressform moves it by the amount.
enum class ProgressChange { kSet, kIncrement };

void runProgressForm(Command& command);
// closewaitdlg and closeprogressdlg.
void runCloseStatusWindow(Command& command);

}  // namespace tovrik
