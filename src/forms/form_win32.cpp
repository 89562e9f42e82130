// Form windows: registration, creation to client measures, centring, font, children, modal loop.
#include "forms/form_win32.h"

namespace tovrik {
namespace {

constexpr char kApplicationClass[] = "TApplication";

HWND createApplicationWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kApplicationClass;
  RegisterClassA(&windowClass);
  // A zero-sized popup that is never shown.
  return CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationClass, "Tovrik", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

HFONT createFormFont() {
  LOGFONTA font{};
  font.lfHeight = -11;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

DWORD frameStyle(const FormLayout& layout) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  if (layout.systemMenu) style |= WS_SYSMENU;
  return style;
}

}  // namespace

HWND applicationWindow() {
  static const HWND window = createApplicationWindow();
  return window;
}

HFONT formFont() {
  static const HFONT font = createFormFont();
  return font;
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
  RECT frame{0, 0, layout_.clientWidth, layout_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExA(exStyle, layout_.className, layout_.caption, style, left, top, width, height,
                            applicationWindow(), nullptr, instance, this);
  if (window_) {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont()), FALSE);
    createChildren();
  }
  return window_;
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
  MSG message;
  while (modal_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (preTranslateMessage(message) || IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  EnableWindow(owner, TRUE);
  ShowWindow(window, SW_HIDE);
  return modalResult_;
}

void Form::endModal(int result) {
  modalResult_ = result;
  modal_ = false;
  PostMessageA(window_, WM_NULL, 0, 0);
}

bool Form::handleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  // IsDialogMessage turns Enter and Escape into IDOK and IDCANCEL.
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) return onCommand(LOWORD(wParam));
  if (message == WM_CLOSE && modal_) {
    endModal(IDCANCEL);
    return true;
  }
  return false;
}

bool Form::onCommand(int id) {
  if (!modal_ || (id != IDOK && id != IDCANCEL)) return false;
  endModal(id);
  return true;
}

HWND Form::addChild(const char* className, const char* text, DWORD style, int left, int top, int width,
                    int height, int id) {
  const HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height,
                                     window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(formFont()), FALSE);
  return child;
}

HWND Form::addLabel(const char* text, int left, int top, int height) {
  const HWND label = addChild("STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, left, top, 0, height, -1);
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
  const HDC context = GetDC(label);
  const HGDIOBJ previous = SelectObject(context, formFont());
  SIZE extent{};
  GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(context, previous);
  ReleaseDC(label, context);
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
