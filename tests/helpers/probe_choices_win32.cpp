// Probe verbs for the list dialog and the notification area: a list box's entries, selection and focus; a
// double-click; the tray's windows and balloons as Wine's shell shows them; a message posted to a window
// found by its class.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_support.h"

namespace probe {
namespace {

std::string classOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// An entry of another process's list box: it comes back as the list stores it, in UTF-16.
std::string listEntry(HWND list, long index) {
  const auto length = static_cast<long>(SendMessageW(list, LB_GETTEXTLEN, index, 0));
  if (length < 0) return std::string();
  std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
  std::string ansi(static_cast<std::size_t>(length) * 2 + 1, '\0');
  ansi.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

void printWindow(const char* word, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("%s %d %ld %ld %ld %ld %08lx %s\n", word, IsWindowVisible(window) ? 1 : 0, rect.left, rect.top,
              rect.right, rect.bottom, static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              hexOrDash(textOf(window)).c_str());
}

// Wine's shell: the tray window, its icons (children, or hidden top-level windows of the same class),
// and the tooltip windows, balloons among them (TTS_BALLOON).
struct TraySearch {
  std::vector<HWND> trays, icons, tooltips;
};

BOOL CALLBACK collectIcon(HWND child, LPARAM data) {
  if (classOf(child) == "__wine_tray_icon") reinterpret_cast<TraySearch*>(data)->icons.push_back(child);
  return TRUE;
}

BOOL CALLBACK collectTrayWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TraySearch*>(data);
  const std::string name = classOf(window);
  if (name == "Shell_TrayWnd") {
    search->trays.push_back(window);
    EnumChildWindows(window, collectIcon, data);
  } else if (name == "__wine_tray_icon") {
    search->icons.push_back(window);
  } else if (name == TOOLTIPS_CLASSA && IsWindowVisible(window)) {
    search->tooltips.push_back(window);
  }
  return TRUE;
}

}  // namespace

// "count N", "selected I" (-1 for none), "top I", "focus 1|0" (the list has the keyboard focus), "rows R"
// (entries the list shows at once), then "entry HEX" for each entry, of the window's first list box.
int describeListBox(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[1]));
  const HWND list = waitFor([&] { return firstChildOfClass(window, "ListBox"); }, number(a[1]));
  if (!list) fail("nolist");
  const auto count = static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  RECT client{};
  GetClientRect(list, &client);
  const auto itemHeight = static_cast<long>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  std::printf("count %ld\nselected %ld\ntop %ld\nfocus %d\nrows %ld\n", count,
              static_cast<long>(SendMessageA(list, LB_GETCURSEL, 0, 0)),
              static_cast<long>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)), thread.hwndFocus == list ? 1 : 0,
              itemHeight > 0 ? client.bottom / itemHeight : 0);
  for (long i = 0; i < count; ++i) std::printf("entry %s\n", hexOrDash(listEntry(list, i)).c_str());
  return 0;
}

// Double-clicks the left button at a point of the window's first list box (its client coordinates).
int doubleClickList(const Args& a) {
  const HWND window = requireWindow(a[0], 30000);
  const HWND list = firstChildOfClass(window, "ListBox");
  if (!list) fail("nolist");
  SetForegroundWindow(window);
  Sleep(100);
  const int x = static_cast<int>(integer(a[1])), y = static_cast<int>(integer(a[2]));
  sendEach({mouseInput(list, x, y, 0), mouseInput(list, x, y, MOUSEEVENTF_LEFTDOWN),
            mouseInput(list, x, y, MOUSEEVENTF_LEFTUP), mouseInput(list, x, y, MOUSEEVENTF_LEFTDOWN),
            mouseInput(list, x, y, MOUSEEVENTF_LEFTUP)},
           20);
  return 0;
}

// "tray VISIBLE L T R B STYLE TEXT" for each tray window, "icon ..." for each icon window, "balloon ..." for
// each visible balloon and "tip ..." for each other visible tooltip (their text as WM_GETTEXT gives it).
// With "click", first clicks the middle of the first visible icon: its own window, or where the tray draws
// its first icon itself (Wine 8 draws them in the tray window, the first at its right end).
int describeTray(const Args& a) {
  TraySearch search;
  EnumWindows(collectTrayWindow, reinterpret_cast<LPARAM>(&search));
  for (const HWND tray : search.trays) printWindow("tray", tray);
  for (const HWND icon : search.icons) printWindow("icon", icon);
  for (const HWND tip : search.tooltips)
    printWindow(GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON ? "balloon" : "tip", tip);
  if (a.empty() || a[0] != "click") return 0;
  HWND target = nullptr;
  for (const HWND icon : search.icons)
    if (!target && IsWindowVisible(icon)) target = icon;
  const bool drawnByTray = !target;
  for (const HWND tray : search.trays)
    if (!target && IsWindowVisible(tray)) target = tray;
  if (!target) fail("noicon");
  RECT client{};
  GetClientRect(target, &client);
  const int cell = GetSystemMetrics(SM_CXSMICON) + 4;
  const int x = drawnByTray ? client.right - cell / 2 : client.right / 2, y = client.bottom / 2;
  sendEach({mouseInput(target, x, y, 0), mouseInput(target, x, y, MOUSEEVENTF_LEFTDOWN),
            mouseInput(target, x, y, MOUSEEVENTF_LEFTUP)},
           50);
  std::puts("clicked");
  return 0;
}

// Posts a message to the first top-level window of the class (hidden ones too) once there is one.
int postToClass(const Args& a) {
  const HWND window = waitFor([&] { return FindWindowA(a[0].c_str(), nullptr); }, number(a[4]));
  if (!window) fail("nowindow");
  PostMessageA(window, static_cast<UINT>(number(a[1])), static_cast<WPARAM>(integer(a[2])),
               static_cast<LPARAM>(integer(a[3])));
  std::puts("posted");
  return 0;
}

}  // namespace probe
