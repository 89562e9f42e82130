// The program's late-bound system functions, one row each, grouped by DLL (see late_binding_win32.h).
#include "platform/late_binding_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winnetwk.h>
#include <wininet.h>
#include <winsock.h>

#include <string>

#include "command/error.h"

namespace tovrik {

namespace {

// The themed common controls (version 6) are named by a manifest of their own, not by the program's: a
// side-by-side assembly that the program's manifest names is looked up in the system's store at every
// start (under Wine about 2 % of a command's run). Made the thread's active context before the first
// window or shell library loads, and never left, it reaches all the program shows; the threads those
// libraries start take it over.
bool activateThemedControls() {
  ACTCTXW context = {};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.hModule = GetModuleHandleW(nullptr);
  context.lpResourceName = L"THEMEDCONTROLS";
  const HANDLE created = CreateActCtxW(&context);
  ULONG_PTR cookie = 0;
  // Without it the windows are still shown, in the classic controls.
  return created != INVALID_HANDLE_VALUE && ActivateActCtx(created, &cookie);
}

}  // namespace

// Out of line, like resolveLateImport: inlined into each of the table's stubs they would add tens of
// kilobytes to the program.
[[gnu::noinline]] HMODULE loadSystemLibrary(const char* fileName) {
  [[maybe_unused]] static const bool themed = activateThemedControls();
  const HMODULE module = LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A system without that flag: name the file by its full path in the system directory instead.
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) return nullptr;
  const std::string path = std::string(directory, length) + "\\" + fileName;
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

[[gnu::noinline]] void* resolveLateImport(const LateImport& import) {
  const HMODULE module = loadSystemLibrary(import.dll);
  FARPROC function = module ? GetProcAddress(module, import.function) : nullptr;
  if (!function)
    throw PlatformError(std::string("Fonction système introuvable : ") + import.function + " (" + import.dll + ")");
  *import.slot = reinterpret_cast<void*>(function);
  return *import.slot;
}

}  // namespace tovrik

// comctl32.dll
TOVRIK_LATE_IMPORT(comctl32, InitCommonControlsEx, 4)

// comdlg32.dll
TOVRIK_LATE_IMPORT(comdlg32, GetOpenFileNameW, 4)
TOVRIK_LATE_IMPORT(comdlg32, GetSaveFileNameW, 4)

// gdi32.dll
TOVRIK_LATE_IMPORT(gdi32, CreateFontIndirectA, 4)
TOVRIK_LATE_IMPORT(gdi32, CreateSolidBrush, 4)
TOVRIK_LATE_IMPORT(gdi32, DeleteObject, 4)
TOVRIK_LATE_IMPORT(gdi32, GetCurrentObject, 8)
TOVRIK_LATE_IMPORT(gdi32, GetDeviceCaps, 8)
TOVRIK_LATE_IMPORT(gdi32, GetObjectA, 12)
TOVRIK_LATE_IMPORT(gdi32, GetTextExtentPoint32A, 16)
TOVRIK_LATE_IMPORT(gdi32, OffsetViewportOrgEx, 16)
TOVRIK_LATE_IMPORT(gdi32, GetTextMetricsA, 8)
TOVRIK_LATE_IMPORT(gdi32, SelectObject, 8)
TOVRIK_LATE_IMPORT(gdi32, SetBkMode, 8)
TOVRIK_LATE_IMPORT(gdi32, SetBrushOrgEx, 16)
TOVRIK_LATE_IMPORT(gdi32, SetStretchBltMode, 8)
TOVRIK_LATE_IMPORT(gdi32, SetTextColor, 8)
TOVRIK_LATE_IMPORT(gdi32, SetViewportOrgEx, 16)
TOVRIK_LATE_IMPORT(gdi32, StretchDIBits, 52)
TOVRIK_LATE_IMPORT(gdi32, TextOutA, 20)

// mpr.dll
TOVRIK_LATE_IMPORT(mpr, WNetGetUniversalNameA, 16)

// ole32.dll
TOVRIK_LATE_IMPORT(ole32, CoCreateGuid, 4)
TOVRIK_LATE_IMPORT(ole32, CoCreateInstance, 20)
TOVRIK_LATE_IMPORT(ole32, CoInitialize, 4)
TOVRIK_LATE_IMPORT(ole32, CoTaskMemFree, 4)
TOVRIK_LATE_IMPORT(ole32, CoUninitialize, 0)
TOVRIK_LATE_IMPORT(ole32, StringFromCLSID, 8)

// shell32.dll
TOVRIK_LATE_IMPORT(shell32, FindExecutableW, 12)
TOVRIK_LATE_IMPORT(shell32, SHBrowseForFolderA, 4)
TOVRIK_LATE_IMPORT(shell32, Shell_NotifyIconA, 8)
TOVRIK_LATE_IMPORT(shell32, ShellExecuteA, 24)
TOVRIK_LATE_IMPORT(shell32, SHFileOperationA, 4)
TOVRIK_LATE_IMPORT(shell32, SHFreeNameMappings, 4)
TOVRIK_LATE_IMPORT(shell32, SHGetPathFromIDListW, 8)
TOVRIK_LATE_IMPORT(shell32, SHGetSpecialFolderLocation, 12)

// user32.dll
TOVRIK_LATE_IMPORT(user32, AdjustWindowRectEx, 16)
TOVRIK_LATE_IMPORT(user32, BeginPaint, 8)
TOVRIK_LATE_IMPORT(user32, CharNextA, 4)
TOVRIK_LATE_IMPORT(user32, CloseClipboard, 0)
TOVRIK_LATE_IMPORT(user32, CreateWindowExA, 48)
TOVRIK_LATE_IMPORT(user32, DefWindowProcA, 16)
TOVRIK_LATE_IMPORT(user32, DestroyWindow, 4)
TOVRIK_LATE_IMPORT(user32, DispatchMessageA, 4)
TOVRIK_LATE_IMPORT(user32, DrawTextA, 20)
TOVRIK_LATE_IMPORT(user32, EmptyClipboard, 0)
TOVRIK_LATE_IMPORT(user32, EnableWindow, 8)
TOVRIK_LATE_IMPORT(user32, EndPaint, 8)
TOVRIK_LATE_IMPORT(user32, EnumWindows, 8)
TOVRIK_LATE_IMPORT(user32, ExitWindowsEx, 8)
TOVRIK_LATE_IMPORT(user32, FillRect, 12)
TOVRIK_LATE_IMPORT(user32, FindWindowA, 8)
TOVRIK_LATE_IMPORT(user32, GetClassInfoA, 12)
TOVRIK_LATE_IMPORT(user32, GetClassNameA, 12)
TOVRIK_LATE_IMPORT(user32, GetCapture, 0)
TOVRIK_LATE_IMPORT(user32, GetClientRect, 8)
TOVRIK_LATE_IMPORT(user32, GetClipboardData, 4)
TOVRIK_LATE_IMPORT(user32, GetCursorPos, 4)
TOVRIK_LATE_IMPORT(user32, GetDC, 4)
TOVRIK_LATE_IMPORT(user32, GetDlgCtrlID, 4)
TOVRIK_LATE_IMPORT(user32, GetDlgItem, 8)
TOVRIK_LATE_IMPORT(user32, GetFocus, 0)
TOVRIK_LATE_IMPORT(user32, GetKeyboardState, 4)
TOVRIK_LATE_IMPORT(user32, GetKeyState, 4)
TOVRIK_LATE_IMPORT(user32, GetMessageA, 16)
TOVRIK_LATE_IMPORT(user32, GetNextDlgTabItem, 12)
TOVRIK_LATE_IMPORT(user32, GetParent, 4)
TOVRIK_LATE_IMPORT(user32, GetProcessWindowStation, 0)
TOVRIK_LATE_IMPORT(user32, GetSysColor, 4)
TOVRIK_LATE_IMPORT(user32, GetSysColorBrush, 4)
TOVRIK_LATE_IMPORT(user32, GetSystemMetrics, 4)
TOVRIK_LATE_IMPORT(user32, GetUserObjectInformationA, 20)
TOVRIK_LATE_IMPORT(user32, GetWindowLongA, 8)
TOVRIK_LATE_IMPORT(user32, GetWindowRect, 8)
TOVRIK_LATE_IMPORT(user32, GetWindowTextA, 12)
TOVRIK_LATE_IMPORT(user32, GetWindowTextLengthA, 4)
TOVRIK_LATE_IMPORT(user32, InvalidateRect, 12)
TOVRIK_LATE_IMPORT(user32, IsChild, 8)
TOVRIK_LATE_IMPORT(user32, IsDialogMessageA, 8)
TOVRIK_LATE_IMPORT(user32, IsWindow, 4)
TOVRIK_LATE_IMPORT(user32, KillTimer, 8)
TOVRIK_LATE_IMPORT(user32, LoadCursorA, 8)
TOVRIK_LATE_IMPORT(user32, LoadIconA, 8)
TOVRIK_LATE_IMPORT(user32, LoadImageA, 24)
TOVRIK_LATE_IMPORT(user32, MapWindowPoints, 16)
TOVRIK_LATE_IMPORT(user32, keybd_event, 16)
TOVRIK_LATE_IMPORT(user32, MapVirtualKeyA, 8)
TOVRIK_LATE_IMPORT(user32, MessageBeep, 4)
TOVRIK_LATE_IMPORT(user32, MessageBoxA, 16)
TOVRIK_LATE_IMPORT(user32, OpenClipboard, 4)
TOVRIK_LATE_IMPORT(user32, PeekMessageA, 20)
TOVRIK_LATE_IMPORT(user32, PostMessageA, 16)
TOVRIK_LATE_IMPORT(user32, PostQuitMessage, 4)
TOVRIK_LATE_IMPORT(user32, RegisterClassA, 4)
TOVRIK_LATE_IMPORT(user32, ReleaseCapture, 0)
TOVRIK_LATE_IMPORT(user32, ReleaseDC, 8)
TOVRIK_LATE_IMPORT(user32, ScreenToClient, 8)
TOVRIK_LATE_IMPORT(user32, SendMessageA, 16)
TOVRIK_LATE_IMPORT(user32, SendMessageTimeoutA, 28)
TOVRIK_LATE_IMPORT(user32, SetCapture, 4)
TOVRIK_LATE_IMPORT(user32, SetClipboardData, 8)
TOVRIK_LATE_IMPORT(user32, SetCursor, 4)
TOVRIK_LATE_IMPORT(user32, SetFocus, 4)
TOVRIK_LATE_IMPORT(user32, SetForegroundWindow, 4)
TOVRIK_LATE_IMPORT(user32, SetKeyboardState, 4)
TOVRIK_LATE_IMPORT(user32, SetTimer, 16)
TOVRIK_LATE_IMPORT(user32, SetWindowLongA, 12)
TOVRIK_LATE_IMPORT(user32, SetWindowPos, 28)
TOVRIK_LATE_IMPORT(user32, SetWindowTextA, 8)
TOVRIK_LATE_IMPORT(user32, ShowWindow, 8)
TOVRIK_LATE_IMPORT(user32, SystemParametersInfoA, 16)
TOVRIK_LATE_IMPORT(user32, TrackMouseEvent, 4)
TOVRIK_LATE_IMPORT(user32, TranslateMessage, 4)
TOVRIK_LATE_IMPORT(user32, UpdateWindow, 4)
TOVRIK_LATE_IMPORT(user32, VkKeyScanA, 4)

// wininet.dll
TOVRIK_LATE_IMPORT(wininet, InternetAutodial, 8)
TOVRIK_LATE_IMPORT(wininet, InternetAutodialHangup, 4)
TOVRIK_LATE_IMPORT(wininet, InternetGetConnectedState, 8)

// wsock32.dll
TOVRIK_LATE_IMPORT(wsock32, gethostbyname, 4)
TOVRIK_LATE_IMPORT(wsock32, gethostname, 8)
TOVRIK_LATE_IMPORT(wsock32, inet_addr, 4)
TOVRIK_LATE_IMPORT(wsock32, WSACleanup, 0)
TOVRIK_LATE_IMPORT(wsock32, WSAStartup, 8)

#ifdef _WIN64
// Macros for the 32-bit functions above on i386.
TOVRIK_LATE_IMPORT(user32, GetWindowLongPtrA, 8)
TOVRIK_LATE_IMPORT(user32, SetWindowLongPtrA, 12)
#endif


// version.dll
TOVRIK_LATE_IMPORT(version, GetFileVersionInfoA, 16)
TOVRIK_LATE_IMPORT(version, GetFileVersionInfoSizeA, 8)
TOVRIK_LATE_IMPORT(version, VerQueryValueA, 16)

// winmm.dll
TOVRIK_LATE_IMPORT(winmm, PlaySoundA, 12)
// winnetwk.h declares this one without dllimport: calls reach the function itself, which forwards.
extern "C" DWORD APIENTRY WNetGetUniversalNameA(LPCSTR localPath, DWORD infoLevel, LPVOID buffer,
                                               LPDWORD bufferSize) {
  using Function = DWORD(APIENTRY*)(LPCSTR, DWORD, LPVOID, LPDWORD);
  return reinterpret_cast<Function>(late_slot_WNetGetUniversalNameA)(localPath, infoLevel, buffer, bufferSize);
}
