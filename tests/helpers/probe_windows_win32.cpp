// Probe verbs of the window, keystroke and process tests: a set of test windows (one with an edit that
// keeps the focus), their state, the keystroke engine's message boxes and the layout's key codes, idle
// helper processes, a count of processes by name and the modules of a window's process.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "probe_support.h"

namespace probe {
namespace {

constexpr char kWindowClass[] = "TvkProbeWindow";
constexpr char kEditWindowClass[] = "TvkProbeEdit";
constexpr int kEditId = 100;

unsigned long handleNumber(HWND window) { return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)); }

HWND windowOfNumber(const std::string& text) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(number(text))); }

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Activation gives the focus to the frame; the keys are meant for its edit.
  if (message == WM_SETFOCUS) {
    if (HWND edit = GetDlgItem(window, kEditId)) {
      SetFocus(edit);
      return 0;
    }
  }
  if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
    if (HWND edit = GetDlgItem(window, kEditId)) MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// Creates the test windows, prints "NAME HANDLE" for each and "ready", then serves them until standard
// input ends or the time runs out.
int serveTestWindows(const Args& a) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = testWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  windowClass.lpszClassName = kEditWindowClass;
  RegisterClassA(&windowClass);

  struct WindowPlan {
    const char* name;
    std::string title;
    int show;  // -1: never shown
  };
  const WindowPlan plans[] = {
      {"hidden", "Tvk-Cach\xE9" "e fen\xEAtre", -1},
      {"long100", "Tvk-L100 " + std::string(70, 'a') + "ZYXW" + std::string(17, 'z'), SW_SHOWNOACTIVATE},
      {"long300", "Tvk-L300 " + std::string(245, 'b') + std::string(46, 'c'), SW_SHOWNOACTIVATE},
      {"minimized", "Tvk-Mini fen\xEAtre", SW_SHOWMINNOACTIVE},
      {"toclose", "Tvk-Fermer", SW_SHOWNOACTIVATE},
      {"tohide", "Tvk-Cacher", SW_SHOWNOACTIVATE},
      {"topost", "Tvk-Poster", SW_SHOWNOACTIVATE},
      {"whole", "Tvk-Bar", SW_SHOWNOACTIVATE},
      {"part", "Tvk-Bar et plus", SW_SHOWNOACTIVATE},
      {"edit", "Tvk-Saisie", SW_SHOW},
  };
  for (const WindowPlan& plan : plans) {
    const bool isEdit = std::strcmp(plan.name, "edit") == 0;
    const HWND window = CreateWindowExA(0, isEdit ? kEditWindowClass : kWindowClass, plan.title.c_str(),
                                        WS_OVERLAPPEDWINDOW, 40, 40, 400, 200, nullptr, nullptr, instance, nullptr);
    if (isEdit) {
      CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 0, 0,
                      400, 200, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    }
    if (plan.show >= 0) ShowWindow(window, plan.show);
    if (isEdit) {
      SetForegroundWindow(window);
      SetFocus(GetDlgItem(window, kEditId));
    }
    std::printf("%s %lu\n", plan.name, handleNumber(window));
  }
  std::puts("ready");
  std::fflush(stdout);
  watchEndOfInput(GetCurrentThreadId());
  SetTimer(nullptr, 0, number(a[0]), nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ExitProcess(0);  // also ends the reader still waiting
}

// One line per handle: "HANDLE exists V visible V iconic V foreground V text HEX".
int printWindowStates(const Args& handles) {
  const HWND foreground = GetForegroundWindow();
  for (const std::string& handle : handles) {
    const HWND window = windowOfNumber(handle);
    char text[1024] = {};
    const bool exists = IsWindow(window) != FALSE;
    if (exists) GetWindowTextA(window, text, sizeof text);
    std::printf("%s exists %d visible %d iconic %d foreground %d text %s\n", handle.c_str(), exists ? 1 : 0,
                exists && IsWindowVisible(window) ? 1 : 0, exists && IsIconic(window) ? 1 : 0,
                window == foreground ? 1 : 0, hexOrDash(text).c_str());
  }
  return 0;
}

// Waits for `count` message boxes captioned "SendKeys", one after the other; prints "box HEX" with each
// one's text and dismisses it with its OK button. Prints "nobox" when one does not come in time. With
// a title, that window is brought back to the front first, so that the keys sent after the box reach it.
int closeMessageBoxes(const Args& a) {
  const DWORD timeoutMs = number(a[1]);
  const std::string titleToActivate = a.size() > 2 ? a[2] : std::string();
  for (long i = 0; i < integer(a[0]); ++i) {
    const DWORD start = GetTickCount();
    const HWND box = waitFor([] { return FindWindowA("#32770", "SendKeys"); }, timeoutMs);
    if (!box) fail("nobox");
    char text[256] = {};
    SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    const bool hasOk = GetDlgItem(box, IDOK) != nullptr;
    std::printf("box %s ok %d\n", hexOrDash(text).c_str(), hasOk ? 1 : 0);
    std::fflush(stdout);
    if (!titleToActivate.empty()) SetForegroundWindow(FindWindowA(nullptr, titleToActivate.c_str()));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && GetTickCount() - start < timeoutMs) Sleep(20);
  }
  return 0;
}

// How many running processes have this executable file name (ASCII case aside).
int countProcesses(const Args& a) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const char* file = std::strrchr(entry.szExeFile, '\\');
    if (lstrcmpiA(file ? file + 1 : entry.szExeFile, a[0].c_str()) == 0) ++count;
  }
  CloseHandle(snapshot);
  std::printf("count %d\n", count);
  return 0;
}

// The modules loaded in the process that owns the window of this title, one path a line in hexadecimal:
// the tests tell from them which build of a system library a window of the program uses.
int printModulesOfWindow(const Args& a) {
  DWORD processId = 0;
  GetWindowThreadProcessId(requireWindow(a[0], number(a[1])), &processId);
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
  if (snapshot == INVALID_HANDLE_VALUE) fail("nosnapshot " + std::to_string(GetLastError()));
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry))
    std::printf("module %s\n", hexOf(entry.szExePath, std::strlen(entry.szExePath)).c_str());
  CloseHandle(snapshot);
  return 0;
}

// An idle helper process, for the tests that start and end programs.
int idle(const Args& a) {
  Sleep(number(a[0]));
  return 0;
}

// The current layout's key code of each character ("ffff": none), as the keystroke engine sees it.
int printKeyCodes(const Args& a) {
  for (const char c : a[0]) std::printf("%04x\n", static_cast<unsigned>(static_cast<unsigned short>(VkKeyScanA(c))));
  return 0;
}

}  // namespace probe
