// Probe verbs for the high-DPI tests: the measures of a font of a given face and height, as the program's
// forms take them, so that the tests compare a form with the font it should use; a move to another DPI.
#include <windows.h>

#include <cstdio>
#include <string>

#include "probe_support.h"

namespace probe {

// "units <average width of A..Z a..z> <character height>", "extent <width> <height>" of the text and
// "dpi N" of the screen, in the font FACE of HEIGHT (negative: character height, as LOGFONT takes it).
int printFontMeasures(const Args& a) {
  const FontDC dc(a[0].c_str(), static_cast<int>(integer(a[1])));
  SIZE letters{};
  GetTextExtentPoint32A(dc.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.get(), &metrics);
  SIZE extent{};
  GetTextExtentPoint32A(dc.get(), a[2].c_str(), static_cast<int>(a[2].size()), &extent);
  std::printf("units %ld %ld\nextent %ld %ld\ndpi %d\n", letters.cx / 52, metrics.tmHeight, extent.cx, extent.cy,
              GetDeviceCaps(dc.get(), LOGPIXELSY));
  return 0;
}

// Tells the window with this title that it moved to a screen of DPI, as Windows does with WM_DPICHANGED:
// the suggested rectangle (its place, kept) is written into the window's own process, where lParam points.
// Prints "sent" once the window has handled it.
int sendDpiChange(const Args& a) {
  const DWORD timeoutMs = number(a[2]);
  const HWND window = requireWindow(a[0], timeoutMs);
  const auto dpi = static_cast<WORD>(integer(a[1]));
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  RECT suggested{};
  GetWindowRect(window, &suggested);
  if (!remote || !WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
    const DWORD error = GetLastError();
    if (process) CloseHandle(process);
    fail("failed " + std::to_string(error));
  }
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                      timeoutMs, &result);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  std::puts("sent");
  return 0;
}

}  // namespace probe
