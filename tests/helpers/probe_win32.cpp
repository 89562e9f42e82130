// Test helper run inside Wine: reads and changes the registry and finds, reads and closes windows, so
// the end-to-end tests can observe what the program did. Output goes to stdout, one fact per line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

std::string hexOf(const std::string& bytes) {
  std::string out;
  char pair[3];
  for (unsigned char b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    out += pair;
  }
  return out;
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
    std::printf("%lu %s\n", static_cast<unsigned long>(type), hexOf(data).c_str());
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

HWND waitForWindow(const std::string& title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindWindowA(nullptr, title.c_str())) return window;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(50);
  }
}

BOOL CALLBACK printChild(HWND child, LPARAM) {
  char className[64] = {}, text[4096] = {};
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  std::printf("child %s %s\n", className, hexOf(text).c_str());
  return TRUE;
}

// Prints the window's handle, style, extended style, client size and its children's texts.
int describeWindow(const std::string& title, DWORD timeoutMs) {
  const HWND window = waitForWindow(title, timeoutMs);
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
  EnumChildWindows(window, printChild, 0);
  return 0;
}

int closeWindow(const std::string& title, DWORD timeoutMs) {
  const HWND window = waitForWindow(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(decodeArgument(argv[i]));
  const auto need = [&](std::size_t count) { return args.size() >= count; };
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
  if (need(3) && args[0] == "close") return closeWindow(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  std::fputs("usage: probe regget|regset|regdelkey|regdelvalue|reset|exec|execconsole|window|close ...\n", stderr);
  return 64;
}
