// A small layer over CreateWindowEx that builds the program's forms to their measures: client size in
// pixels, dialog frame with or without system menu, topmost or not, centred, the form font, face colour,
// default and cancel buttons, modal showing with its own loop, and the application window owning them.
// Measures are given for a 96-DPI screen and laid out at the DPI the window is shown at.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/button_countdown_win32.h"
#include "platform/resource_owners_win32.h"
#include "platform/application_window_win32.h"

namespace tovrik {

struct FormLayout {
  const char* className;
  const char* caption;  // the design caption
  int clientWidth;
  int clientHeight;
  bool systemMenu;      // false: a title bar without system menu and caption buttons
  bool topmost;
  int designDpi = 96;   // the DPI the client size above is given for
};

// A measure given for `fromDpi` at `toDpi`, rounded as MulDiv rounds.
inline int scaleForDpi(int value, int toDpi, int fromDpi = 96) { return MulDiv(value, toDpi, fromDpi); }

// The DPI of the screen a window is on (its monitor's under per-monitor awareness), and the system's,
// which new windows start at.
int dpiOfWindow(HWND window);
int systemDpi();

using OwnedFont = GdiObject<HFONT>;

// A font of the given face and 96-DPI height (negative: character height) at `dpi`.
OwnedFont createScaledFont(const char* face, int height, int dpi);

// "MS Sans Serif", height -11: the forms' font at 96 DPI; a form uses its own, at its DPI (Form::font).
HFONT formFont();
OwnedFont createFormFont(int dpi);

// What showModal gives when a countdown ran out (the number MessageBoxTimeout gives for it).
inline constexpr int kTimedOutResult = 32000;

class Form {
 public:
  explicit Form(const FormLayout& layout) : layout_(layout) {}
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The window, created hidden and centred on the screen on first use.
  HWND handle();

  // The DPI the form is laid out for, its font at that DPI, and a 96-DPI measure at that DPI.
  int dpi() const { return dpi_; }
  HFONT font() const { return font_ ? font_.get() : formFont(); }
  int scaled(int value) const { return scaleForDpi(value, dpi_); }

  // Shows the form and brings it to the front (topmost forms stay on top).
  void showInFront();
  void setCaption(const char* caption);

  // Shows the form modally, the focus on the first control of the tab order: the application's other
  // windows are disabled and a loop of its own runs until endModal. Enter sends IDOK (the default
  // button's id) and Escape IDCANCEL (the cancel button's id); the close box ends with IDCANCEL.
  int showModal();
  void endModal(int result);
  // Counts `seconds` down on the caption of the child button `buttonId` from the moment showModal shows
  // the form; when they are up, showModal ends with kTimedOutResult. A person's key or click in the form
  // stops the countdown for good.
  void countDownOn(int buttonId, int seconds);

 protected:
  // Called once the window exists: create the children here.
  virtual void createChildren() {}
  // Messages the form handles itself; return true when handled.
  virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A button or Enter / Escape; by default IDOK and IDCANCEL end a modal showing.
  virtual bool onCommand(int id);
  bool onActivate(bool activated);
  // Sees each message of the modal loop before the dialog keys do; return true when it was handled.
  virtual bool preTranslateMessage(const MSG&) { return false; }
  // The window moved to a screen of another DPI: font() and dpi() are the new ones and the client area has
  // its new size. By default every child made by addChild goes to its 96-DPI place scaled, with the new font.
  virtual void relayout();
  // Sets the client area's size, keeping the window's top-left corner.
  void setClientSize(int width, int height);
  // Forms that measure themselves at a DPI (the message boxes) give their client size for that DPI; the
  // client area takes it.
  void setDesignSize(int dpi, int clientWidth, int clientHeight);

  // Children are placed by their 96-DPI measures, scaled to the form's DPI.
  HWND addChild(const char* className, const char* text, DWORD style, int left, int top, int width,
                int height, int id);
  // A one-line label whose width follows its text; text past the form's edge is cut off.
  HWND addLabel(const char* text, int left, int top, int height);
  // A one-line edit in the tab order; `password` shows every character as "*".
  HWND addEdit(int left, int top, int width, int height, bool password);
  // A push button in the tab order; the default button is the one Enter presses.
  HWND addButton(const char* caption, int left, int top, int width, int height, int id, bool isDefault);

  // Sets a label's text and its width to the text's width in the form's font.
  void setLabelText(HWND label, const std::string& text);
  static std::string textOf(HWND control);

 private:
  // A child's 96-DPI place; a label's width follows its text.
  struct DesignedChild {
    HWND window;
    RECT design;
    bool widthFollowsText;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void fitLabelToText(HWND label);
  void onDpiChanged(int dpi, const RECT& suggested);
  SIZE frameSizeFor(int clientWidth, int clientHeight) const;

  FormLayout layout_;
  HWND window_ = nullptr;
  bool modal_ = false;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the form was last deactivated
  int modalResult_ = 0;
  int dpi_ = 96;
  OwnedFont font_;  // the forms' font at dpi_; none at 96 DPI, where the shared one serves
  std::vector<DesignedChild> children_;
  std::unique_ptr<ButtonCountdown> countdown_;
};

}  // namespace tovrik
