// Test-helper verbs for the configuration form: Unicode and very long registry values, a key's access,
// where a window and its client area sit on the screen, its focus and tab order, an edit's text, clicks.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

std::wstring wideOfHex(const std::string& hex) {
  std::wstring text;
  for (std::size_t i = 0; i + 4 <= hex.size(); i += 4) {
    const auto byteAt = [&](std::size_t at) { return std::strtoul(hex.substr(at, 2).c_str(), nullptr, 16); };
    text.push_back(static_cast<wchar_t>(byteAt(i) | (byteAt(i + 2) << 8)));
  }
  return text;
}

std::wstring wideOf(const std::string& ansi) {
  std::wstring text(ansi.size() + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, text.data(), static_cast<int>(text.size())) - 1));
  return text;
}

// A REG_SZ value given as UTF-16LE in hex, so that it may hold characters outside the ANSI code page.
int registrySetWide(const std::string& path, const std::string& name, const std::string& utf16Hex) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, wideOf(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return 2;
  const std::wstring data = wideOfHex(utf16Hex);
  const LONG status = RegSetValueExW(key, wideOf(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 2;
}

// A REG_SZ path "C:\xx...x.bat" of `length` characters: longer than a command line may carry.
int registrySetLongPath(const std::string& path, const std::string& name, std::size_t length) {
  std::string text = "C:\\" + std::string(length > 7 ? length - 7 : 0, 'x') + ".bat";
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 2;
  const LONG status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 2;
}

// "deny": the key gets an empty access list, so that no one may open it for writing; "allow": no list
// at all, full access again. The key is created when missing.
int registrySetAccess(const std::string& path, const std::string& mode) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 2;
  ACL emptyList{};
  InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION);
  SECURITY_DESCRIPTOR descriptor{};
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, mode == "deny" ? &emptyList : nullptr, FALSE);
  const LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 2;
}

std::string classOf(HWND window) {
  char name[64] = {};
  if (window) GetClassNameA(window, name, sizeof name);
  return name[0] ? name : "-";
}

// Lines: "window LEFT TOP RIGHT BOTTOM", "client SCREEN-X SCREEN-Y", "focus CLASS", "tab CLASS" for each
// control of the tab order from the first.
int describePlacement(const std::string& title, DWORD timeoutMs) {
  const HWND window = probe::waitForTitle(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
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
    std::printf("tab %s %s\n", classOf(control).c_str(), probe::hexOrDash(text, lstrlenA(text)).c_str());
    control = GetNextDlgTabItem(window, control, FALSE);
    if (control == first) break;
  }
  return 0;
}

// The first edit box of the window with this title, or null.
HWND firstEditOf(const std::string& title) {
  const HWND window = probe::waitForTitle(title, 30000);
  return window ? probe::firstChildOfClass(window, "Edit") : nullptr;
}

// Sets the text of the window's first edit box, as pasting over all of it would.
int setEditText(const std::string& title, const std::string& text) {
  const HWND edit = firstEditOf(title);
  if (!edit) {
    std::puts("noedit");
    return 1;
  }
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return 0;
}

// Prints the text of the window's first edit box in hex: asked of the control itself, since another
// process's GetWindowText does not.
int printEditText(const std::string& title) {
  const HWND edit = firstEditOf(title);
  if (!edit) {
    std::puts("noedit");
    return 1;
  }
  std::string text(static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  std::printf("text %s\n", probe::hexOrDash(text.data(), text.size()).c_str());
  return 0;
}

// Clicks the left mouse button at a point of the window's client area.
int clickAt(const std::string& title, int x, int y) {
  const HWND window = probe::waitForTitle(title, 30000);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  SetForegroundWindow(window);
  POINT point{x, y};
  ClientToScreen(window, &point);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = (point.x * 65536 + width / 2) / width;
    input.mi.dy = (point.y * 65536 + height / 2) / height;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  for (INPUT& input : inputs) {
    SendInput(1, &input, sizeof input);
    Sleep(30);
  }
  return 0;
}

// One mouse event at a point of the window's client area (which may lie outside the window): "move",
// or a button going "leftdown", "leftup", "rightdown", "rightup", "middledown" or "middleup" there.
int mouseAt(const std::string& title, int x, int y, const std::string& action) {
  static const struct { const char* name; DWORD flag; } kActions[] = {
      {"move", 0},
      {"leftdown", MOUSEEVENTF_LEFTDOWN},     {"leftup", MOUSEEVENTF_LEFTUP},
      {"rightdown", MOUSEEVENTF_RIGHTDOWN},   {"rightup", MOUSEEVENTF_RIGHTUP},
      {"middledown", MOUSEEVENTF_MIDDLEDOWN}, {"middleup", MOUSEEVENTF_MIDDLEUP},
  };
  const HWND window = probe::waitForTitle(title, 30000);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  DWORD flag = ~0u;
  for (const auto& known : kActions)
    if (action == known.name) flag = known.flag;
  if (flag == ~0u) {
    std::puts("badaction");
    return 1;
  }
  POINT point{x, y};
  ClientToScreen(window, &point);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (point.x * 65536 + width / 2) / width;
  input.mi.dy = (point.y * 65536 + height / 2) / height;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flag;
  SendInput(1, &input, sizeof input);
  Sleep(100);
  return 0;
}

// Repaints the whole window and its children now, as uncovering it would.
int redrawWindow(const std::string& title) {
  const HWND window = probe::waitForTitle(title, 30000);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(200);
  return 0;
}

}  // namespace

// The configuration form's verbs; -1 when the verb is none of them.
int configProbe(const std::vector<std::string>& args) {
  const auto need = [&](std::size_t count) { return args.size() >= count; };
  if (need(4) && args[0] == "regsetw") return registrySetWide(args[1], args[2], args[3]);
  if (need(3) && args[0] == "regaccess") return registrySetAccess(args[1], args[2]);
  if (need(4) && args[0] == "regsetlong")
    return registrySetLongPath(args[1], args[2], std::strtoul(args[3].c_str(), nullptr, 10));
  if (need(3) && args[0] == "placement")
    return describePlacement(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  if (need(3) && args[0] == "setedit") return setEditText(args[1], args[2]);
  if (need(2) && args[0] == "edittext") return printEditText(args[1]);
  if (need(5) && args[0] == "mouse")
    return mouseAt(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()), args[4]);
  if (need(2) && args[0] == "redraw") return redrawWindow(args[1]);
  if (need(4) && args[0] == "click") return clickAt(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()));
  return -1;
}
