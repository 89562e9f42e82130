// What the probe's verb files share: the handlers' shape, failures, hexadecimal text, waiting for windows,
// other processes' control texts, fonts, input events, started programs and holding until input ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace probe {

using Args = std::vector<std::string>;  // a verb's arguments, the verb itself left out
using Handler = int(const Args&);

// A verb that cannot do its work prints why (a word, maybe a number) and ends with exit code 1: the tests
// tell that from a Wine start that never reached the probe, which prints nothing.
struct Failure {
  std::string words;
};
[[noreturn]] void fail(const std::string& words);

unsigned long number(const std::string& text);  // unsigned decimal
long integer(const std::string& text);          // signed decimal

// Bytes as lower-case hexadecimal pairs, so that any text reaches the tests intact through stdout; "-"
// for nothing, so that an empty text still fills its place in a line of words.
std::string hexOf(const void* data, std::size_t size);
inline std::string hexOf(const std::string& bytes) { return hexOf(bytes.data(), bytes.size()); }
inline std::string hexOrDash(const void* data, std::size_t size) { return size ? hexOf(data, size) : "-"; }
inline std::string hexOrDash(const std::string& bytes) { return hexOrDash(bytes.data(), bytes.size()); }
std::string bytesOfHex(const std::string& hex);

// Polls find() until it gives a window, or null once the time is up.
template <typename Find>
HWND waitFor(Find find, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = find()) return window;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(50);
  }
}
// The first top-level window with exactly this title; the second fails with "nowindow" when none comes.
HWND waitForTitle(const std::string& title, DWORD timeoutMs);
HWND requireWindow(const std::string& title, DWORD timeoutMs);
// The first child window (at any depth) of this class, or null.
HWND firstChildOfClass(HWND parent, const char* className);
// WM_GETTEXT reaches the control itself (GetWindowText of another process's window gives only the text
// the window manager keeps, which an edit control does not use).
std::string textOf(HWND window);

// A screen device context with a font selected, for measuring text as the program's windows lay it out.
class FontDC {
 public:
  FontDC(const char* face, int height);
  ~FontDC();
  FontDC(const FontDC&) = delete;
  FontDC& operator=(const FontDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HFONT font_;
  HDC dc_;
  HGDIOBJ previous_;
};

// Input events: a key going down or up (a virtual key, or with `unicode` a character typed as Unicode
// input); a mouse event at a point of a window's client area. sendEach sends them one at a time, pausing
// after each, so that each reaches the window that has the focus by then.
INPUT keyInput(WORD virtualKey, WORD unicode, bool up);
INPUT mouseInput(HWND window, int x, int y, DWORD flags);
void sendEach(const std::vector<INPUT>& inputs, DWORD pauseMs);

// Runs a command line, waiting at most timeoutMs (then ends it).
struct Ended {
  enum { kExited, kNotStarted, kTimedOut } how;
  DWORD codeOrError;
};
Ended runCommandLine(std::string commandLine, DWORD flags, DWORD timeoutMs);

// Reads standard input to its end on a thread of its own, then posts WM_QUIT to threadToQuit (if any).
HANDLE watchEndOfInput(DWORD threadToQuit);
// Prints "held", then waits until standard input ends or the time runs out.
void holdUntilEndOfInput(DWORD timeoutMs);

// The verbs, by the file that holds them; the table in probe_win32.cpp names each once.
// probe_win32.cpp
Handler execute, executeInConsole, describeWindow, progressOf, sendTo, formLineHeight, typeInto, closeWindow,
    readShellLink, printFolders, holdOpen;
// probe_registry_win32.cpp
Handler registryGet, registrySet, registrySetWide, registrySetLongPath, registrySetAccess, registryDeleteKey,
    registryDeleteValue, resetAccount;
// probe_config_win32.cpp
Handler describePlacement, setEditText, printEditText, clickAt, mouseAt, redrawWindow;
// probe_dialogs_win32.cpp
Handler driveFileDialog, driveFolderBrowser, postCharacters, pressControlKey, printWindowRect, watchButtonCaptions,
    printDialogUnits;
// probe_dpi_win32.cpp, probe_sweep_win32.cpp
Handler printFontMeasures, sendDpiChange, sweep;
// probe_station_win32.cpp
Handler runInHiddenStation;
// probe_system_win32.cpp
Handler putBitmap, putText, printClipboard, emptyClipboard, holdClipboardOpen, loadLibrary;
// probe_choices_win32.cpp
Handler describeListBox, doubleClickList, describeTray, postToClass;
// probe_windows_win32.cpp
Handler serveTestWindows, printWindowStates, closeMessageBoxes, idle, countProcesses, printKeyCodes,
    printModulesOfWindow;

}  // namespace probe
