// A small layer over CreateWindowEx that builds the program's forms to their measures: client size in
// pixels, dialog frame with or without system menu, topmost or not, centred, the form font, face colour,
// default and cancel buttons, modal showing with its own loop, and the application window owning them.
#pragma once

#include <windows.h>

#include <string>

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

  // Shows the form modally, the focus on the first control of the tab order: the application's other
  // windows are disabled and a loop of its own runs until endModal. Enter sends IDOK (the default
  // button's id) and Escape IDCANCEL (the cancel button's id); the close box ends with IDCANCEL.
  int showModal();
  void endModal(int result);

 protected:
  // Called once the window exists: create the children here.
  virtual void createChildren() {}
  // Messages the form handles itself; return true when handled.
  virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A button or Enter / Escape; by default IDOK and IDCANCEL end a modal showing.
  virtual bool onCommand(int id);
  // Sees each message of the modal loop before the dialog keys do; return true when it was handled.
  virtual bool preTranslateMessage(const MSG&) { return false; }

  HWND addChild(const char* className, const char* text, DWORD style, int left, int top, int width,
                int height, int id);
  // A one-line label whose width follows its text; text past the form's edge is cut off.
  HWND addLabel(const char* text, int left, int top, int height);
  // A one-line edit in the tab order; `password` shows every character as "*".
  HWND addEdit(int left, int top, int width, int height, bool password);
  // A push button in the tab order; the default button is the one Enter presses.
  HWND addButton(const char* caption, int left, int top, int width, int height, int id, bool isDefault);

  static void setLabelText(HWND label, const std::string& text);
  static std::string textOf(HWND control);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FormLayout layout_;
  HWND window_ = nullptr;
  bool modal_ = false;
  int modalResult_ = 0;
};

}  // namespace tovrik
