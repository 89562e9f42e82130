// WaitForm and ProgressForm: the wait and progress windows that stay open across invocations.
#pragma once

#include "forms/form_win32.h"
#include "platform/status_windows.h"

namespace tovrik {

// Both end the process with exit code 0 when they receive WM_CLOSE, from wherever it comes.
class StatusForm : public Form, public StatusWindow {
 public:
  using Form::Form;
  void show() override { showInFront(); }
  void setTitle(const std::string& title) override { setCaption(title.c_str()); }
  void setText(const std::string& markup) override;
  void setRange(std::int32_t minimum, std::int32_t maximum) override;
  [[noreturn]] void runUntilClosed() override;

 protected:
  void createLabel(int left, int top);
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void relayout() override;

  HWND label_ = nullptr;
  POINT labelDesign_{};  // the label's 96-DPI place
};

class WaitForm final : public StatusForm {
 public:
  WaitForm();

 protected:
  void createChildren() override;
};

class ProgressForm final : public StatusForm {
 public:
  ProgressForm();
  void setRange(std::int32_t minimum, std::int32_t maximum) override;

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The progress message: wParam 1 adds lParam to the position, 2 sets it; the control clamps.
  void handleProgressMessage(WPARAM operation, LPARAM amount);

  HWND progressBar_ = nullptr;
};

}  // namespace tovrik
