// The countdown on a dialog's button: a form timer re-armed for the moment the number shown changes.
#include "forms/button_countdown_win32.h"

#include <utility>

#include "platform/standard_dialogs.h"

namespace tovrik {
namespace {

// A person is at the dialog: a key, or a mouse button in its client area, its frame or its title bar.
bool isPersonsInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN: return true;
    default: return false;
  }
}

}  // namespace

ButtonCountdown::ButtonCountdown(HWND form, HWND button, std::string caption, int seconds)
    : form_(form), button_(button), caption_(std::move(caption)), totalMs_(static_cast<DWORD>(seconds) * 1000) {}

ButtonCountdown::~ButtonCountdown() {
  if (running_) KillTimer(form_, kTimerId);
}

void ButtonCountdown::start() {
  running_ = true;
  startedAt_ = GetTickCount();
  show(secondsLeft(totalMs_, 0));
  arm(0);
}

void ButtonCountdown::notice(const MSG& message) {
  if (!running_ || !isPersonsInput(message.message)) return;
  if (message.hwnd != form_ && !IsChild(form_, message.hwnd)) return;
  stop();
  SetWindowTextA(button_, caption_.c_str());
}

bool ButtonCountdown::onTimer() {
  if (!running_) return false;
  // Unsigned arithmetic: right across the tick count's wrap after 49 days.
  const DWORD elapsed = GetTickCount() - startedAt_;
  const int left = secondsLeft(totalMs_, elapsed);
  if (left == 0) {
    stop();
    return true;
  }
  show(left);
  arm(elapsed);
  return false;
}

void ButtonCountdown::show(int secondsLeft) {
  if (secondsLeft == shown_) return;
  shown_ = secondsLeft;
  SetWindowTextA(button_, countdownCaption(caption_, secondsLeft).c_str());
}

void ButtonCountdown::arm(DWORD elapsed) { SetTimer(form_, kTimerId, untilNextSecond(totalMs_, elapsed), nullptr); }

void ButtonCountdown::stop() {
  running_ = false;
  KillTimer(form_, kTimerId);
}

}  // namespace tovrik
