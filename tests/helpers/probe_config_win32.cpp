// Probe verbs for the configuration form and the edits the tests type into: where a window and its client
// area sit on the screen, its focus and tab order, an edit's text, clicks and mouse buttons, repainting.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_support.h"

namespace probe {
namespace {

std::string classOf(HWND window) {
  char name[64] = {};
  if (window) GetClassNameA(window, name, sizeof name);
  return name[0] ? name : "-";
}

// The first edit box of the window with this title.
HWND firstEditOf(const std::string& title) {
  const HWND window = waitForTitle(title, 30000);
  const HWND edit = window ? firstChildOfClass(window, "Edit") : nullptr;
  if (!edit) fail("noedit");
  return edit;
}

bool isDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

// Lines: "window LEFT TOP RIGHT BOTTOM", "client SCREEN-X SCREEN-Y", "focus CLASS", "tab CLASS HEX" for each
// control of the tab order from the first.
int describePlacement(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[1]));
  RECT frame{};
  GetWindowRect(window, &frame);
  std::printf("window %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::printf("client %ld %ld\n", origin.x, origin.y);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  std::printf("focus %s\n", classOf(thread.hwndFocus).c_str());
  const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  for (HWND control = first; control;) {
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    std::printf("tab %s %s\n", classOf(control).c_str(), hexOrDash(text).c_str());
    control = GetNextDlgTabItem(window, control, FALSE);
    if (control == first) break;
  }
  return 0;
}

// Sets the text of the window's first edit box, as pasting over all of it would.
int setEditText(const Args& a) {
  SendMessageA(firstEditOf(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str()));
  return 0;
}

// "text HEX" of the window's first edit box. With an expected text, first waits until the edit holds it (or
// the time runs out), then adds "held SHIFT CTRL ALT" (1 for a key the system takes as down) and empties it.
int printEditText(const Args& a) {
  const HWND edit = firstEditOf(a[0]);
  if (a.size() < 3) {
    std::printf("text %s\n", hexOrDash(textOf(edit)).c_str());
    return 0;
  }
  const DWORD start = GetTickCount();
  while (textOf(edit) != a[1] && GetTickCount() - start < number(a[2])) Sleep(20);
  // Keys still on their way would show as more text: give them a moment once the text is complete.
  Sleep(50);
  std::printf("text %s\nheld %d %d %d\n", hexOrDash(textOf(edit)).c_str(), isDown(VK_SHIFT), isDown(VK_CONTROL),
              isDown(VK_MENU));
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  return 0;
}

// Clicks the left mouse button at a point of the window's client area.
int clickAt(const Args& a) {
  const HWND window = requireWindow(a[0], 30000);
  SetForegroundWindow(window);
  const int x = static_cast<int>(integer(a[1])), y = static_cast<int>(integer(a[2]));
  sendEach({mouseInput(window, x, y, 0), mouseInput(window, x, y, MOUSEEVENTF_LEFTDOWN),
            mouseInput(window, x, y, MOUSEEVENTF_LEFTUP)}, 30);
  return 0;
}

// One mouse event at a point of the window's client area (which may lie outside the window): "move",
// or a button going "leftdown", "leftup", "rightdown", "rightup", "middledown" or "middleup" there.
int mouseAt(const Args& a) {
  static const struct { const char* name; DWORD flag; } kActions[] = {
      {"move", 0},
      {"leftdown", MOUSEEVENTF_LEFTDOWN},     {"leftup", MOUSEEVENTF_LEFTUP},
      {"rightdown", MOUSEEVENTF_RIGHTDOWN},   {"rightup", MOUSEEVENTF_RIGHTUP},
      {"middledown", MOUSEEVENTF_MIDDLEDOWN}, {"middleup", MOUSEEVENTF_MIDDLEUP},
  };
  const HWND window = requireWindow(a[0], 30000);
  for (const auto& action : kActions) {
    if (a[3] != action.name) continue;
    sendEach({mouseInput(window, static_cast<int>(integer(a[1])), static_cast<int>(integer(a[2])), action.flag)},
             100);
    return 0;
  }
  fail("badaction");
}

// Repaints the whole window and its children now, as uncovering it would.
int redrawWindow(const Args& a) {
  RedrawWindow(requireWindow(a[0], 30000), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(200);
  return 0;
}

}  // namespace probe
