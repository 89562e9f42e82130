// Probe verbs for the high-DPI tests: the measures of a font of a given face and height, as the
// program's forms take them, so that the tests compare a form with the font it should use.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

// Prints "units <average width of A..Z a..z> <character height>" and "extent <width> <height>" of the text
// in the font `face` of height `height` (negative: character height, as LOGFONT takes it).
int printFontMeasures(const std::string& face, int height, const std::string& text) {
  LOGFONTA description{};
  description.lfHeight = height;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(description.lfFaceName, face.c_str(), LF_FACESIZE);
  const HFONT font = CreateFontIndirectA(&description);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  SIZE letters{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  std::printf("units %ld %ld\nextent %ld %ld\ndpi %d\n", letters.cx / 52, metrics.tmHeight, extent.cx, extent.cy,
              GetDeviceCaps(dc, LOGPIXELSY));
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return 0;
}

// Tells the window with this title that it moved to a screen of `dpi`, as Windows does with WM_DPICHANGED:
// the suggested rectangle (its place, kept) is written into the window's own process, where lParam points.
// Prints "sent" once the window has handled it.
int sendDpiChange(const std::string& title, int dpi, DWORD timeoutMs) {
  const HWND window = probe::waitForTitle(title, timeoutMs);
  if (!window) {
    std::puts("nowindow");
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  RECT suggested{};
  GetWindowRect(window, &suggested);
  if (!remote || !WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
    std::printf("failed %lu\n", GetLastError());
    if (process) CloseHandle(process);
    return 1;
  }
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                      timeoutMs, &result);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  std::puts("sent");
  return 0;
}

}  // namespace

int runDpiProbe(const std::vector<std::string>& args) {
  if (args.size() >= 4 && args[0] == "fontmeasure")
    return printFontMeasures(args[1], std::atoi(args[2].c_str()), args[3]);
  if (args.size() >= 4 && args[0] == "dpichange")
    return sendDpiChange(args[1], std::atoi(args[2].c_str()), std::strtoul(args[3].c_str(), nullptr, 10));
  return -1;
}
