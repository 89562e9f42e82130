// Test helper run inside Wine: reads and changes the registry and finds, reads and closes windows, so
// the end-to-end tests can observe what the program did. Output goes to stdout, one fact per line.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

// Arguments starting with "hex:" carry raw bytes (non-ASCII names and data).
std::string decodeArgument(const char* text) {
  if (std::strncmp(text, "hex:", 4) != 0) return text;
  std::string bytes;
  for (const char* c = text + 4; c[0] && c[1]; c += 2) {
    const char pair[3] = {c[0], c[1], 0};
    bytes.push_back(static_cast<char>(std::strtoul(pair, nullptr, 16)));
  }
  return bytes;
}

int registryGet(const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::puts("nokey");
    return 0;
  }
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) {
    std::puts("missing");
  } else {
    std::string data(size, '\0');
    RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size);
    std::printf("%lu %s\n", static_cast<unsigned long>(type), probe::hexOf(data).c_str());
  }
  RegCloseKey(key);
  return 0;
}

int registrySet(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return 2;
  const LONG status = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 2;
}

int registryDeleteKey(const std::string& path) {
  const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : 2;
}

int registryDeleteValue(const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return 0;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
  return 0;
}

// Back to a fresh account: no settings, no user variables, no published return-file variable.
int resetAccount() {
  registryDeleteKey("Software\\Orlenta\\Tovrik");
  registryDeleteKey("Software\\Orlenta");
  return registryDeleteValue("Environment", "TvkFile");
}

// Starts a program with exactly this command line, waits, prints its exit code. With a console of its
// own the program runs as from a command window (cmd.exe then reads batch files in the OEM code page).
int execute(std::string commandLine, DWORD timeoutMs, DWORD flags) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("createprocess-failed %lu\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  CloseHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 255);
    std::puts("timeout");
    CloseHandle(process.hProcess);
    return 1;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  std::printf("exit %lu\n", static_cast<unsigned long>(code));
  return 0;
}

// One line per child: class, text (hex), then its rectangle in the parent's client coordinates.
BOOL CALLBACK printChild(HWND child, LPARAM parent) {
  char className[64] = {}, text[4096] = {};
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
  // Then the style, and the password character of an edit (0 for none or another class).
  const long passwordChar = lstrcmpiA(className, "Edit") == 0 ? static_cast<long>(SendMessageA(child, EM_GETPASSWORDCHAR, 0, 0)) : 0;
  std::printf("child %s %s %ld %ld %ld %ld %08lx %ld\n", className, text[0] ? probe::hexOf(text).c_str() : "-", rect.left,
              rect.top, rect.right - rect.left, rect.bottom - rect.top,
              static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), passwordChar);
  return TRUE;
}

// Prints the position and range of the progress bar in the window with this title.
int progressOf(const std::string& title) {
  const HWND window = FindWindowA(nullptr, title.c_str());
  const HWND bar = window ? probe::firstChildOfClass(window, "msctls_progress32") : nullptr;
  if (!bar) {
    std::puts("nobar");
    return 1;
  }
  // The control lives in another process: ask for each limit as a return value, not through a pointer.
  const auto low = static_cast<long>(SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
  const auto high = static_cast<long>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
  std::printf("pos %ld range %ld %ld\n", static_cast<long>(SendMessageA(bar, PBM_GETPOS, 0, 0)), low, high);
  return 0;
}

// Sends a message to the window with this title (wParam and lParam as signed decimal numbers).
int sendTo(const std::string& title, UINT message, long wParam, long lParam) {
  const HWND window = FindWindowA(nullptr, title.c_str());
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  SendMessageA(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  return 0;
}

// The height of a line of the forms' font ("MS Sans Serif", -11) as GDI measures it.
int formLineHeight() {
  const probe::FormFontDC dc;
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), "Ag", 2, &size);
  std::printf("%ld\n", size.cy);
  return 0;
}

// Prints the window's handle, style, extended style, client size and its children's texts.
int describeWindow(const std::string& title, DWORD timeoutMs) {
  const HWND window = probe::waitForTitle(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  RECT client{};
  GetClientRect(window, &client);
  std::printf("hwnd %lu\nstyle %08lx\nexstyle %08lx\nclient %ld %ld\n",
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), client.right, client.bottom);
  EnumChildWindows(window, printChild, reinterpret_cast<LPARAM>(window));
  return 0;
}

// Brings the window with this title to the front and types into it: plain characters as Unicode
// input, "{ENTER}", "{ESC}" and "{TAB}" as those keys.
int typeInto(const std::string& title, const std::string& keys, DWORD timeoutMs) {
  const HWND window = probe::waitForTitle(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  SetForegroundWindow(window);
  Sleep(200);
  std::vector<INPUT> inputs;
  const auto press = [&](WORD virtualKey, WORD unicode) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = unicode ? KEYEVENTF_UNICODE : 0;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
  };
  static const struct { const char* name; WORD key; } kNamed[] = {{"{ENTER}", VK_RETURN}, {"{ESC}", VK_ESCAPE}, {"{TAB}", VK_TAB}};
  for (std::size_t i = 0; i < keys.size();) {
    bool named = false;
    for (const auto& entry : kNamed) {
      if (keys.compare(i, std::strlen(entry.name), entry.name) == 0) {
        press(entry.key, 0);
        i += std::strlen(entry.name);
        named = true;
        break;
      }
    }
    if (named) continue;
    press(0, static_cast<unsigned char>(keys[i]));
    ++i;
  }
  // One key at a time, so that each reaches the window that has the focus by then.
  for (INPUT& input : inputs) {
    SendInput(1, &input, sizeof input);
    Sleep(10);
  }
  return 0;
}

int closeWindow(const std::string& title, DWORD timeoutMs) {
  const HWND window = probe::waitForTitle(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  return 0;
}

// Prints a shell link's target, arguments, working directory, description (hex, "-" when empty) and
// show command, as the shell link object reads them back from the file.
int readShellLink(const std::string& path) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    std::puts("nolinkobject");
    return 1;
  }
  IPersistFile* file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  std::vector<wchar_t> wide(path.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  int status = 0;
  if (!file || FAILED(file->Load(wide.data(), STGM_READ))) {
    std::puts("noload");
    status = 1;
  } else {
    const auto print = [](const char* name, const char* text) {
      std::printf("%s %s\n", name, text[0] ? probe::hexOf(text).c_str() : "-");
    };
    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    print("target", text);
    text[0] = 0;
    link->GetArguments(text, sizeof text);
    print("arguments", text);
    text[0] = 0;
    link->GetWorkingDirectory(text, sizeof text);
    print("workdir", text);
    text[0] = 0;
    link->GetDescription(text, sizeof text);
    print("description", text);
    int show = -1;
    link->GetShowCmd(&show);
    std::printf("showcmd %d\n", show);
  }
  if (file) file->Release();
  link->Release();
  return status;
}

// Prints each special folder's path as SHGetSpecialFolderPathA gives it ("-" when it gives none), then
// the temporary, Windows and system directories: "csidl N HEX", "temp HEX", "windows HEX", "system HEX".
int printFolders(const std::vector<std::string>& csidls) {
  using GetFolderPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  const HMODULE shell32 = LoadLibraryA("shell32.dll");
  const auto getFolderPath = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetSpecialFolderPathA")));
  if (!getFolderPath) return 2;
  for (const std::string& csidl : csidls) {
    char path[MAX_PATH + 1] = {};
    const BOOL found = getFolderPath(nullptr, path, std::atoi(csidl.c_str()), FALSE);
    std::printf("csidl %s %s\n", csidl.c_str(), found && path[0] ? probe::hexOf(path).c_str() : "-");
  }
  char path[MAX_PATH + 1] = {};
  GetTempPathA(sizeof path, path);
  std::printf("temp %s\n", probe::hexOf(path).c_str());
  GetWindowsDirectoryA(path, sizeof path);
  std::printf("windows %s\n", probe::hexOf(path).c_str());
  GetSystemDirectoryA(path, sizeof path);
  std::printf("system %s\n", probe::hexOf(path).c_str());
  return 0;
}

// Holds a file open for writing, letting others only read it, until standard input ends or the time runs
// out: the tests try commands on a file that another process is writing. Prints "held" once it holds it.
DWORD WINAPI readUntilEndOfInput(void*) {
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  return 0;
}

int holdOpen(const std::string& path, DWORD timeoutMs) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::printf("openfailed %lu\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  std::puts("held");
  std::fflush(stdout);
  const HANDLE reader = CreateThread(nullptr, 0, readUntilEndOfInput, nullptr, 0, nullptr);
  if (reader) WaitForSingleObject(reader, timeoutMs);
  CloseHandle(file);
  std::fflush(stdout);
  ExitProcess(0);  // also ends a reader still waiting
}

}  // namespace

int configProbe(const std::vector<std::string>& args);  // probe_config_win32.cpp
int runWindowsProbe(const std::vector<std::string>& args);
int runDialogProbe(const std::vector<std::string>& args);
int runSystemProbe(const std::vector<std::string>& args);
int runSweepProbe(const std::vector<std::string>& args);
int runDpiProbe(const std::vector<std::string>& args);  // probe_dpi_win32.cpp

int main(int argc, char** argv) {
  // The probe sees windows, fonts and the screen in real pixels at any DPI, as the program does; at 96 DPI
  // nothing changes.
  SetProcessDPIAware();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(decodeArgument(argv[i]));
  const auto need = [&](std::size_t count) { return args.size() >= count; };
  if (const int code = runSystemProbe(args); code >= 0) return code;
  if (const int code = runSweepProbe(args); code >= 0) return code;
  if (const int code = runDpiProbe(args); code >= 0) return code;
  if (need(3) && args[0] == "regget") return registryGet(args[1], args[2]);
  if (need(5) && args[0] == "regset")
    return registrySet(args[1], args[2], static_cast<DWORD>(std::strtoul(args[3].c_str(), nullptr, 10)), args[4]);
  if (need(2) && args[0] == "regdelkey") return registryDeleteKey(args[1]);
  if (need(3) && args[0] == "regdelvalue") return registryDeleteValue(args[1], args[2]);
  if (need(1) && args[0] == "reset") return resetAccount();
  const DWORD timeoutMs = need(3) ? std::strtoul(args[2].c_str(), nullptr, 10) : 60000;
  if (need(2) && args[0] == "exec") return execute(args[1], timeoutMs, 0);
  if (need(2) && args[0] == "execconsole") return execute(args[1], timeoutMs, CREATE_NEW_CONSOLE);
  if (need(3) && args[0] == "window") return describeWindow(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  if (need(2) && args[0] == "progress") return progressOf(args[1]);
  if (need(5) && args[0] == "send")
    return sendTo(args[1], std::strtoul(args[2].c_str(), nullptr, 10), std::strtol(args[3].c_str(), nullptr, 10),
                  std::strtol(args[4].c_str(), nullptr, 10));
  if (need(1) && args[0] == "lineheight") return formLineHeight();
  if (need(4) && args[0] == "keys")
    return typeInto(args[1], args[2], std::strtoul(args[3].c_str(), nullptr, 10));
  if (need(3) && args[0] == "close") return closeWindow(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  if (need(2) && args[0] == "readlink") return readShellLink(args[1]);
  if (need(3) && args[0] == "holdopen") return holdOpen(args[1], timeoutMs);
  if (const int status = need(1) ? runWindowsProbe(args) : -1; status >= 0) return status;
  if (need(1) && args[0] == "folders") return printFolders(std::vector<std::string>(args.begin() + 1, args.end()));
  if (const int status = configProbe(args); status >= 0) return status;
  if (const int dialogs = runDialogProbe(args); dialogs >= 0) return dialogs;
  std::fputs("usage: probe regget|regset|regdelkey|regdelvalue|reset|exec|execconsole|window|keys|close|progress|send|lineheight|readlink|folders|holdopen ...\n", stderr);
  return 64;
}
