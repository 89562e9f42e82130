// Message boxes and the input dialog to their proportions in dialog units of the forms' font at the DPI
// they are shown at, kept within the work area.
#include "forms/standard_forms_win32.h"

#include <algorithm>

#include "command/error.h"
#include "platform/clipboard_access_win32.h"
#include "platform/clipboard_session.h"

namespace tovrik {
namespace {

constexpr DWORD kWrapFlags = DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
// The frame every form has (a dialog frame with a close box), to know how much client area fits.
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | WS_SYSMENU;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The measures of both forms, in dialog units (DialogUnits::across and ::down).
constexpr int kMargin = 8;         // from the client area's edge, across and down
constexpr int kButtonWidth = 50;   // at the least: a message box widens its buttons to their longest caption
constexpr int kButtonHeight = 14;
// The message box: between icon and text across, between text and buttons down; between two buttons.
constexpr int kMessageSpacing = 10;
constexpr int kMessageButtonGap = 4;
// The input dialog: its client width, the width of its prompt and edit, and where its two buttons start.
constexpr int kInputClientWidth = 180;
constexpr int kInputFieldWidth = 164;
constexpr int kInputOkLeft = 38;
constexpr int kInputCancelLeft = 92;

// Measures in pixels at 96 DPI, scaled to the form's DPI.
constexpr int kIconSize = 32;
constexpr int kCaptionPadding = 8;    // a button beyond its caption's width
constexpr int kEditPadding = 8;       // the input's edit beyond the character height
constexpr int kListPadding = 4;       // the list dialog's list beyond its rows
constexpr int kPromptToEdit = 5;
constexpr int kEditToButtons = 15;
constexpr int kBelowButtons = 13;
constexpr int kFieldPadding = 4;      // the scrolling message field beyond its borders

// A screen context with a font selected, for measuring.
class MeasuringContext {
 public:
  explicit MeasuringContext(HFONT font) : screen_(nullptr), selected_(screen_.get(), font) {}
  HDC get() const { return screen_.get(); }

  // The size of the text wrapped at `width` (a word longer than the width sticks out, unless
  // `breakWords`, which breaks it as an edit field does).
  SIZE wrapped(const std::string& text, int width, bool breakWords = false) const {
    RECT bounds{0, 0, width, 0};
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(get(), measured.c_str(), static_cast<int>(measured.size()), &bounds,
              kWrapFlags | (breakWords ? DT_EDITCONTROL : 0));
    return SIZE{bounds.right, bounds.bottom};
  }

 private:
  WindowDC screen_;
  SelectedObject selected_;
};

// The largest client area a form can have on the work area.
SIZE largestClientArea() {
  RECT work{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
  return SIZE{(work.right - work.left) - (frame.right - frame.left),
              (work.bottom - work.top) - (frame.bottom - frame.top)};
}

// Moves the window inside the work area where centring on the screen left part of it outside.
void keepWithinWorkArea(HWND window) {
  RECT work{}, bounds{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(window, &bounds)) return;
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = std::max<int>(work.left, std::min<int>(bounds.left, work.right - width));
  const int top = std::max<int>(work.top, std::min<int>(bounds.top, work.bottom - height));
  if (left != bounds.left || top != bounds.top)
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MessagePlacement placeMessage(const std::string& message, MessageButtons buttons,
                              const std::optional<TimeOut>& timeOut, int dpi) {
  const OwnedFont font = createFormFont(dpi);
  const DialogUnits units = dialogUnitsOf(font.get());
  const MeasuringContext context(font.get());
  const auto scaled = [dpi](int value) { return scaleForDpi(value, dpi); };
  const int horizontalMargin = units.across(kMargin);
  const int verticalMargin = units.down(kMargin);
  const int horizontalSpacing = units.across(kMessageSpacing);
  const int verticalSpacing = units.down(kMessageSpacing);
  MessagePlacement placement{};
  placement.dpi = dpi;
  placement.iconSize = scaled(kIconSize);
  placement.margin = horizontalMargin;
  placement.buttonWidth = units.across(kButtonWidth);
  const std::vector<std::string> captions = buttonCaptions(buttons);
  std::vector<std::string> measured = captions;
  // The countdown's caption is widest at its start.
  if (timeOut) measured.push_back(countdownCaption(buttonCaption(timeOut->button), timeOut->seconds));
  for (const std::string& caption : measured) {
    RECT bounds{0, 0, 0, 0};
    DrawTextA(context.get(), caption.c_str(), -1, &bounds, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    placement.buttonWidth = std::max<int>(placement.buttonWidth, bounds.right - bounds.left + scaled(kCaptionPadding));
  }
  placement.buttonHeight = units.down(kButtonHeight);
  placement.buttonSpacing = units.across(kMessageButtonGap);

  const int textMaxWidth = GetSystemMetrics(SM_CXSCREEN) / 2;
  const SIZE largest = largestClientArea();
  const int fixedHeight = placement.buttonHeight + verticalSpacing + 2 * verticalMargin;
  const int textMaxHeight = std::max(placement.iconSize, static_cast<int>(largest.cy) - fixedHeight);
  // A text with more characters than the largest label holds (at two pixels a character) cannot fit:
  // measuring it would only cost time.
  const std::size_t mostThatFits =
      static_cast<std::size_t>(textMaxWidth / 2) * static_cast<std::size_t>(textMaxHeight / units.height);
  SIZE text{textMaxWidth + 1, textMaxHeight + 1};
  if (message.size() <= mostThatFits) text = context.wrapped(message, textMaxWidth);
  placement.scrolls = text.cx > textMaxWidth || text.cy > textMaxHeight;
  if (placement.scrolls && message.size() > mostThatFits) {
    text = SIZE{textMaxWidth, textMaxHeight};
  } else if (placement.scrolls) {
    // The field's border and scroll bar take their share of the width; its lines break long words.
    const int border = 2 * GetSystemMetrics(SM_CXEDGE) + scaled(kFieldPadding);
    const SIZE inField = context.wrapped(message, textMaxWidth - GetSystemMetrics(SM_CXVSCROLL) - border, true);
    text = SIZE{textMaxWidth, std::min<LONG>(inField.cy + border, textMaxHeight)};
  }
  placement.textWidth = text.cx;
  placement.textHeight = text.cy;

  const int iconTextWidth = placement.textWidth + placement.iconSize + horizontalSpacing;
  const int iconTextHeight = std::max(placement.textHeight, placement.iconSize);
  const int count = static_cast<int>(captions.size());
  const int groupWidth = placement.buttonWidth * count + placement.buttonSpacing * (count - 1);
  placement.clientWidth = std::max(iconTextWidth, groupWidth) + 2 * horizontalMargin;
  placement.clientHeight = iconTextHeight + fixedHeight;
  placement.textLeft = iconTextWidth - placement.textWidth + horizontalMargin;
  placement.textTop = verticalMargin;
  placement.buttonLeft = (placement.clientWidth - groupWidth) / 2;
  placement.buttonTop = iconTextHeight + verticalMargin + verticalSpacing;
  return placement;
}

const char* iconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::kWarning: return IDI_EXCLAMATION;
    case MessageKind::kError: return IDI_HAND;
    case MessageKind::kInformation: return IDI_ASTERISK;
    case MessageKind::kConfirmation: return IDI_QUESTION;
  }
  return IDI_APPLICATION;
}

// DM_GETDEFID's answer: Enter presses the button that has the focus, else the default button.
LRESULT focusedOrDefaultButton(HWND form, int defaultId) {
  const HWND focus = GetFocus();
  int id = defaultId;
  char className[16] = {};
  if (focus && GetParent(focus) == form && GetClassNameA(focus, className, sizeof className) &&
      lstrcmpiA(className, "Button") == 0)
    id = GetDlgCtrlID(focus);
  return MAKELONG(id, DC_HASDEFID);
}

// The field under the prompt: a one-line edit (listRows 0), or a list box of that many rows.
InputPlacement placeInput(const std::string& prompt, int dpi, int listRows) {
  const OwnedFont font = createFormFont(dpi);
  const MeasuringContext context(font.get());
  const auto scaled = [dpi](int value) { return scaleForDpi(value, dpi); };
  InputPlacement placement{};
  placement.dpi = dpi;
  placement.units = dialogUnitsOf(font.get());
  const DialogUnits& units = placement.units;
  placement.clientWidth = units.across(kInputClientWidth);
  placement.left = units.across(kMargin);
  placement.promptTop = units.down(kMargin);
  const int fieldWidth = units.across(kInputFieldWidth);
  const SIZE promptSize = context.wrapped(prompt, fieldWidth);
  placement.promptWidth = std::min<int>(fieldWidth, static_cast<int>(promptSize.cx));
  placement.promptHeight = promptSize.cy;
  placement.editWidth = fieldWidth;
  placement.editHeight =
      listRows > 0 ? listRows * units.height + scaled(kListPadding) : units.height + scaled(kEditPadding);
  placement.buttonWidth = units.across(kButtonWidth);
  placement.buttonHeight = units.down(kButtonHeight);
  placement.okLeft = units.across(kInputOkLeft);
  placement.cancelLeft = units.across(kInputCancelLeft);
  const int belowPrompt = scaled(kPromptToEdit) + placement.editHeight + scaled(kEditToButtons) +
                          placement.buttonHeight + scaled(kBelowButtons);
  // A prompt taller than the work area is cut, so that the edit and the buttons stay on the screen.
  const int largest = static_cast<int>(largestClientArea().cy);
  placement.promptHeight = std::max(0, std::min(placement.promptHeight, largest - placement.promptTop - belowPrompt));
  placement.editTop = placement.promptTop + placement.promptHeight + scaled(kPromptToEdit);
  placement.buttonTop = placement.editTop + placement.editHeight + scaled(kEditToButtons);
  placement.clientHeight = placement.buttonTop + placement.buttonHeight + scaled(kBelowButtons);
  return placement;
}

// Places a child in client pixels of the form's own DPI.
void place(HWND child, int left, int top, int width, int height, HFONT font) {
  SetWindowPos(child, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// The box's icon at its size: the system's own at 32 pixels, else the size asked of the icon's resource.
HICON loadMessageIcon(MessageKind kind, int size) {
  if (size != 32) {
    if (const HANDLE icon = LoadImageA(nullptr, iconOf(kind), IMAGE_ICON, size, size, LR_SHARED))
      return static_cast<HICON>(icon);
  }
  return LoadIconA(nullptr, iconOf(kind));
}

}  // namespace

DialogUnits dialogUnitsOf(HFONT font) {
  const MeasuringContext context(font);
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32A(context.get(), kLetters, 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(context.get(), &metrics);
  return DialogUnits{static_cast<int>(letters.cx / 52), static_cast<int>(metrics.tmHeight)};
}

MessageBoxForm::MessageBoxForm(MessageKind kind, const std::string& message, MessageButtons buttons,
                               const std::optional<TimeOut>& timeOut)
    : MessageBoxForm(kind, message, buttons, timeOut, placeMessage(message, buttons, timeOut, systemDpi())) {}

MessageBoxForm::MessageBoxForm(MessageKind kind, const std::string& message, MessageButtons buttons,
                               const std::optional<TimeOut>& timeOut, const MessagePlacement& placement)
    : Form(FormLayout{.className = "TMessageForm",
                      .caption = messageCaption(kind),
                      .clientWidth = placement.clientWidth,
                      .clientHeight = placement.clientHeight,
                      .systemMenu = true,
                      .topmost = false,
                      .designDpi = placement.dpi}),
      kind_(kind),
      message_(message),
      buttons_(buttons),
      timeOut_(timeOut),
      placement_(placement) {}

void MessageBoxForm::createChildren() {
  measureForFormDpi();
  icon_ = addChild("STATIC", nullptr, SS_ICON, placement_.margin, placement_.textTop, placement_.iconSize,
                   placement_.iconSize, -1);
  SendMessageA(icon_, STM_SETICON, reinterpret_cast<WPARAM>(loadMessageIcon(kind_, placement_.iconSize)), 0);
  if (placement_.scrolls) {
    text_ = addChild("EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, placement_.textLeft,
                     placement_.textTop, placement_.textWidth, placement_.textHeight, -1);
    SetWindowLongPtrA(text_, GWL_EXSTYLE, GetWindowLongPtrA(text_, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(text_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SendMessageA(text_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(text_, message_.c_str());
  } else {
    text_ = addChild("STATIC", message_.c_str(), SS_LEFT | SS_NOPREFIX, placement_.textLeft, placement_.textTop,
                     placement_.textWidth, placement_.textHeight, -1);
  }
  const int defaultId = defaultResult(buttons_);
  int left = placement_.buttonLeft;
  const auto add = [&](bool present, int id) {
    if (!present) return;
    buttonWindows_.push_back(addButton(buttonCaption(id), left, placement_.buttonTop, placement_.buttonWidth,
                                       placement_.buttonHeight, id, id == defaultId));
    left += placement_.buttonWidth + placement_.buttonSpacing;
  };
  add(buttons_.yes, kResultYes);
  add(buttons_.no, kResultNo);
  add(buttons_.ok, kResultOk);
  add(buttons_.cancel, kResultCancel);
  keepWithinWorkArea(handle());
}

void MessageBoxForm::measureForFormDpi() {
  if (placement_.dpi == dpi()) return;
  // The text keeps the kind of control it was given (label or scrolling field).
  const bool scrolls = placement_.scrolls;
  placement_ = placeMessage(message_, buttons_, timeOut_, dpi());
  placement_.scrolls = scrolls;
  setDesignSize(dpi(), placement_.clientWidth, placement_.clientHeight);
}

void MessageBoxForm::relayout() {
  measureForFormDpi();
  placeChildren();
  keepWithinWorkArea(handle());
}

void MessageBoxForm::placeChildren() {
  place(icon_, placement_.margin, placement_.textTop, placement_.iconSize, placement_.iconSize, font());
  SendMessageA(icon_, STM_SETICON, reinterpret_cast<WPARAM>(loadMessageIcon(kind_, placement_.iconSize)), 0);
  place(text_, placement_.textLeft, placement_.textTop, placement_.textWidth, placement_.textHeight, font());
  int left = placement_.buttonLeft;
  for (const HWND button : buttonWindows_) {
    place(button, left, placement_.buttonTop, placement_.buttonWidth, placement_.buttonHeight, font());
    left += placement_.buttonWidth + placement_.buttonSpacing;
  }
}

int MessageBoxForm::run() {
  handle();
  if (timeOut_) countDownOn(timeOut_->button, timeOut_->seconds);
  // The modal loop puts the focus on the first button; the default one takes it.
  return showModal();
}

bool MessageBoxForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == DM_GETDEFID) {
    result = focusedOrDefaultButton(handle(), defaultResult(buttons_));
    return true;
  }
  return Form::handleMessage(message, wParam, lParam, result);
}

bool MessageBoxForm::onCommand(int id) {
  // Escape comes as IDCANCEL; without an Annuler button it presses the box's other way out.
  if (id == kResultCancel && !buttons_.cancel) id = escapeResult(buttons_);
  const bool present = (id == kResultYes && buttons_.yes) || (id == kResultNo && buttons_.no) ||
                       (id == kResultOk && buttons_.ok) || (id == kResultCancel && buttons_.cancel);
  if (present) endModal(id);
  return true;
}

bool MessageBoxForm::preTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != 'C' || GetKeyState(VK_CONTROL) >= 0) return false;
  if (message.hwnd != handle() && !IsChild(handle(), message.hwnd)) return false;
  copyToClipboard();
  return true;
}

void MessageBoxForm::copyToClipboard() {
  MessageBeep(0);
  const std::string text = messageBoxClipboardText(messageCaption(kind_), message_, buttonCaptions(buttons_));
  Win32ClipboardAccess clipboard;
  try {
    ClipboardSession(clipboard).setText(text);
  } catch (const PlatformError&) {
    // As in the system's own message boxes, a clipboard that another program holds open takes nothing
    // and the box says nothing about it.
  }
}

PromptedForm::PromptedForm(const char* className, const std::string& prompt, int listRows)
    : PromptedForm(className, prompt, listRows, placeInput(prompt, systemDpi(), listRows)) {}

PromptedForm::PromptedForm(const char* className, const std::string& prompt, int listRows,
                           const InputPlacement& placement)
    : Form(FormLayout{.className = className,
                      .caption = "",
                      .clientWidth = placement.clientWidth,
                      .clientHeight = placement.clientHeight,
                      .systemMenu = true,
                      .topmost = false,
                      .designDpi = placement.dpi}),
      prompt_(prompt),
      listRows_(listRows),
      placement_(placement) {}

void PromptedForm::createChildren() {
  measureForFormDpi();
  const InputPlacement& at = placement_;
  promptLabel_ = addChild("STATIC", prompt_.c_str(), SS_LEFT | SS_NOPREFIX, at.left, at.promptTop, at.promptWidth,
                          at.promptHeight, -1);
  field_ = createField(at);
  ok_ = addButton("OK", at.okLeft, at.buttonTop, at.buttonWidth, at.buttonHeight, IDOK, true);
  cancel_ = addButton("Annuler", at.cancelLeft, at.buttonTop, at.buttonWidth, at.buttonHeight, IDCANCEL, false);
  keepWithinWorkArea(handle());
}

void PromptedForm::measureForFormDpi() {
  if (placement_.dpi == dpi()) return;
  placement_ = placeInput(prompt_, dpi(), listRows_);
  setDesignSize(dpi(), placement_.clientWidth, placement_.clientHeight);
}

void PromptedForm::relayout() {
  measureForFormDpi();
  placeChildren();
  keepWithinWorkArea(handle());
}

void PromptedForm::placeChildren() {
  const InputPlacement& at = placement_;
  place(promptLabel_, at.left, at.promptTop, at.promptWidth, at.promptHeight, font());
  place(field_, at.left, at.editTop, at.editWidth, at.editHeight, font());
  place(ok_, at.okLeft, at.buttonTop, at.buttonWidth, at.buttonHeight, font());
  place(cancel_, at.cancelLeft, at.buttonTop, at.buttonWidth, at.buttonHeight, font());
}

bool PromptedForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == DM_GETDEFID) {
    result = focusedOrDefaultButton(handle(), IDOK);
    return true;
  }
  return Form::handleMessage(message, wParam, lParam, result);
}

int PromptedForm::runModal(const std::string& caption, const std::optional<TimeOut>& timeOut) {
  setCaption(caption.c_str());
  if (timeOut) countDownOn(timeOut->button == kResultOk ? IDOK : IDCANCEL, timeOut->seconds);
  return showModal();
}

InputForm::InputForm(const std::string& prompt, const std::string& initialText)
    : PromptedForm("TInputQueryForm", prompt, 0), initialText_(initialText) {}

HWND InputForm::createField(const InputPlacement& at) {
  const HWND edit = addEdit(at.left, at.editTop, at.editWidth, at.editHeight, false);
  SendMessageA(edit, EM_SETLIMITTEXT, 255, 0);
  // The initial text is shown whole even when longer: the limit only stops typing.
  SetWindowTextA(edit, initialText_.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  return edit;
}

DialogAnswer<std::optional<std::string>> InputForm::run(const std::string& caption,
                                                        const std::optional<TimeOut>& timeOut) {
  const int result = runModal(caption, timeOut);
  if (result == kTimedOutResult) return {.timedOut = true};
  if (result != IDOK) return {};
  return {.value = textOf(field())};
}

namespace {

// The list shows up to ten rows at once and scrolls beyond; a short list keeps a few rows' height.
int listRowsFor(std::size_t entries) { return static_cast<int>(std::clamp<std::size_t>(entries, 4, 10)); }

}  // namespace

ListForm::ListForm(const std::string& prompt, const std::vector<std::string>& entries, std::size_t selected)
    : PromptedForm("ListForm", prompt, listRowsFor(entries.size())), entries_(entries), selected_(selected) {}

HWND ListForm::createField(const InputPlacement& at) {
  // Exactly the measured height, not rounded down to whole rows, so that it scales as the other controls.
  const HWND list = addChild("LISTBOX", nullptr, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             at.left, at.editTop, at.editWidth, at.editHeight, -1);
  SetWindowLongPtrA(list, GWL_EXSTYLE, GetWindowLongPtrA(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (const std::string& entry : entries_) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  SendMessageA(list, LB_SETCURSEL, selected_, 0);
  return list;
}

bool ListForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // A double-click on an entry chooses it, as OK does.
  if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK && reinterpret_cast<HWND>(lParam) == field() &&
      SendMessageA(field(), LB_GETCURSEL, 0, 0) != LB_ERR) {
    endModal(IDOK);
    result = 0;
    return true;
  }
  return PromptedForm::handleMessage(message, wParam, lParam, result);
}

DialogAnswer<std::optional<std::size_t>> ListForm::run(const std::string& caption,
                                                       const std::optional<TimeOut>& timeOut) {
  const int result = runModal(caption, timeOut);
  if (result == kTimedOutResult) return {.timedOut = true};
  const LRESULT selected = SendMessageA(field(), LB_GETCURSEL, 0, 0);
  if (result != IDOK || selected == LB_ERR) return {};
  return {.value = static_cast<std::size_t>(selected)};
}

}  // namespace tovrik
