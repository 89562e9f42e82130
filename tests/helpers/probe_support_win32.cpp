// The helpers the probe's verb files share (probe_support.h says what each is for).
#include "probe_support.h"

#include <cstdio>
#include <cstdlib>

namespace probe {

void fail(const std::string& words) { throw Failure{words}; }

unsigned long number(const std::string& text) { return std::strtoul(text.c_str(), nullptr, 10); }
long integer(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

std::string hexOf(const void* data, std::size_t size) {
  std::string out;
  char pair[3];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<const unsigned char*>(data)[i]);
    out += pair;
  }
  return out;
}

std::string bytesOfHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  return bytes;
}

HWND waitForTitle(const std::string& title, DWORD timeoutMs) {
  return waitFor([&] { return FindWindowA(nullptr, title.c_str()); }, timeoutMs);
}

HWND requireWindow(const std::string& title, DWORD timeoutMs) {
  const HWND window = waitForTitle(title, timeoutMs);
  if (!window) fail("nowindow");
  return window;
}

namespace {

struct ChildSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK matchChildClass(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search.className) != 0) return TRUE;
  search.found = child;
  return FALSE;
}

DWORD WINAPI readToEndOfInput(void* threadToQuit) {
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  if (threadToQuit) PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<uintptr_t>(threadToQuit)), WM_QUIT, 0, 0);
  return 0;
}

}  // namespace

HWND firstChildOfClass(HWND parent, const char* className) {
  ChildSearch search{className, nullptr};
  EnumChildWindows(parent, matchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string textOf(HWND window) {
  std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

FontDC::FontDC(const char* face, int height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  font_ = CreateFontIndirectA(&font);
  dc_ = GetDC(nullptr);
  previous_ = SelectObject(dc_, font_);
}

FontDC::~FontDC() {
  SelectObject(dc_, previous_);
  ReleaseDC(nullptr, dc_);
  DeleteObject(font_);
}

INPUT keyInput(WORD virtualKey, WORD unicode, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

// Absolute coordinates run from 0 to 65536 across the screen.
INPUT mouseInput(HWND window, int x, int y, DWORD flags) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (point.x * 65536 + width / 2) / width;
  input.mi.dy = (point.y * 65536 + height / 2) / height;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  return input;
}

void sendEach(const std::vector<INPUT>& inputs, DWORD pauseMs) {
  for (INPUT input : inputs) {
    SendInput(1, &input, sizeof input);
    Sleep(pauseMs);
  }
}

Ended runCommandLine(std::string commandLine, DWORD flags, DWORD timeoutMs) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                      &process))
    return {Ended::kNotStarted, GetLastError()};
  CloseHandle(process.hThread);
  Ended ended{Ended::kExited, 0};
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 255);
    WaitForSingleObject(process.hProcess, 5000);
    ended.how = Ended::kTimedOut;
  } else {
    GetExitCodeProcess(process.hProcess, &ended.codeOrError);
  }
  CloseHandle(process.hProcess);
  return ended;
}

HANDLE watchEndOfInput(DWORD threadToQuit) {
  return CreateThread(nullptr, 0, readToEndOfInput, reinterpret_cast<void*>(static_cast<uintptr_t>(threadToQuit)),
                      0, nullptr);
}

void holdUntilEndOfInput(DWORD timeoutMs) {
  std::puts("held");
  std::fflush(stdout);
  if (const HANDLE reader = watchEndOfInput(0)) WaitForSingleObject(reader, timeoutMs);
  std::fflush(stdout);
}

}  // namespace probe
