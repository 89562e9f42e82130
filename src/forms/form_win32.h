// A small layer over CreateWindowEx that builds the program's forms to their measures: client size in
// pixels, dialog frame with or without system menu, topmost or not, centred, the form font, face colour,
// default and cancel buttons, modal showing with its own loop, and the application window owning them.
#pragma once

#include <windows.h>

namespace tovrik {

struct FormLayout {
  const char* className;
  const char* caption;  // the design caption
  int clientWidth;
  int clientHeight;
  bool systemMenu;      // false: a title bar without system menu and caption buttons
  bool topmost;
};

// The program's own hidden top-level window: owner of its forms and dialogs, so that they share one
// taskbar entry and the main form never has to be shown.
HWND applicationWindow();

// "MS Sans Serif", height -11: the forms' font.
HFONT formFont();

class Form {
 public:
  explicit Form(const FormLayout& layout) : layout_(layout) {}
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The window, created hidden and centred on the screen on first use.
  HWND handle();

  // Shows the form and brings it to the front (topmost forms stay on top).
  void showInFront();
  void setCaption(const char* caption);

  // Shows the form modally: the application's other windows are disabled and a loop of its own runs
  // until endModal. Enter presses the default button, Escape the cancel button (IDOK / IDCANCEL).
  int showModal();
  void endModal(int result);

 protected:
  // Called once the window exists: create the children here.
  virtual void createChildren() {}
  // Messages the form handles itself; return true when handled.
  virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND addChild(const char* className, const char* text, DWORD style, int left, int top, int width,
                int height, int id);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FormLayout layout_;
  HWND window_ = nullptr;
  bool modal_ = false;
  int modalResult_ = 0;
};

}  // namespace tovrik
