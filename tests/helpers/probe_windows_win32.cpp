// Probe verbs of the window, keystroke and process tests: a set of test windows (one with an edit that
// keeps the focus), their state, the edit's text and the modifier keys as the system sees them, the
// keystroke engine's message boxes, idle helper processes and a count of processes by name.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

constexpr char kWindowClass[] = "TvkProbeWindow";
constexpr char kEditWindowClass[] = "TvkProbeEdit";
constexpr int kEditId = 100;

unsigned long handleNumber(HWND window) { return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)); }

HWND windowOfNumber(const std::string& number) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoul(number.c_str(), nullptr, 10)));
}

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

DWORD WINAPI quitAtEndOfInput(void* mainThread) {
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<uintptr_t>(mainThread)), WM_QUIT, 0, 0);
  return 0;
}

// Creates the test windows, prints "NAME HANDLE" for each and "ready", then serves them until standard
// input ends or the time runs out. Titles: argument i names the window after it.
int serveTestWindows(DWORD timeoutMs) {
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
  CreateThread(nullptr, 0, quitAtEndOfInput, reinterpret_cast<void*>(static_cast<uintptr_t>(GetCurrentThreadId())), 0,
               nullptr);
  SetTimer(nullptr, 0, timeoutMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ExitProcess(0);  // also ends the reader still waiting
}

// One line per handle: "HANDLE exists V visible V iconic V foreground V text HEX".
int printWindowStates(const std::vector<std::string>& handles) {
  const HWND foreground = GetForegroundWindow();
  for (const std::string& number : handles) {
    const HWND window = windowOfNumber(number);
    char text[1024] = {};
    const bool exists = IsWindow(window) != FALSE;
    if (exists) GetWindowTextA(window, text, sizeof text);
    std::printf("%s exists %d visible %d iconic %d foreground %d text %s\n", number.c_str(), exists ? 1 : 0,
                exists && IsWindowVisible(window) ? 1 : 0, exists && IsIconic(window) ? 1 : 0,
                window == foreground ? 1 : 0, probe::hexOrDash(text).c_str());
  }
  return 0;
}

std::string editText(HWND edit) {
  char text[4096] = {};
  SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool isDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// Waits until the (first) edit of the window holds the expected text (or the time runs out), prints "text HEX"
// and "held SHIFT CTRL ALT" (1 for a key the system takes as down), then empties the edit.
int readEdit(const std::string& title, const std::string& expected, DWORD timeoutMs) {
  const HWND window = FindWindowA(nullptr, title.c_str());
  const HWND edit = window ? FindWindowExA(window, nullptr, "Edit", nullptr) : nullptr;
  if (!edit) {
    std::puts("noedit");
    return 1;
  }
  const DWORD start = GetTickCount();
  std::string text = editText(edit);
  while (text != expected && GetTickCount() - start < timeoutMs) {
    Sleep(20);
    text = editText(edit);
  }
  // Keys still on their way would show as more text: give them a moment once the text is complete.
  Sleep(50);
  text = editText(edit);
  std::printf("text %s\nheld %d %d %d\n", probe::hexOrDash(text).c_str(), isDown(VK_SHIFT), isDown(VK_CONTROL), isDown(VK_MENU));
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  return 0;
}

// Waits for `count` message boxes captioned "SendKeys", one after the other; prints "box HEX" with each
// one's text and dismisses it with its OK button. Prints "nobox" when one does not come in time. With
// a title, that window is brought back to the front first, so that the keys sent after the box reach it.
int closeMessageBoxes(int count, DWORD timeoutMs, const std::string& titleToActivate) {
  for (int i = 0; i < count; ++i) {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (!(box = FindWindowA("#32770", "SendKeys")) && GetTickCount() - start < timeoutMs) Sleep(20);
    if (!box) {
      std::puts("nobox");
      return 1;
    }
    char text[256] = {};
    SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    const bool hasOk = GetDlgItem(box, IDOK) != nullptr;
    std::printf("box %s ok %d\n", probe::hexOrDash(text).c_str(), hasOk ? 1 : 0);
    std::fflush(stdout);
    if (!titleToActivate.empty()) SetForegroundWindow(FindWindowA(nullptr, titleToActivate.c_str()));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && GetTickCount() - start < timeoutMs) Sleep(20);
  }
  return 0;
}

// How many running processes have this executable file name (ASCII case aside).
int countProcesses(const std::string& name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    const char* file = std::strrchr(entry.szExeFile, '\\');
    if (lstrcmpiA(file ? file + 1 : entry.szExeFile, name.c_str()) == 0) ++count;
  }
  CloseHandle(snapshot);
  std::printf("count %d\n", count);
  return 0;
}

}  // namespace

// Runs the verb when it is one of this family's; -1 otherwise.
int runWindowsProbe(const std::vector<std::string>& args) {
  const auto need = [&](std::size_t count) { return args.size() >= count; };
  if (need(2) && args[0] == "testwindows") return serveTestWindows(std::strtoul(args[1].c_str(), nullptr, 10));
  if (need(2) && args[0] == "windowstate") return printWindowStates({args.begin() + 1, args.end()});
  if (need(4) && args[0] == "edittext")
    return readEdit(args[1], args[2], std::strtoul(args[3].c_str(), nullptr, 10));
  if (need(3) && args[0] == "closeboxes")
    return closeMessageBoxes(std::atoi(args[1].c_str()), std::strtoul(args[2].c_str(), nullptr, 10),
                             need(4) ? args[3] : std::string());
  if (need(2) && args[0] == "idle") {
    Sleep(std::strtoul(args[1].c_str(), nullptr, 10));
    return 0;
  }
  if (need(2) && args[0] == "countprocesses") return countProcesses(args[1]);
  if (need(2) && args[0] == "keycodes") {
    // The current layout's key code of each character ("ffff": none), as the keystroke engine sees it.
    for (const char c : args[1]) std::printf("%04x\n", static_cast<unsigned>(static_cast<unsigned short>(VkKeyScanA(c))));
    return 0;
  }
  return -1;
}
