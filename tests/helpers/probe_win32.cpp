// Test helper run inside Wine: reads and changes the registry, finds, reads, drives and closes windows, runs
// programs, so that the end-to-end tests can observe what the program did. Output goes to stdout, one fact
// per line. The table at the end is the one list of its verbs.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "probe_support.h"

namespace probe {
namespace {

// Starts a program with exactly this command line, waits, prints "exit CODE".
int runAndReport(const Args& a, DWORD flags) {
  const Ended ended = runCommandLine(a[0], flags, a.size() > 1 ? number(a[1]) : 60000);
  if (ended.how == Ended::kNotStarted) fail("createprocess-failed " + std::to_string(ended.codeOrError));
  if (ended.how == Ended::kTimedOut) fail("timeout");
  std::printf("exit %lu\n", static_cast<unsigned long>(ended.codeOrError));
  return 0;
}

// One line per child: class, text (hex), its rectangle in the parent's client coordinates, its style, and
// the password character of an edit (0 for none or another class). A child destroyed while the list is
// read has no class any more and is left out.
BOOL CALLBACK printChild(HWND child, LPARAM parent) {
  char className[64] = {}, text[4096] = {};
  if (!GetClassNameA(child, className, sizeof className)) return TRUE;
  GetWindowTextA(child, text, sizeof text);
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
  const long passwordChar =
      lstrcmpiA(className, "Edit") == 0 ? static_cast<long>(SendMessageA(child, EM_GETPASSWORDCHAR, 0, 0)) : 0;
  std::printf("child %s %s %ld %ld %ld %ld %08lx %ld\n", className, hexOrDash(text).c_str(), rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top,
              static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), passwordChar);
  return TRUE;
}

}  // namespace

// With a console of its own the program runs as from a command window (cmd.exe then reads batch files in
// the OEM code page).
int execute(const Args& a) { return runAndReport(a, 0); }
int executeInConsole(const Args& a) { return runAndReport(a, CREATE_NEW_CONSOLE); }

// The window's handle, style, extended style, client size and its children.
int describeWindow(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[1]));
  RECT client{};
  GetClientRect(window, &client);
  std::printf("hwnd %lu\nstyle %08lx\nexstyle %08lx\nclient %ld %ld\n",
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), client.right, client.bottom);
  EnumChildWindows(window, printChild, reinterpret_cast<LPARAM>(window));
  return 0;
}

// "pos POS range LOW HIGH" of the progress bar in the window with this title.
int progressOf(const Args& a) {
  const HWND window = FindWindowA(nullptr, a[0].c_str());
  const HWND bar = window ? firstChildOfClass(window, "msctls_progress32") : nullptr;
  if (!bar) fail("nobar");
  // The control lives in another process: ask for each limit as a return value, not through a pointer.
  const auto low = static_cast<long>(SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
  const auto high = static_cast<long>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
  std::printf("pos %ld range %ld %ld\n", static_cast<long>(SendMessageA(bar, PBM_GETPOS, 0, 0)), low, high);
  return 0;
}

// Sends a message to the window with this title (wParam and lParam as signed decimal numbers).
int sendTo(const Args& a) {
  const HWND window = requireWindow(a[0], 0);
  SendMessageA(window, static_cast<UINT>(number(a[1])), static_cast<WPARAM>(integer(a[2])),
               static_cast<LPARAM>(integer(a[3])));
  return 0;
}

// The height of a line of the forms' font ("MS Sans Serif", -11) as GDI measures it.
int formLineHeight(const Args&) {
  const FontDC dc("MS Sans Serif", -11);
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), "Ag", 2, &size);
  std::printf("%ld\n", size.cy);
  return 0;
}

// Brings the window to the front and types into it: plain characters as Unicode input, "{ENTER}", "{ESC}",
// "{TAB}", "{UP}", "{DOWN}", "{HOME}" and "{END}" as those keys.
int typeInto(const Args& a) {
  const HWND window = requireWindow(a[0], number(a[2]));
  SetForegroundWindow(window);
  Sleep(200);
  static const struct { const char* name; WORD key; } kNamed[] = {
      {"{ENTER}", VK_RETURN}, {"{ESC}", VK_ESCAPE}, {"{TAB}", VK_TAB},
      {"{UP}", VK_UP},        {"{DOWN}", VK_DOWN},  {"{HOME}", VK_HOME}, {"{END}", VK_END}};
  const std::string& keys = a[1];
  std::vector<INPUT> inputs;
  for (std::size_t i = 0; i < keys.size();) {
    WORD key = 0, unicode = static_cast<unsigned char>(keys[i]);
    std::size_t length = 1;
    for (const auto& named : kNamed) {
      if (keys.compare(i, std::strlen(named.name), named.name) == 0) {
        key = named.key, unicode = 0, length = std::strlen(named.name);
        break;
      }
    }
    inputs.push_back(keyInput(key, unicode, false));
    inputs.push_back(keyInput(key, unicode, true));
    i += length;
  }
  sendEach(inputs, 10);
  return 0;
}

int closeWindow(const Args& a) {
  PostMessageA(requireWindow(a[0], number(a[1])), WM_CLOSE, 0, 0);
  return 0;
}

// A shell link's target, arguments, working directory, description (hex, "-" when empty) and show command,
// as the shell link object reads them back from the file.
int readShellLink(const Args& a) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    fail("nolinkobject");
  IPersistFile* file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  std::vector<wchar_t> wide(a[0].size() + 1);
  MultiByteToWideChar(CP_ACP, 0, a[0].c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  const bool loaded = file && SUCCEEDED(file->Load(wide.data(), STGM_READ));
  if (loaded) {
    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    std::printf("target %s\n", hexOrDash(text).c_str());
    text[0] = 0;
    link->GetArguments(text, sizeof text);
    std::printf("arguments %s\n", hexOrDash(text).c_str());
    text[0] = 0;
    link->GetWorkingDirectory(text, sizeof text);
    std::printf("workdir %s\n", hexOrDash(text).c_str());
    text[0] = 0;
    link->GetDescription(text, sizeof text);
    std::printf("description %s\n", hexOrDash(text).c_str());
    int show = -1;
    link->GetShowCmd(&show);
    std::printf("showcmd %d\n", show);
  }
  if (file) file->Release();
  link->Release();
  if (!loaded) fail("noload");
  return 0;
}

// Each special folder's path as SHGetSpecialFolderPathA gives it ("-" when it gives none), then the
// temporary, Windows and system directories: "csidl N HEX", "temp HEX", "windows HEX", "system HEX".
int printFolders(const Args& csidls) {
  using GetFolderPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
  const HMODULE shell32 = LoadLibraryA("shell32.dll");
  const auto getFolderPath = reinterpret_cast<GetFolderPath>(
      reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetSpecialFolderPathA")));
  if (!getFolderPath) return 2;
  char path[MAX_PATH + 1] = {};
  for (const std::string& csidl : csidls) {
    path[0] = 0;
    const BOOL found = getFolderPath(nullptr, path, static_cast<int>(integer(csidl)), FALSE);
    std::printf("csidl %s %s\n", csidl.c_str(), found ? hexOrDash(path).c_str() : "-");
  }
  GetTempPathA(sizeof path, path);
  std::printf("temp %s\n", hexOf(path).c_str());
  GetWindowsDirectoryA(path, sizeof path);
  std::printf("windows %s\n", hexOf(path).c_str());
  GetSystemDirectoryA(path, sizeof path);
  std::printf("system %s\n", hexOf(path).c_str());
  return 0;
}

// Holds a file open for writing, letting others only read it, until standard input ends or the time runs
// out: the tests try commands on a file that another process is writing.
int holdOpen(const Args& a) {
  const HANDLE file = CreateFileA(a[0].c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("openfailed " + std::to_string(GetLastError()));
  holdUntilEndOfInput(number(a[1]));
  CloseHandle(file);
  ExitProcess(0);  // also ends a reader still waiting
}

namespace {

struct Verb {
  const char* name;
  const char* synopsis;  // its arguments: those before the first "[" are needed, "X..." is one or more
  Handler* run;
};

const Verb kVerbs[] = {
    {"regget", "KEY NAME", registryGet},
    {"regset", "KEY NAME TYPE DATA", registrySet},
    {"regsetw", "KEY NAME UTF16HEX", registrySetWide},
    {"regsetlong", "KEY NAME LENGTH", registrySetLongPath},
    {"regaccess", "KEY deny|allow", registrySetAccess},
    {"regdelkey", "KEY", registryDeleteKey},
    {"regdelvalue", "KEY NAME", registryDeleteValue},
    {"reset", "", resetAccount},
    {"exec", "COMMANDLINE [TIMEOUTMS]", execute},
    {"execconsole", "COMMANDLINE [TIMEOUTMS]", executeInConsole},
    {"sweep", "LIST RESULTS RETURNFILE TIMEOUTMS", sweep},
    {"hiddenstation", "TIMEOUTMS COMMANDLINE...", runInHiddenStation},
    {"idle", "MILLISECONDS", idle},
    {"countprocesses", "NAME", countProcesses},
    {"modules", "TITLE TIMEOUTMS", printModulesOfWindow},
    {"loadlibrary", "PATH", loadLibrary},
    {"window", "TITLE TIMEOUTMS", describeWindow},
    {"windowrect", "TITLE TIMEOUTMS", printWindowRect},
    {"captions", "TITLE TIMEOUTMS", watchButtonCaptions},
    {"placement", "TITLE TIMEOUTMS", describePlacement},
    {"windowstate", "HANDLE...", printWindowStates},
    {"progress", "TITLE", progressOf},
    {"send", "TITLE MESSAGE WPARAM LPARAM", sendTo},
    {"close", "TITLE TIMEOUTMS", closeWindow},
    {"redraw", "TITLE", redrawWindow},
    {"dpichange", "TITLE DPI TIMEOUTMS", sendDpiChange},
    {"testwindows", "TIMEOUTMS", serveTestWindows},
    {"closeboxes", "COUNT TIMEOUTMS [TITLE]", closeMessageBoxes},
    {"keys", "TITLE KEYS TIMEOUTMS", typeInto},
    {"ctrlkey", "TITLE KEY TIMEOUTMS", pressControlKey},
    {"chars", "TITLE TEXT TIMEOUTMS", postCharacters},
    {"keycodes", "CHARACTERS", printKeyCodes},
    {"click", "TITLE X Y", clickAt},
    {"mouse", "TITLE X Y ACTION", mouseAt},
    {"setedit", "TITLE TEXT", setEditText},
    {"edittext", "TITLE [EXPECTED TIMEOUTMS]", printEditText},
    {"filedlg", "TITLE TIMEOUTMS NAME|- ok|cancel|-", driveFileDialog},
    {"folderdlg", "TEXT TIMEOUTMS PATH|- ok|cancel|-", driveFolderBrowser},
    {"lineheight", "", formLineHeight},
    {"dialogunits", "", printDialogUnits},
    {"fontmeasure", "FACE HEIGHT TEXT", printFontMeasures},
    {"clipboard", "", printClipboard},
    {"emptyclipboard", "", emptyClipboard},
    {"clipbitmap", "", putBitmap},
    {"clipsettext", "TEXT", putText},
    {"clipholdopen", "TIMEOUTMS", holdClipboardOpen},
    {"holdopen", "PATH TIMEOUTMS", holdOpen},
    {"readlink", "PATH", readShellLink},
    {"folders", "[CSIDL...]", printFolders},
    {"listbox", "TITLE TIMEOUTMS", describeListBox},
    {"listdblclick", "TITLE X Y", doubleClickList},
    {"tray", "[click]", describeTray},
    {"postclass", "CLASS MESSAGE WPARAM LPARAM TIMEOUTMS", postToClass},
};

std::size_t neededArguments(const char* synopsis) {
  std::size_t count = 0;
  for (const char* word = synopsis; *word && *word != '['; ++count) {
    while (*word && *word != ' ') ++word;
    while (*word == ' ') ++word;
  }
  return count;
}

// The verb's line, or all of them for none; the exit code of a wrong call.
int usage(const Verb* only) {
  std::fputs("usage: probe VERB ARGUMENTS (any argument may be hex:BYTES; a KEY is the user's, or HKLM\\...)\n",
             stderr);
  for (const Verb& verb : kVerbs)
    if (!only || only == &verb) std::fprintf(stderr, "  %s%s%s\n", verb.name, *verb.synopsis ? " " : "", verb.synopsis);
  return 64;
}

// Arguments starting with "hex:" carry raw bytes (non-ASCII names and data).
std::string decodeArgument(const char* text) {
  return std::strncmp(text, "hex:", 4) == 0 ? bytesOfHex(text + 4) : text;
}

}  // namespace
}  // namespace probe

int main(int argc, char** argv) {
  using namespace probe;
  // The probe sees windows, fonts and the screen in real pixels at any DPI, as the program does; at 96 DPI
  // nothing changes.
  SetProcessDPIAware();
  Args args;
  for (int i = 2; i < argc; ++i) args.push_back(decodeArgument(argv[i]));
  for (const Verb& verb : kVerbs) {
    if (argc < 2 || std::strcmp(argv[1], verb.name) != 0) continue;
    if (args.size() < neededArguments(verb.synopsis)) return usage(&verb);
    try {
      return verb.run(args);
    } catch (const Failure& failure) {
      std::puts(failure.words.c_str());
      return 1;
    }
  }
  return usage(nullptr);
}
