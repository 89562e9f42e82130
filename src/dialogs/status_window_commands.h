// The wait and progress windows: one invocation shows a window and stays in its message loop; later
// invocations find it by title and move its bar or close it.
#pragma once

#include "command/command.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_STATUS_WINDOW_HANDLERS(X) \
  X(runCreateWaitDlg) \
  X(runCreateProgressDlg) \
  X(runProgressForm) \
  /* closewaitdlg and closeprogressdlg. */ \
  X(runCloseStatusWindow)

TOVRIK_STATUS_WINDOW_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kStatusWindowHandlers[] = {TOVRIK_STATUS_WINDOW_HANDLERS(TOVRIK_NAME_HANDLER)};

// setprogressform moves the bar to the amount, incrementprogressform moves it by the amount.
enum class ProgressChange { kSet, kIncrement };

}  // namespace tovrik
