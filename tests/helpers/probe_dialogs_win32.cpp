// Probe verbs for the standard dialogs: drive the common file dialogs and the folder browser through
// their control identifiers, type characters, press Ctrl+key, read the clipboard and window rectangles.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

// WM_GETTEXT reaches the control itself (GetWindowText of another process's window gives only the text
// the window manager keeps, which an edit control does not use).
std::string textOf(HWND window) {
  std::vector<char> text(65536, '\0');
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

template <typename Find>
HWND waitFor(Find find, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = find()) return window;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(50);
  }
}

HWND windowTitled(const std::string& title, DWORD timeoutMs) {
  return waitFor([&] { return FindWindowA(nullptr, title.c_str()); }, timeoutMs);
}

// The folder browser shows the script's title in a static text, not in its caption.
struct BrowserSearch {
  const std::string* text;
  HWND found;
};

BOOL CALLBACK matchStatic(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<BrowserSearch*>(data);
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0 && textOf(child) == *search->text) {
    search->found = GetAncestor(child, GA_ROOT);
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK matchBrowser(HWND window, LPARAM data) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  EnumChildWindows(window, matchStatic, data);
  return reinterpret_cast<BrowserSearch*>(data)->found == nullptr;
}

HWND browserShowing(const std::string& text, DWORD timeoutMs) {
  return waitFor([&] {
    BrowserSearch search{&text, nullptr};
    EnumWindows(matchBrowser, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }, timeoutMs);
}

void printRect(const char* name, const RECT& rect) {
  std::printf("%s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
}

void press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int pressedResult(HWND dialog, const std::string& button) {
  if (button == "ok") press(dialog, IDOK);
  else if (button == "cancel") press(dialog, IDCANCEL);
  else if (button != "-") return 64;
  return 0;
}

// The file-type list (its entries and the active one), then the file name typed into the name control
// and the button pressed ("-" for neither).
int driveFileDialog(const std::string& title, DWORD timeoutMs, const std::string& name, const std::string& button) {
  const HWND dialog = windowTitled(title, timeoutMs);
  if (!dialog) {
    std::puts("nowindow");
    return 1;
  }
  // The dialog fills its lists as it finishes its start-up; its OK button is there by then.
  waitFor([&] { return IsWindowVisible(dialog) ? dialog : nullptr; }, timeoutMs);
  Sleep(300);
  if (const HWND types = GetDlgItem(dialog, cmb1)) {
    const auto count = static_cast<long>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    std::printf("types %ld selected %ld\n", count, static_cast<long>(SendMessageA(types, CB_GETCURSEL, 0, 0)));
    // The list of another process comes back as it stores it, in UTF-16.
    for (long i = 0; i < count; ++i) {
      std::vector<wchar_t> item(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
      SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      char ansi[1024] = {};
      WideCharToMultiByte(CP_ACP, 0, item.data(), -1, ansi, sizeof ansi - 1, nullptr, nullptr);
      std::printf("type %s\n", probe::hexOrDash(ansi).c_str());
    }
  }
  RECT bounds{};
  GetWindowRect(dialog, &bounds);
  printRect("rect", bounds);
  HWND field = GetDlgItem(dialog, cmb13);
  if (!field) field = GetDlgItem(dialog, edt1);
  if (!field) {
    std::puts("nofield");
    return 1;
  }
  std::printf("name %s\n", probe::hexOrDash(textOf(field)).c_str());
  if (name != "-") SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  return pressedResult(dialog, button);
}

// Selects a tree item by its path of child indexes ("" the root, "2" the root's third child, "2.0" ...),
// then prints the window's rectangle, the status line and whether OK is enabled; then presses a button.
int driveFolderBrowser(const std::string& text, DWORD timeoutMs, const std::string& path, const std::string& button) {
  const HWND dialog = browserShowing(text, timeoutMs);
  if (!dialog) {
    std::puts("nowindow");
    return 1;
  }
  Sleep(300);
  const HWND tree = probe::firstChildOfClass(dialog, WC_TREEVIEWA);
  if (path != "-") {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (std::size_t i = 0; item && i < path.size(); ++i) {
      if (path[i] == '.') continue;
      SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
      item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
      for (int skip = path[i] - '0'; item && skip > 0; --skip)
        item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    if (!item) {
      std::puts("noitem");
      return 1;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  RECT bounds{};
  GetWindowRect(dialog, &bounds);
  printRect("rect", bounds);
  const HWND status = GetDlgItem(dialog, 14147);
  std::printf("status %s\n", status ? probe::hexOrDash(textOf(status)).c_str() : "none");
  RECT line{};
  if (status) GetClientRect(status, &line);
  printRect("statusline", line);
  std::printf("okenabled %d\n", IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? 1 : 0);
  return pressedResult(dialog, button);
}

// Posts each character to the control that has the focus in the window, as typing would give them.
int postCharacters(const std::string& title, const std::string& text, DWORD timeoutMs) {
  const HWND window = windowTitled(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  // A dialog may be visible a moment before its first control takes the focus: wait for it, within the time.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const DWORD start = GetTickCount();
  bool clicked = false;
  while (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) {
    // Wine's desktop window now and then takes the foreground back from a window just shown; a user
    // would click the dialog, the probe brings it to the front once.
    if (!clicked && GetTickCount() - start >= 2000) {
      SetForegroundWindow(window);
      clicked = true;
    }
    if (GetTickCount() - start >= timeoutMs) {
      std::puts("nofocus");
      return 1;
    }
    Sleep(20);
  }
  for (unsigned char c : text) SendMessageA(info.hwndFocus, WM_CHAR, c, 1);
  return 0;
}

// Ctrl+key pressed on the window with this title.
int pressControlKey(const std::string& title, char key, DWORD timeoutMs) {
  const HWND window = windowTitled(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  SetForegroundWindow(window);
  Sleep(200);
  INPUT inputs[4] = {};
  const WORD keys[4] = {VK_CONTROL, static_cast<WORD>(key), static_cast<WORD>(key), VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(keys[i], MAPVK_VK_TO_VSC));
    inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  for (INPUT& input : inputs) {
    SendInput(1, &input, sizeof input);
    Sleep(20);
  }
  return 0;
}

int printClipboardText() {
  if (!OpenClipboard(nullptr)) {
    std::puts("noclipboard");
    return 1;
  }
  const HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  std::printf("text %s\n", text ? probe::hexOrDash(text).c_str() : "none");
  if (text) GlobalUnlock(data);
  CloseClipboard();
  return 0;
}

int emptyClipboard() {
  if (!OpenClipboard(nullptr)) {
    std::puts("noclipboard");
    return 1;
  }
  EmptyClipboard();
  CloseClipboard();
  return 0;
}

int printWindowRect(const std::string& title, DWORD timeoutMs) {
  const HWND window = windowTitled(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  RECT bounds{}, work{};
  GetWindowRect(window, &bounds);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  printRect("rect", bounds);
  printRect("workarea", work);
  const HWND focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
  }();
  char className[32] = {};
  if (focus) GetClassNameA(focus, className, sizeof className);
  std::printf("focus %s %s\n", focus ? className : "-", focus ? probe::hexOrDash(textOf(focus)).c_str() : "-");
  if (focus && lstrcmpiA(className, "Edit") == 0) {
    const auto packed = static_cast<DWORD>(SendMessageA(focus, EM_GETSEL, 0, 0));
    std::printf("selection %u %u limit %ld\n", LOWORD(packed), HIWORD(packed),
                static_cast<long>(SendMessageA(focus, EM_GETLIMITTEXT, 0, 0)));
  }
  return 0;
}

// The forms' font ("MS Sans Serif", -11): the average width of the 52 letters and the character height.
int printDialogUnits() {
  const probe::FormFontDC dc;
  SIZE letters{};
  GetTextExtentPoint32A(dc.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  std::printf("units %ld %ld\n", letters.cx / 52, metrics.tmHeight);
  return 0;
}

}  // namespace

// The dialog verbs; -1 when the arguments name none of them.
int runDialogProbe(const std::vector<std::string>& args) {
  const auto need = [&](std::size_t count) { return args.size() >= count; };
  const auto number = [&](std::size_t index) { return std::strtoul(args[index].c_str(), nullptr, 10); };
  if (need(5) && args[0] == "filedlg") return driveFileDialog(args[1], number(2), args[3], args[4]);
  if (need(5) && args[0] == "folderdlg") return driveFolderBrowser(args[1], number(2), args[3], args[4]);
  if (need(4) && args[0] == "chars") return postCharacters(args[1], args[2], number(3));
  if (need(4) && args[0] == "ctrlkey") return pressControlKey(args[1], args[2][0], number(3));
  if (need(1) && args[0] == "clipboard") return printClipboardText();
  if (need(1) && args[0] == "emptyclipboard") return emptyClipboard();
  if (need(1) && args[0] == "dialogunits") return printDialogUnits();
  if (need(3) && args[0] == "windowrect") return printWindowRect(args[1], number(2));
  return -1;
}
