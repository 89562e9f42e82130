// The message boxes and the text-input dialog: forms built for each call, measured in the form font's
// average character width and character height.
#pragma once

#include <optional>
#include <string>

#include "forms/form_win32.h"
#include "platform/standard_dialogs.h"

namespace tovrik {

// The form font's average width of the 52 letters A..Z, a..z, and its character height.
struct DialogUnits {
  int averageWidth;
  int height;
};
DialogUnits formDialogUnits();

// Where the parts of a message box go, in client pixels.
struct MessagePlacement {
  int clientWidth, clientHeight;
  int textLeft, textTop, textWidth, textHeight;
  bool scrolls;  // the text does not fit the work area: a scrolling read-only field shows it
  int buttonLeft, buttonTop, buttonWidth, buttonHeight, buttonSpacing;
  int margin;
};

// A modal box: icon on the left, the word-wrapped message, a centred row of equal buttons, all within
// the work area.
class TMessageForm final : public Form {
 public:
  TMessageForm(MessageKind kind, const std::string& message, MessageButtons buttons);
  // The result of the button that closed the box; the close box gives Cancel.
  int run();

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool onCommand(int id) override;
  bool preTranslateMessage(const MSG& message) override;

 private:
  TMessageForm(MessageKind kind, const std::string& message, MessageButtons buttons,
               const MessagePlacement& placement);
  void copyToClipboard();

  MessageKind kind_;
  std::string message_;
  MessageButtons buttons_;
  MessagePlacement placement_;
};

// Where the parts of the input dialog go, in client pixels.
struct InputPlacement {
  DialogUnits units;
  int clientWidth, clientHeight;
  int promptHeight, editTop, editHeight, buttonTop;
};

// The input dialog: caption, word-wrapped prompt, an edit of at most 255 characters, OK and Annuler.
class TInputQueryForm final : public Form {
 public:
  TInputQueryForm(const std::string& prompt, const std::string& initialText);
  // The edit's text on OK; nullopt on Annuler, Escape or the close box.
  std::optional<std::string> run(const std::string& caption);

 protected:
  void createChildren() override;
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TInputQueryForm(const std::string& prompt, const std::string& initialText, const InputPlacement& placement);

  std::string prompt_;
  std::string initialText_;
  InputPlacement placement_;
  HWND edit_ = nullptr;
};

}  // namespace tovrik
