// Probe verbs of the system commands: the clipboard as another program sees it (a picture on it, held open,
// read back byte for byte, set with any text, emptied), and loading a DLL by its path.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "probe_support.h"

namespace probe {
namespace {

// The clipboard may be busy for a moment with another program's work: try for a while.
void openClipboardSoon() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(nullptr)) return;
    Sleep(20);
  }
  fail("clipboard-busy");
}

// Puts data of this format alone on the clipboard; prints "ok", or "refused" and fails.
int putAlone(UINT format, HANDLE data) {
  openClipboardSoon();
  EmptyClipboard();
  const bool set = data && SetClipboardData(format, data);
  CloseClipboard();
  if (!set) fail("refused");
  std::puts("ok");
  return 0;
}

}  // namespace

// A picture and nothing else: the system offers no text for it.
int putBitmap(const Args&) {
  static const WORD kBits[] = {0x5555, 0xAAAA};
  return putAlone(CF_BITMAP, CreateBitmap(2, 2, 1, 1, kBits));
}

int putText(const Args& a) {
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, a[0].size() + 1);
  std::memcpy(GlobalLock(block), a[0].c_str(), a[0].size() + 1);
  GlobalUnlock(block);
  return putAlone(CF_TEXT, block);
}

// "formats N", then "text HEX" with the CF_TEXT bytes before the block's first NUL and "nul 1" when the
// block has one, or "notext".
int printClipboard(const Args&) {
  openClipboardSoon();
  std::printf("formats %d\n", CountClipboardFormats());
  const HANDLE block = GetClipboardData(CF_TEXT);
  if (!block) {
    std::puts("notext");
  } else {
    const auto* data = static_cast<const char*>(GlobalLock(block));
    const std::size_t size = GlobalSize(block);
    const std::size_t length = data ? strnlen(data, size) : 0;
    std::printf("text %s\nnul %d\n", hexOrDash(data, length).c_str(), length < size ? 1 : 0);
    if (data) GlobalUnlock(block);
  }
  CloseClipboard();
  return 0;
}

int emptyClipboard(const Args&) {
  openClipboardSoon();
  EmptyClipboard();
  CloseClipboard();
  return 0;
}

// Keeps the clipboard open until standard input ends or the time runs out.
int holdClipboardOpen(const Args& a) {
  openClipboardSoon();
  holdUntilEndOfInput(number(a[0]));
  CloseClipboard();
  ExitProcess(0);  // also ends a reader still waiting
}

// Loads a DLL by the path given, as the default search would once it found it there; prints "loaded" or
// "notloaded" and the error.
int loadLibrary(const Args& a) {
  const HMODULE module = LoadLibraryA(a[0].c_str());
  if (!module) {
    std::printf("notloaded %lu\n", static_cast<unsigned long>(GetLastError()));
    return 0;
  }
  std::puts("loaded");
  FreeLibrary(module);
  return 0;
}

}  // namespace probe
