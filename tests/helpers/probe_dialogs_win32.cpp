// Probe verbs for the standard dialogs: drive the common file dialogs and the folder browser through their
// control identifiers, type characters, press Ctrl+key, read window rectangles, watch button captions
// change and read the forms' dialog units.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_support.h"

namespace probe {
namespace {

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
  const HWND dialog = waitFor([&] {
    BrowserSearch search{&text, nullptr};
    EnumWindows(matchBrowser, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }, timeoutMs);
  if (!dialog) fail("nowindow");
  return dialog;
}

void printRect(const char* name, const RECT& rect) {
  std::printf("%s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
}

void printBounds(const char* name, HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  printRect(name, bounds);
}

// Presses the dialog's "ok" or "cancel" button, or none for "-".
int press(HWND dialog, const std::string& button) {
  const int id = button == "ok" ? IDOK : button == "cancel" ? IDCANCEL : 0;
  if (id)
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  return id || button == "-" ? 0 : 64;
}

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

}  // namespace

// The file-type list (its entries and the active one), then the file name typed into the name control
// and the button pressed ("-" for neither).
int driveFileDialog(const Args& a) {
  const DWORD timeoutMs = number(a[1]);
  const HWND dialog = requireWindow(a[0], timeoutMs);
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
      std::printf("type %s\n", hexOrDash(ansi).c_str());
    }
  }
  printBounds("rect", dialog);
  HWND field = GetDlgItem(dialog, cmb13);
  if (!field) field = GetDlgItem(dialog, edt1);
  if (!field) fail("nofield");
  std::printf("name %s\n", hexOrDash(textOf(field)).c_str());
  if (a[2] != "-") SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[2].c_str()));
  return press(dialog, a[3]);
}

// Selects a tree item by its path of child indexes ("" the root, "2" the root's third child, "2.0" ...),
// then prints the window's rectangle, the status line and whether OK is enabled; then presses a button.
int driveFolderBrowser(const Args& a) {
  const HWND dialog = browserShowing(a[0], number(a[1]));
  Sleep(300);
  const HWND tree = firstChildOfClass(dialog, WC_TREEVIEWA);
  if (const std::string& path = a[2]; path != "-") {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (std::size_t i = 0; item && i < path.size(); ++i) {
      if (path[i] == '.') continue;
      SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
      item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
      for (int skip = path[i] - '0'; item && skip > 0; --skip)
        item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    if (!item) fail("noitem");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
  printBounds("rect", dialog);
  const HWND status = GetDlgItem(dialog, 14147);
  std::printf("status %s\n", status ? hexOrDash(textOf(status)).c_str() : "none");
  RECT line{};
  if (status) GetClientRect(status, &line);
  printRect("statusline", line);
  std::printf("okenabled %d\n", IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? 1 : 0);
  return press(dialog, a[3]);
}

// Posts each character to the control that has the focus in the window, as typing would give them.
int postCharacters(const Args& a) {
  const DWORD timeoutMs = number(a[2]);
  const HWND window = requireWindow(a[0], timeoutMs);
  // A dialog may be visible a moment before its first control takes the focus: wait for it, within the time.
  // Wine's desktop window now and then takes the foreground back from a window just shown; a user would
  // click the dialog, the probe brings it to the front once.
  const DWORD start = GetTickCount();
  bool clicked = false;
  const HWND focus = waitFor([&] {
    if (!clicked && GetTickCount() - start >= 2000) {
      SetForegroundWindow(window);
      clicked = true;
    }
    return focusOf(window);
  }, timeoutMs);
  if (!focus) fail("nofocus");
  for (unsigned char c : a[1]) SendMessageA(focus, WM_CHAR, c, 1);
  return 0;
}

// Ctrl+key pressed on the window with this title.
int pressControlKey(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[2]));
  SetForegroundWindow(window);
  Sleep(200);
  const auto key = static_cast<WORD>(a[1][0]);
  sendEach({keyInput(VK_CONTROL, 0, false), keyInput(key, 0, false), keyInput(key, 0, true),
            keyInput(VK_CONTROL, 0, true)}, 20);
  return 0;
}

// The window's rectangle, the work area, the focused control (class and text) and, for an edit, its
// selection and limit.
int printWindowRect(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[1]));
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  printBounds("rect", window);
  printRect("workarea", work);
  const HWND focus = focusOf(window);
  char className[32] = {};
  if (focus) GetClassNameA(focus, className, sizeof className);
  std::printf("focus %s %s\n", focus ? className : "-", focus ? hexOrDash(textOf(focus)).c_str() : "-");
  if (focus && lstrcmpiA(className, "Edit") == 0) {
    const auto packed = static_cast<DWORD>(SendMessageA(focus, EM_GETSEL, 0, 0));
    std::printf("selection %u %u limit %ld\n", LOWORD(packed), HIWORD(packed),
                static_cast<long>(SendMessageA(focus, EM_GETLIMITTEXT, 0, 0)));
  }
  return 0;
}

namespace {

BOOL CALLBACK addButtonText(HWND child, LPARAM texts) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0) {
    std::string& line = *reinterpret_cast<std::string*>(texts);
    line += ' ';
    line += hexOrDash(textOf(child));
  }
  return TRUE;
}

}  // namespace

// Watches the buttons of the window with this title: "shown" once it is visible, then "buttons MS TEXT..."
// whenever a caption changes (milliseconds since "shown", each button's text in hex), and at the end
// "gone MS" once the window is no more, or "open MS" when the time is up first.
int watchButtonCaptions(const Args& a) {
  const DWORD timeoutMs = number(a[1]);
  const HWND window = requireWindow(a[0], timeoutMs);
  if (!waitFor([&] { return IsWindowVisible(window) ? window : nullptr; }, timeoutMs)) fail("hidden");
  const DWORD shownAt = GetTickCount();
  std::printf("shown\n");
  std::fflush(stdout);
  std::string previous;
  for (;;) {
    const DWORD now = GetTickCount() - shownAt;
    if (!IsWindow(window) || !IsWindowVisible(window)) {
      std::printf("gone %lu\n", static_cast<unsigned long>(now));
      return 0;
    }
    if (now > timeoutMs) {
      std::printf("open %lu\n", static_cast<unsigned long>(now));
      return 0;
    }
    std::string texts;
    EnumChildWindows(window, addButtonText, reinterpret_cast<LPARAM>(&texts));
    // A window going away while its buttons were read gives empty texts: it is reported as gone.
    if (!IsWindowVisible(window)) continue;
    if (texts != previous) {
      std::printf("buttons %lu%s\n", static_cast<unsigned long>(now), texts.c_str());
      std::fflush(stdout);
      previous = texts;
    }
    Sleep(10);
  }
}

// The forms' font ("MS Sans Serif", -11): the average width of the 52 letters and the character height.
int printDialogUnits(const Args&) {
  const FontDC dc("MS Sans Serif", -11);
  SIZE letters{};
  GetTextExtentPoint32A(dc.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  std::printf("units %ld %ld\n", letters.cx / 52, metrics.tmHeight);
  return 0;
}

}  // namespace probe
