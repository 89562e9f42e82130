// The message boxes and the input and list dialogs: forms built for each call, measured in the form font's
// average character width and character height.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/form_win32.h"
#include "platform/standard_dialogs.h"

namespace tovrik {

// A font's average width of the 52 letters A..Z, a..z, and its character height: the dialog units of the
// message, input and list forms are a quarter of the one across and an eighth of the other down.
struct DialogUnits {
  int averageWidth;
  int height;
  int across(int dialogUnits) const { return MulDiv(dialogUnits, averageWidth, 4); }
  int down(int dialogUnits) const { return MulDiv(dialogUnits, height, 8); }
};
DialogUnits dialogUnitsOf(HFONT font);

// Where the parts of a message box go, in client pixels at `dpi`, measured in the forms' font at that DPI.
struct MessagePlacement {
  int dpi;
  int clientWidth, clientHeight;
  int iconSize;
  int textLeft, textTop, textWidth, textHeight;
  bool scrolls;  // the text does not fit the work area: a scrolling read-only field shows it
  int buttonLeft, buttonTop, buttonWidth, buttonHeight, buttonSpacing;
  int margin;
};

// A modal box: icon on the left, the word-wrapped message, a centred row of equal buttons, all within
// the work area.
class MessageBoxForm final : public Form {
 public:
  // With a time-out, the buttons are wide enough for the caption that counts down.
  MessageBoxForm(MessageKind kind, const std::string& message, MessageButtons buttons,
                 const std::optional<TimeOut>& timeOut);
  // The result of the button that closed the box (the close box gives Cancel), or kTimedOutResult when
  // the time-out's seconds ran out.
  int run();

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool onCommand(int id) override;
  bool preTranslateMessage(const MSG& message) override;

 private:
  MessageBoxForm(MessageKind kind, const std::string& message, MessageButtons buttons,
                 const std::optional<TimeOut>& timeOut, const MessagePlacement& placement);
  void relayout() override;
  // Measures the box again for the form's DPI when it is not the one it was measured for.
  void measureForFormDpi();
  void placeChildren();
  void copyToClipboard();

  MessageKind kind_;
  std::string message_;
  MessageButtons buttons_;
  std::optional<TimeOut> timeOut_;
  MessagePlacement placement_;
  HWND icon_ = nullptr;
  HWND text_ = nullptr;
  std::vector<HWND> buttonWindows_;
};

// Where the parts of the input and list dialogs go, in client pixels at `dpi`: the prompt, the field under
// it (the edit, or the list), the buttons under that.
struct InputPlacement {
  int dpi;
  DialogUnits units;
  int clientWidth, clientHeight;
  int left, promptTop, promptWidth, promptHeight, editTop, editWidth, editHeight;
  int buttonTop, buttonWidth, buttonHeight, okLeft, cancelLeft;
};

// The input dialog's look: caption, word-wrapped prompt, one field, OK (the default) and Annuler. The
// field is the first control of the tab order, so it has the focus when the dialog shows.
class PromptedForm : public Form {
 protected:
  // listRows: 0 for a one-line edit, else the rows of a list box.
  PromptedForm(const char* className, const std::string& prompt, int listRows);

  // Makes the field at its place; called once, between the prompt and the buttons.
  virtual HWND createField(const InputPlacement& at) = 0;
  HWND field() const { return field_; }
  // Shows the dialog with this caption: IDOK, IDCANCEL, or kTimedOutResult when the time-out's seconds
  // ran out.
  int runModal(const std::string& caption, const std::optional<TimeOut>& timeOut);

  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  PromptedForm(const char* className, const std::string& prompt, int listRows, const InputPlacement& placement);
  void relayout() override;
  void measureForFormDpi();
  void placeChildren();

  std::string prompt_;
  int listRows_;
  InputPlacement placement_;
  HWND promptLabel_ = nullptr;
  HWND field_ = nullptr;
  HWND ok_ = nullptr;
  HWND cancel_ = nullptr;
};

// The input dialog: an edit of at most 255 characters.
class InputForm final : public PromptedForm {
 public:
  InputForm(const std::string& prompt, const std::string& initialText);
  // The edit's text on OK; nullopt on Annuler, Escape or the close box.
  DialogAnswer<std::optional<std::string>> run(const std::string& caption, const std::optional<TimeOut>& timeOut);

 protected:
  HWND createField(const InputPlacement& at) override;

 private:
  std::string initialText_;
};

// The list dialog: a list box of the entries, one selected; a double-click on an entry is OK.
class ListForm final : public PromptedForm {
 public:
  ListForm(const std::string& prompt, const std::vector<std::string>& entries, std::size_t selected);
  // The 0-based number of the selected entry on OK; nullopt on Annuler, Escape or the close box.
  DialogAnswer<std::optional<std::size_t>> run(const std::string& caption, const std::optional<TimeOut>& timeOut);

 protected:
  HWND createField(const InputPlacement& at) override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  const std::vector<std::string>& entries_;
  std::size_t selected_;
};

}  // namespace tovrik
