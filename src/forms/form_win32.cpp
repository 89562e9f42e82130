// Form windows: registration, creation to client measures at the screen's DPI, centring, font,
// children, modal loop, and the new layout when the window moves to a screen of another DPI.
#include "forms/form_win32.h"

namespace tovrik {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Functions of Windows 10 1607 and later, looked up where they exist (user32 is loaded once a window is).
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

constexpr char kFormFontFace[] = "MS Sans Serif";
constexpr int kFormFontHeight = -11;

DWORD frameStyle(const FormLayout& layout) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  if (layout.systemMenu) style |= WS_SYSMENU;
  return style;
}

}  // namespace

HFONT formFont() {
  static const HFONT font = createScaledFont(kFormFontFace, kFormFontHeight, 96).release();
  return font;
}

OwnedFont createFormFont(int dpi) { return createScaledFont(kFormFontFace, kFormFontHeight, dpi); }

OwnedFont createScaledFont(const char* face, int height, int dpi) {
  LOGFONTA font{};
  font.lfHeight = scaleForDpi(height, dpi);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return OwnedFont(CreateFontIndirectA(&font));
}

int systemDpi() {
  const WindowDC screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

int dpiOfWindow(HWND window) {
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
  return dpi > 0 ? dpi : systemDpi();
}

Form::~Form() {
  if (window_) DestroyWindow(window_);
}

HWND Form::handle() {
  if (window_) return window_;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, layout_.className, &windowClass)) {
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, "MAINICON");
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = layout_.className;
    RegisterClassA(&windowClass);
  }
  const DWORD style = frameStyle(layout_);
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (layout_.topmost ? WS_EX_TOPMOST : 0);
  // Made at the system's DPI, centred on the screen; a window that lands on a screen of another DPI
  // takes that one's measures below.
  dpi_ = systemDpi();
  const SIZE frame = frameSizeFor(scaleForDpi(layout_.clientWidth, dpi_, layout_.designDpi),
                                  scaleForDpi(layout_.clientHeight, dpi_, layout_.designDpi));
  const int left = (GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2;
  window_ = CreateWindowExA(exStyle, layout_.className, layout_.caption, style, left, top, frame.cx, frame.cy,
                            applicationWindow(), nullptr, instance, this);
  if (window_) {
    if (const int dpi = dpiOfWindow(window_); dpi != dpi_) {
      dpi_ = dpi;
      setClientSize(scaleForDpi(layout_.clientWidth, dpi_, layout_.designDpi),
                    scaleForDpi(layout_.clientHeight, dpi_, layout_.designDpi));
    }
    if (dpi_ != 96) font_ = createFormFont(dpi_);
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    createChildren();
  }
  return window_;
}

SIZE Form::frameSizeFor(int clientWidth, int clientHeight) const {
  const DWORD style = frameStyle(layout_);
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, clientWidth, clientHeight};
  static const auto adjustForDpi = user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  // The frame's own measures (caption, borders) are those of the window's DPI.
  if (dpi_ != systemDpi() && adjustForDpi) adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi_));
  else AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void Form::setClientSize(int width, int height) {
  const SIZE frame = frameSizeFor(width, height);
  SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A frame that is not yet at the new DPI's measures (or a system that draws it at another) leaves the
  // client area off by the difference: the window makes that up.
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right != width || client.bottom != height)
    SetWindowPos(window_, nullptr, 0, 0, frame.cx + width - client.right, frame.cy + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::onDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  OwnedFont previous = std::move(font_);
  if (dpi_ != 96) font_ = createFormFont(dpi_);
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  // The system's suggested place keeps the window under the pointer; the size is the form's own.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  setClientSize(scaleForDpi(layout_.clientWidth, dpi_, layout_.designDpi),
                scaleForDpi(layout_.clientHeight, dpi_, layout_.designDpi));
  relayout();
  InvalidateRect(window_, nullptr, TRUE);
}

void Form::relayout() {
  for (const DesignedChild& child : children_) {
    const int left = scaleForDpi(child.design.left, dpi_, layout_.designDpi);
    const int top = scaleForDpi(child.design.top, dpi_, layout_.designDpi);
    SetWindowPos(child.window, nullptr, left, top,
                 scaleForDpi(child.design.right, dpi_, layout_.designDpi) - left,
                 scaleForDpi(child.design.bottom, dpi_, layout_.designDpi) - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
    if (child.widthFollowsText) fitLabelToText(child.window);
  }
}

void Form::setDesignSize(int dpi, int clientWidth, int clientHeight) {
  layout_.designDpi = dpi;
  layout_.clientWidth = clientWidth;
  layout_.clientHeight = clientHeight;
  setClientSize(clientWidth, clientHeight);
}

void Form::showInFront() {
  const HWND window = handle();
  ShowWindow(window, SW_SHOW);
  SetWindowPos(window, layout_.topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  UpdateWindow(window);
}

void Form::setCaption(const char* caption) { SetWindowTextA(handle(), caption); }

int Form::showModal() {
  const HWND window = handle();
  const HWND owner = applicationWindow();
  EnableWindow(owner, FALSE);
  modal_ = true;
  modalResult_ = 0;
  showInFront();
  if (const HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
  if (countdown_) countdown_->start();
  MSG message;
  while (modal_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (countdown_) countdown_->notice(message);
    if (preTranslateMessage(message) || IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  countdown_.reset();
  EnableWindow(owner, TRUE);
  ShowWindow(window, SW_HIDE);
  return modalResult_;
}

void Form::countDownOn(int buttonId, int seconds) {
  const HWND button = GetDlgItem(handle(), buttonId);
  countdown_ = std::make_unique<ButtonCountdown>(window_, button, textOf(button), seconds);
}

void Form::endModal(int result) {
  modalResult_ = result;
  modal_ = false;
  PostMessageA(window_, WM_NULL, 0, 0);
}

bool Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DPICHANGED) {
    onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    result = 0;
    return true;
  }
  if (message == WM_ACTIVATE) return onActivate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam));
  if (message == WM_TIMER && wParam == ButtonCountdown::kTimerId && countdown_) {
    if (countdown_->onTimer() && modal_) endModal(kTimedOutResult);
    result = 0;
    return true;
  }
  // IsDialogMessage turns Enter and Escape into IDOK and IDCANCEL.
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) return onCommand(LOWORD(wParam));
  if (message == WM_CLOSE && modal_) {
    endModal(IDCANCEL);
    return true;
  }
  return false;
}

// As a dialog box does: the focus leaves with the form and comes back to the same control, or to the
// first one that takes it; the default handling would give it to the form itself, where typing is lost.
// This also covers a form shown while another window was still taking the foreground.
bool Form::onActivate(bool activated) {
  const HWND focus = GetFocus();
  if (!activated) {
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    return false;
  }
  if (focus && IsChild(window_, focus)) return true;
  HWND target = lastFocus_ && IsChild(window_, lastFocus_) ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE);
  if (!target) return false;
  SetFocus(target);
  return true;
}

bool Form::onCommand(int id) {
  if (!modal_ || (id != IDOK && id != IDCANCEL)) return false;
  endModal(id);
  return true;
}

HWND Form::addChild(const char* className, const char* text, DWORD style, int left, int top, int width,
                    int height, int id) {
  // Each edge is scaled, so that controls that touch at 96 DPI still touch.
  const int x = scaleForDpi(left, dpi_, layout_.designDpi);
  const int y = scaleForDpi(top, dpi_, layout_.designDpi);
  const HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                     scaleForDpi(left + width, dpi_, layout_.designDpi) - x,
                                     scaleForDpi(top + height, dpi_, layout_.designDpi) - y, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                     nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  children_.push_back(DesignedChild{child, RECT{left, top, left + width, top + height}, false});
  return child;
}

HWND Form::addLabel(const char* text, int left, int top, int height) {
  const HWND label = addChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, left, top, 0, height, -1);
  children_.back().widthFollowsText = true;
  setLabelText(label, text);
  return label;
}

HWND Form::addEdit(int left, int top, int width, int height, bool password) {
  const HWND edit = addChild("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0), left, top,
                             width, height, -1);
  SetWindowLongPtrA(edit, GWL_EXSTYLE, GetWindowLongPtrA(edit, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  // The themed edit would show a dot; the forms show "*".
  if (password) SendMessageA(edit, EM_SETPASSWORDCHAR, '*', 0);
  return edit;
}

HWND Form::addButton(const char* caption, int left, int top, int width, int height, int id, bool isDefault) {
  return addChild("BUTTON", caption, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), left, top, width,
                  height, id);
}

void Form::setLabelText(HWND label, const std::string& text) {
  SetWindowTextA(label, text.c_str());
  fitLabelToText(label);
}

void Form::fitLabelToText(HWND label) {
  const std::string text = textOf(label);
  SIZE extent{};
  {
    const WindowDC context(label);
    const SelectedObject selected(context.get(), font());
    GetTextExtentPoint32A(context.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  }
  RECT bounds;
  GetClientRect(label, &bounds);
  SetWindowPos(label, nullptr, 0, 0, extent.cx, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Form::textOf(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<Form*>(create->lpCreateParams)->window_ = window;
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (form && form->handleMessage(message, wParam, lParam, result)) return result;
  if (message == WM_NCDESTROY && form) form->window_ = nullptr;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tovrik
