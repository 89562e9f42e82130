// The wait and progress windows to their measures, their close handler and the progress message.
#include "forms/status_forms_win32.h"

#include <commctrl.h>

#include <cstdint>

#include "command/error.h"
#include "markup/markup_label_win32.h"

namespace tovrik {

void StatusForm::setText(const std::string& markup) {
  handle();
  setMarkupLabelCaption(label_, markup);
}

void StatusForm::setRange(std::int32_t, std::int32_t) {}

void StatusForm::runUntilClosed() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ExitProcess(0);
}

namespace {

// The label's 96-DPI width and initial height; its height then follows its text.
constexpr int kLabelWidth = 417;
constexpr int kLabelHeight = 13;

}  // namespace

void StatusForm::createLabel(int left, int top) {
  labelDesign_ = POINT{left, top};
  label_ = createMarkupLabel(handle(), scaled(left), scaled(top), scaled(left + kLabelWidth) - scaled(left),
                           scaled(top + kLabelHeight) - scaled(top), font());
}

void StatusForm::relayout() {
  Form::relayout();
  const int left = scaled(labelDesign_.x);
  RECT label{};
  GetClientRect(label_, &label);
  SetWindowPos(label_, nullptr, left, scaled(labelDesign_.y), scaled(labelDesign_.x + kLabelWidth) - left,
               label.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  setMarkupLabelFont(label_, font());
}

bool StatusForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The window belongs to this invocation alone, so closing it ends the invocation, at once
  // and without a return file.
  if (message == WM_CLOSE) ExitProcess(0);
  return Form::handleMessage(message, wParam, lParam, result);
}

WaitForm::WaitForm()
    : StatusForm(FormLayout{.className = "TTovrikWait",
                            .caption = "Tovrik",
                            .clientWidth = 435,
                            .clientHeight = 64,
                            .systemMenu = false,
                            .topmost = true}) {}

void WaitForm::createChildren() { createLabel(8, 16); }

ProgressForm::ProgressForm()
    : StatusForm(FormLayout{.className = "TTovrikPB",
                            .caption = "TovrikPB",
                            .clientWidth = 432,
                            .clientHeight = 61,
                            .systemMenu = false,
                            .topmost = false}) {}

void ProgressForm::createChildren() {
  createLabel(8, 8);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  // The control starts at range 0-100, step 10, position 0, which is what the bar needs.
  progressBar_ = addChild(PROGRESS_CLASSA, "", 0, 8, 38, 417, 17, 0);
}

void ProgressForm::setRange(std::int32_t minimum, std::int32_t maximum) {
  handle();
  if (maximum < minimum)
    throw CommandError("La valeur doit \xEAtre comprise entre " + std::to_string(minimum) + " et " +
                       std::to_string(maximum));
  SendMessageA(progressBar_, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressForm::handleProgressMessage(WPARAM operation, LPARAM amount) {
  const auto lParam32 = static_cast<std::int32_t>(amount);
  if (operation == kProgressAdd) {
    const auto position = static_cast<std::int32_t>(SendMessageA(progressBar_, PBM_GETPOS, 0, 0));
    // Added in 64 bits and held within the 32-bit range, so that a large step near a limit fills (or
    // empties) the bar instead of wrapping round to the other end.
    std::int64_t sum = static_cast<std::int64_t>(position) + lParam32;
    if (sum > INT32_MAX) sum = INT32_MAX;
    if (sum < INT32_MIN) sum = INT32_MIN;
    SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(static_cast<std::int32_t>(sum)), 0);
  } else if (operation == kProgressSet) {
    SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(lParam32), 0);
  }
}

bool ProgressForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kProgressMessage) {
    handleProgressMessage(wParam, lParam);
    result = 0;
    return true;
  }
  return StatusForm::handleMessage(message, wParam, lParam, result);
}

}  // namespace tovrik
