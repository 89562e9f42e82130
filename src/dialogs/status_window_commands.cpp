// createwaitdlg, createprogressdlg, setprogressform, incrementprogressform, closewaitdlg, closeprogressdlg.
#include "dialogs/status_window_commands.h"

#include "command/error.h"
#include "platform/services.h"
#include "text/number_rules.h"

namespace tovrik {
namespace {

// Arguments are read as the window is built, so a missing one ends the run with the window shown.
void showAndRun(Command& command, StatusWindow& window, bool withRange) {
  window.show();
  window.setTitle(command.param(1));
  window.setText(command.param(2));
  if (withRange) {
    const std::int32_t maximum = readIntegerText(command.param(3));
    window.setRange(0, maximum);
  }
  window.runUntilClosed();
}

std::uintptr_t progressOperationOf(const Command& command) {
  switch (command.variantAs<ProgressChange>()) {
    case ProgressChange::kSet: return kProgressSet;
    case ProgressChange::kIncrement: return kProgressAdd;
  }
  command.rejectVariant();
}

}  // namespace

void runCreateWaitDlg(Command& command) {
  showAndRun(command, command.services.statusWindows().waitWindow(), false);
}

void runCreateProgressDlg(Command& command) {
  showAndRun(command, command.services.statusWindows().progressWindow(), true);
}

void runProgressForm(Command& command) {
  const std::uintptr_t operation = progressOperationOf(command);
  TopLevelWindows& windows = command.services.topLevelWindows();
  const std::string& title = command.param(1);
  if (windows.findByTitle(title) == 0) return;
  const std::int32_t amount = readIntegerText(command.param(2));
  // The window found first may have gone, or another may bear the title now: send to the one found now.
  windows.sendMessage(windows.findByTitle(title), kProgressMessage, operation, amount);
}

void runCloseStatusWindow(Command& command) {
  TopLevelWindows& windows = command.services.topLevelWindows();
  const std::string& title = command.param(1);
  if (windows.findByTitle(title) == 0) return;
  windows.sendMessage(windows.findByTitle(title), kCloseMessage, 0, 0);
}

}  // namespace tovrik
