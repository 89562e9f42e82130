// The seconds left before a dialog's time-out, shown on the button it will press.
#pragma once

#include <windows.h>

#include <string>

namespace tovrik {

// Shows "&Non (30)" on the button and one second less each second; the time is kept by the tick count,
// not by counting ticks, so a late timer message never stretches the time. A person's key or click in
// the form stops it for good and gives the button its caption back.
class ButtonCountdown {
 public:
  // The form's timer that the countdown uses.
  static constexpr UINT_PTR kTimerId = 0x7C01;

  // caption: the button's own, which it shows again once a person stops the countdown.
  ButtonCountdown(HWND form, HWND button, std::string caption, int seconds);
  ~ButtonCountdown();
  ButtonCountdown(const ButtonCountdown&) = delete;
  ButtonCountdown& operator=(const ButtonCountdown&) = delete;

  // Starts the clock: called when the form shows.
  void start();
  // A message of the form's modal loop, before it is handled: a key pressed or a mouse button clicked on
  // the form or one of its children ends the countdown.
  void notice(const MSG& message);
  // The timer's message: shows the seconds left; true once the time is up (the countdown has then ended).
  bool onTimer();
  bool running() const { return running_; }

 private:
  void show(int secondsLeft);
  void arm(DWORD elapsed);
  void stop();

  HWND form_;
  HWND button_;
  std::string caption_;  // the button's own caption
  DWORD totalMs_;
  DWORD startedAt_ = 0;
  int shown_ = 0;
  bool running_ = false;
};

}  // namespace tovrik
