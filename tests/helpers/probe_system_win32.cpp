// Test helper verbs of the system commands: machine registry values of any type, and the clipboard as
// another program sees it (a picture on it, held open, read back byte for byte, set with any text).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

int machineGet(const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::puts("nokey");
    return 0;
  }
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_FILE_NOT_FOUND) {
    std::puts("missing");
  } else {
    std::string data(size, '\0');
    RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    std::printf("%lu %s\n", static_cast<unsigned long>(type), probe::hexOf(data.data(), size).c_str());
  }
  RegCloseKey(key);
  return 0;
}

int machineSet(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 2;
  const LONG status = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : 2;
}

int machineDeleteValue(const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return 0;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
  return 0;
}

// The clipboard may be busy for a moment with another program's work: try for a while.
bool openClipboardSoon() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  std::puts("clipboard-busy");
  return false;
}

// A picture and nothing else: the system offers no text for it.
int putBitmap() {
  if (!openClipboardSoon()) return 1;
  EmptyClipboard();
  static const WORD kBits[] = {0x5555, 0xAAAA};
  const HBITMAP bitmap = CreateBitmap(2, 2, 1, 1, kBits);
  const bool set = bitmap && SetClipboardData(CF_BITMAP, bitmap);
  CloseClipboard();
  std::puts(set ? "ok" : "refused");
  return set ? 0 : 1;
}

int putText(const std::string& text) {
  if (!openClipboardSoon()) return 1;
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  std::puts(set ? "ok" : "refused");
  return set ? 0 : 1;
}

// "formats N", then "text HEX" with the CF_TEXT bytes before the block's first NUL and "nul 1" when the
// block has one, or "notext".
int readClipboard() {
  if (!openClipboardSoon()) return 1;
  std::printf("formats %d\n", CountClipboardFormats());
  const HANDLE block = GetClipboardData(CF_TEXT);
  if (!block) {
    std::puts("notext");
  } else {
    const auto* data = static_cast<const char*>(GlobalLock(block));
    const std::size_t size = GlobalSize(block);
    const std::size_t length = data ? strnlen(data, size) : 0;
    std::printf("text %s\nnul %d\n", data ? probe::hexOf(data, length).c_str() : "", length < size ? 1 : 0);
    if (data) GlobalUnlock(block);
  }
  CloseClipboard();
  return 0;
}

DWORD WINAPI waitForEndOfInput(void*) {
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  return 0;
}

// Keeps the clipboard open until standard input ends or the time runs out; prints "held" once it does.
int holdClipboardOpen(DWORD timeoutMs) {
  if (!openClipboardSoon()) return 1;
  std::puts("held");
  std::fflush(stdout);
  const HANDLE reader = CreateThread(nullptr, 0, waitForEndOfInput, nullptr, 0, nullptr);
  if (reader) WaitForSingleObject(reader, timeoutMs);
  CloseClipboard();
  std::fflush(stdout);
  ExitProcess(0);  // also ends a reader still waiting
}

// Loads a DLL by the path given, as the default search would once it found it there; prints "loaded" or
// "notloaded" and the error.
int loadLibrary(const std::string& path) {
  const HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    std::printf("notloaded %lu\n", static_cast<unsigned long>(GetLastError()));
    return 0;
  }
  std::puts("loaded");
  FreeLibrary(module);
  return 0;
}

}  // namespace

// The system family's verbs; -1 when the verb is not one of them.
int runSystemProbe(const std::vector<std::string>& args) {
  const auto need = [&](std::size_t count) { return args.size() >= count; };
  if (need(3) && args[0] == "hklmget") return machineGet(args[1], args[2]);
  if (need(5) && args[0] == "hklmset")
    return machineSet(args[1], args[2], static_cast<DWORD>(std::strtoul(args[3].c_str(), nullptr, 10)), args[4]);
  if (need(3) && args[0] == "hklmdelvalue") return machineDeleteValue(args[1], args[2]);
  if (need(1) && args[0] == "clipbitmap") return putBitmap();
  if (need(2) && args[0] == "clipsettext") return putText(args[1]);
  if (need(1) && args[0] == "clipget") return readClipboard();
  if (need(2) && args[0] == "loadlibrary") return loadLibrary(args[1]);
  if (need(2) && args[0] == "clipholdopen") return holdClipboardOpen(std::strtoul(args[1].c_str(), nullptr, 10));
  return -1;
}
